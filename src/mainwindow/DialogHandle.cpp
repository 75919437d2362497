// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/DialogHandle.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace {

// Ends a local event loop when the watched window hides or goes away.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop& loop)
        : m_loop(loop) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

} // namespace

DialogHandle DialogHandle::forWidget(QWidget* window) {
    if (!window)
        return {};
    QPointer<QWidget> guarded(window);
    DialogHandle handle;
    handle.isVisible = [guarded] {
        return guarded && guarded->isVisible();
    };
    handle.hide = [guarded] {
        if (guarded)
            guarded->hide();
    };
    handle.showModal = [guarded] {
        if (!guarded)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(guarded.data())) {
            dialog->exec();
            return;
        }
        QEventLoop loop;
        HideWatcher watcher(guarded, loop);
        const Qt::WindowModality before = guarded->windowModality();
        guarded->setWindowModality(Qt::ApplicationModal);
        guarded->show();
        loop.exec();
        if (guarded) {
            guarded->removeEventFilter(&watcher);
            guarded->setWindowModality(before);
        }
    };
    return handle;
}
