// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the desktop figures: one frameless 800 by 600 window that repaints itself
// every 100 ms, as a minimal Qt Widgets program of Gloamery's kind would.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
public:
    Window() {
        setWindowFlag(Qt::FramelessWindowHint);
        resize(800, 600);
        m_timer.setInterval(100);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            ++m_frame;
            update();
        });
        m_timer.start();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x36, 0x6A, 0xB3));
        painter.drawText(rect(), Qt::AlignCenter, QString::number(m_frame));
    }

private:
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.show();
    return QApplication::exec();
}
