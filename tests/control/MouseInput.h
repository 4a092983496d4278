#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Mouse input through the window system layer, as a real pointer produces it: Qt's enter and
// leave events, the implicit grab of a press and explicit grabs all take part. Positions are in
// the widget's coordinates; the widget's window must be shown.
namespace lytest {

// Signals that hand on an event can be watched with QSignalSpy.
inline const int kEventPointerTypes = (qRegisterMetaType<QEvent *>(), qRegisterMetaType<QMouseEvent *>(),
                                       qRegisterMetaType<QKeyEvent *>(), 0);

inline QWindow *windowOf(QWidget *w) { return w->window()->windowHandle(); }
inline QPoint inWindow(QWidget *w, QPoint pos) { return w->mapTo(w->window(), pos); }

inline void mouseMove(QWidget *w, QPoint pos)
{
    QTest::mouseMove(windowOf(w), inWindow(w, pos));
}

inline void mousePress(QWidget *w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(windowOf(w), button, Qt::NoModifier, inWindow(w, pos));
}

inline void mouseRelease(QWidget *w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(windowOf(w), button, Qt::NoModifier, inWindow(w, pos));
}

// Moves the pointer to a point of the screen (dragging a window moves the window under it).
inline void mouseMoveGlobal(QWidget *w, QPoint global)
{
    QTest::mouseMove(windowOf(w), windowOf(w)->mapFromGlobal(global));
}

inline void mouseReleaseGlobal(QWidget *w, QPoint global, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(windowOf(w), button, Qt::NoModifier, windowOf(w)->mapFromGlobal(global));
}

// Shows a top-level widget and waits (bounded) until it is exposed.
inline bool showAndWait(QWidget *w)
{
    w->show();
    return QTest::qWaitForWindowExposed(w);
}

} // namespace lytest
