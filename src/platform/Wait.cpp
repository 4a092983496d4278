#include "platform/Wait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace ly::platform {

bool WaitBounded(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer tick;
    // A short tick rather than a list of signals: whatever done() looks at may change through
    // any of them.
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    tick.start();
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

} // namespace ly::platform
