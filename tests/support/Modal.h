#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

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

// Acts on the modal windows a command opens, in order: each step waits for the next modal
// window of its type. A modal window that no step expects is recorded and hidden, which ends
// its modal run (a message box then answers Cancel): at once once every step has run, or,
// with Others::LeaveOpen, only after ten seconds (for a window that closes by itself, like a
// sending window). A window still open ten seconds after its step is recorded and hidden
// too, so a test never hangs.
class ModalScript : public QObject
{
public:
    enum class Others { Hide, LeaveOpen };

    explicit ModalScript(Others others = Others::Hide) : m_others(others)
    {
        QTimer::singleShot(5, this, &ModalScript::poll);
    }

    template <class Window>
    ModalScript &then(std::function<void(Window *)> act)
    {
        m_steps.push_back({[](QWidget *w) { return qobject_cast<Window *>(w) != nullptr; },
                           [act](QWidget *w) { act(static_cast<Window *>(w)); }});
        m_deadline = QDeadlineTimer(10000);
        return *this;
    }

    bool finished() const { return m_next == m_steps.size(); }
    // Class names of the modal windows that no step expected.
    QStringList unexpected;

private:
    struct Step
    {
        std::function<bool(QWidget *)> matches;
        std::function<void(QWidget *)> act;
    };

    void poll()
    {
        // A new timer each time: a running timer does not fire again while its handler is
        // still on the stack, and a step's action may run the next modal window.
        QTimer::singleShot(5, this, &ModalScript::poll);
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (w == m_last) {
            // A step that left its window open.
            if (m_deadline.hasExpired()) {
                unexpected.append(QString::fromLatin1(w->metaObject()->className()));
                w->hide();
            }
            return;
        }
        if (m_next < m_steps.size() && m_steps[m_next].matches(w)) {
            m_last = w;
            const Step step = m_steps[m_next++];
            m_deadline = QDeadlineTimer(10000);
            // A step may open the next modal window; polling goes on inside its modal run.
            step.act(w);
            return;
        }
        if (w != m_seen) {
            m_seen = w;
            m_seenSince = QDeadlineTimer(10000);
        }
        const bool hide = m_next < m_steps.size()
                              ? m_deadline.hasExpired() // the step's own window is too late
                              : m_others == Others::Hide || m_seenSince.hasExpired();
        if (hide) {
            unexpected.append(QString::fromLatin1(w->metaObject()->className()));
            m_last = w;
            w->hide();
        }
    }

    Others m_others;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QPointer<QWidget> m_last;
    QDeadlineTimer m_deadline{10000};
    QPointer<QWidget> m_seen;     // the modal window no step has taken yet
    QDeadlineTimer m_seenSince{10000};
};

} // namespace lytest
