#include "mainwindow/ModalRun.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

namespace {

class QuitWhenHidden : public QObject {
public:
    QuitWhenHidden(QWidget* window, QEventLoop& loop)
        : m_loop(loop) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

} // namespace

namespace ModalRun {

void exec(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    QPointer<QWidget> guard(window);
    const Qt::WindowModality before = window->windowModality();
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QuitWhenHidden watcher(window, loop);
    window->show();
    loop.exec();
    if (guard) {
        window->removeEventFilter(&watcher);
        window->setWindowModality(before);
    }
}

} // namespace ModalRun
