#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QWaitCondition>

namespace ly::transitions {

// An event that stays signalled until it is reset, so a waiter that comes late still passes.
class ManualResetEvent
{
public:
    explicit ManualResetEvent(bool signalled) : m_signalled(signalled) {}

    void set()
    {
        QMutexLocker lock(&m_mutex);
        m_signalled = true;
        m_changed.wakeAll();
    }
    void reset()
    {
        QMutexLocker lock(&m_mutex);
        m_signalled = false;
    }
    // Waits until the event is signalled (without a time limit).
    void wait()
    {
        QMutexLocker lock(&m_mutex);
        while (!m_signalled)
            m_changed.wait(&m_mutex);
    }
    bool isSet() const
    {
        QMutexLocker lock(&m_mutex);
        return m_signalled;
    }

private:
    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    bool m_signalled;
};

} // namespace ly::transitions
