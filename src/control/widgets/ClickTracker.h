#pragma once

#include <QMouseEvent>
#include <QRect>

#include <utility>

// A click as the controls count it: a left press on the control and a left release over it.
class ClickTracker
{
public:
    void press(const QMouseEvent *event)
    {
        if (event->button() == Qt::LeftButton)
            m_armed = true;
    }

    // True when this release ends a click over `area`.
    bool release(const QMouseEvent *event, const QRect &area)
    {
        if (event->button() != Qt::LeftButton)
            return false;
        return std::exchange(m_armed, false) && area.contains(event->position().toPoint());
    }

private:
    bool m_armed = false;
};
