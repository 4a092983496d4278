#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace lytest {

// Runs `act` on the next modal window of type T once it shows; after five seconds without it,
// whatever modal window is open is closed so the test cannot hang.
template<typename T>
void whenModalShows(std::function<void(T *)> act)
{
    auto *timer = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, act] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget()); w && w->isVisible()) {
            act(w);
        } else if (clock.elapsed() > 5000) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        } else {
            return;
        }
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
}

// Bounds a modal run a test starts: when the run has not ended after `ms`, the test fails
// and the window is closed (and every modal window over it), so the run returns instead of
// waiting for ever.
class ModalGuard
{
public:
    explicit ModalGuard(QWidget *window, int ms = 10000) : m_window(window)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this, ms] {
            ADD_FAILURE() << "a modal run did not end within " << ms << " ms";
            while (QWidget *top = QApplication::activeModalWidget()) {
                if (top == m_window)
                    break;
                top->close();
                top->hide();
            }
            if (m_window) {
                m_window->close();
                m_window->hide();
            }
        });
        m_timer.start(ms);
    }

private:
    QPointer<QWidget> m_window;
    QTimer m_timer;
};

} // namespace lytest
