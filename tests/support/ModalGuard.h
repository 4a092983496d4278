#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace lytest {

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
