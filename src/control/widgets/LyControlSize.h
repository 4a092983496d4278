#pragma once

#include "control/widgets/ClickTracker.h"
#include "shared/Error.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

class QKeyEvent;
class QMenu;
class QMouseEvent;
class GhostOutline;

// Raised when a top-level window is attached to the handles.
class EBadChild : public ly::Error
{
public:
    using ly::Error::Error;
};

// Resize handles for the layout editors. Attached to a control, the handles lie over it as a
// see-through child of the control's parent, two pixels beyond it on the left and top and three
// on the right and bottom, and paint only small squares at its corners and edge midpoints.
// Dragging the body moves the control, dragging a square resizes it, the arrow keys nudge it by
// a pixel. While the mouse is dragged only an outline (the ghost) shows where the control will
// land; the control moves once, when the button is released. Several controls of one parent can
// be attached; their union is framed and they move together.
//
// While attached the handles are a child of the controls' parent; detached they go back to
// their owner, hidden.
class TlyControlSize : public QWidget
{
    Q_OBJECT

public:
    // Which part of the box a drag takes: 0 moves the controls, 1 to 4 are the corners
    // (top-left, top-right, bottom-left, bottom-right), 5 to 8 the edge midpoints (top, left,
    // bottom, right).
    enum HitCode { HitBody, HitTopLeft, HitTopRight, HitBottomLeft, HitBottomRight, HitTop,
                   HitLeft, HitBottom, HitRight };

    explicit TlyControlSize(QWidget *owner = nullptr);
    ~TlyControlSize() override;

    // Adds a control. A top-level window raises EBadChild "Handles can not be attached to a
    // Form!"; a null or already attached control is ignored; a control of another parent than
    // the attached ones releases those first.
    void Attach(QWidget *control);
    void Detach(QWidget *control);
    void DetachAll();
    const QList<QWidget *> &Controls() const { return m_controls; }

    // Moves and sizes the handles to these bounds and the attached controls by the same
    // differences; nothing moves while Locked.
    void SetBounds(int left, int top, int width, int height);

    QColor Color() const { return m_color; }
    void setColor(const QColor &color);
    QColor SecondaryColor() const { return m_secondaryColor; }
    void setSecondaryColor(const QColor &color);

    bool Locked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }

    // Grid steps in pixels; 1 means no snapping. 0 is not a valid step and is ignored.
    int GridX() const { return m_gridX; }
    void setGridX(int step);
    int GridY() const { return m_gridY; }
    void setGridY(int step);
    // True when either grid is above 1; setting it gives both grids 8 (true) or 1 (false).
    bool SnapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void setSnapToGrid(bool snap);

    Qt::CursorShape DragCursor() const { return m_dragCursor; }
    void setDragCursor(Qt::CursorShape shape) { m_dragCursor = shape; }

    // Shown on a right click on the handles.
    void setPopupMenu(QMenu *menu);

    // The state of a drag, for the editors and tests.
    bool isDragging() const { return m_dragging; }
    int hitCode() const { return m_hitCode; }
    // The handles' bounds the ghost outline stands for; null while none is drawn.
    QRect Ghost() const { return m_ghost; }
    // The outline on the screen, in global coordinates; null while none is drawn.
    QRect ghostOutline() const;

Q_SIGNALS:
    void OnClick();
    void OnDblClick();
    // After a press inside the frame of an attached control (not for presses passed on).
    void OnMouseDown(QMouseEvent *event);
    void OnMouseMove(QMouseEvent *event);
    // After every release on the handles, also when it was passed on.
    void OnMouseUp(QMouseEvent *event);
    // For every key, after the arrow keys have moved the controls.
    void OnKeyDown(QKeyEvent *event);
    void OnKeyUp(QKeyEvent *event);
    // A key that types a character.
    void OnKeyPress(QKeyEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The handles' bounds that frame the control, or the box grown to frame it as well.
    static QRect frameOf(const QWidget *control);
    static QRect grownBy(const QRect &box, const QWidget *control);
    int hitTest(int x, int y) const;
    QRect newBounds(int x, int y) const;
    QPoint clamped(QPoint p) const;
    Qt::CursorShape cursorFor(int hitCode) const;
    void drawGhost(const QRect &bounds);
    void endGhost();
    void passOn(QMouseEvent *event);
    void releaseGrab();
    void leaveParent();
    void forget(QObject *control);

    QPointer<QWidget> m_owner;
    QList<QWidget *> m_controls;
    QColor m_color = QColor(0, 0, 0);
    QColor m_secondaryColor = QColor(0x80, 0x80, 0x80);
    bool m_locked = false;
    int m_gridX = 1;
    int m_gridY = 1;
    Qt::CursorShape m_dragCursor = Qt::SizeAllCursor;
    QPointer<QMenu> m_popupMenu;

    QPoint m_dragStart;
    bool m_dragging = false;
    int m_hitCode = HitBody;
    ClickTracker m_click;
    QRect m_ghost;
    std::unique_ptr<GhostOutline> m_ghostWindow;
};
