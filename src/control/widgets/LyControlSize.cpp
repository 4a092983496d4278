#include "control/widgets/LyControlSize.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kEmptySize = 24;
constexpr int kMinimum = 5;

// v snapped to the grid, truncating toward zero (so values left of the origin snap rightwards).
int snap(int v, int grid)
{
    return grid * (v / grid);
}

} // namespace

// The ghost: a one-pixel outline of black and white dashes, visible on any background, in a
// window of its own over everything on the screen. Only the outline belongs to the window (a
// mask), and it takes no input.
class GhostOutline : public QWidget
{
public:
    GhostOutline()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

protected:
    void resizeEvent(QResizeEvent *) override
    {
        const QRegion all(rect());
        setMask(width() > 2 && height() > 2 ? all.subtracted(QRegion(rect().adjusted(1, 1, -1, -1))) : all);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

TlyControlSize::TlyControlSize(QWidget *owner)
    : QWidget(owner)
    , m_owner(owner)
{
    resize(kEmptySize, kEmptySize);
    setEnabled(false);
    hide();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

TlyControlSize::~TlyControlSize() = default;

QRect TlyControlSize::frameOf(const QWidget *control)
{
    const QRect c = control->geometry();
    return QRect(c.x() - 2, c.y() - 2, c.width() + 5, c.height() + 5);
}

QRect TlyControlSize::grownBy(const QRect &box, const QWidget *control)
{
    const QRect c = control->geometry();
    const int left = std::min(box.x(), c.x() - 2);
    const int top = std::min(box.y(), c.y() - 2);
    const int right = std::max(box.x() + box.width() - 3, c.x() + c.width());
    const int bottom = std::max(box.y() + box.height() - 3, c.y() + c.height());
    return QRect(left, top, right - left + 3, bottom - top + 3);
}

void TlyControlSize::Attach(QWidget *control)
{
    if (control && control->isWindow())
        throw EBadChild(QStringLiteral("Handles can not be attached to a Form!"));
    if (!control || m_controls.contains(control))
        return;
    if (!m_controls.isEmpty() && control->parentWidget() != parentWidget())
        DetachAll();
    if (m_controls.isEmpty()) {
        if (parentWidget() != control->parentWidget())
            setParent(control->parentWidget());
        endGhost();
        setEnabled(true);
        show();
        setGeometry(frameOf(control));
    } else {
        setGeometry(grownBy(geometry(), control));
    }
    m_controls.append(control);
    connect(control, &QObject::destroyed, this, &TlyControlSize::forget);
    m_hitCode = HitBody;
    raise();
    // A press that attached the handles (on the control, say) goes on as a drag of the
    // handles: the pointer is theirs until the button is released.
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        grabMouse();
    if (isVisible() && isEnabled())
        setFocus();
    update();
}

void TlyControlSize::Detach(QWidget *control)
{
    if (!m_controls.contains(control))
        return;
    disconnect(control, &QObject::destroyed, this, &TlyControlSize::forget);
    forget(control);
}

// Drops a control from the list (also one that is being destroyed, which is not touched) and
// frames the ones that remain.
void TlyControlSize::forget(QObject *control)
{
    m_controls.removeIf([control](QWidget *w) { return static_cast<QObject *>(w) == control; });
    if (m_controls.isEmpty()) {
        m_locked = false;
        leaveParent();
        return;
    }
    const QRect first = m_controls.first()->geometry();
    QRect box(first.x() - 2, first.y() - 2, first.width() + 3, first.height() + 3);
    for (const QWidget *c : std::as_const(m_controls))
        box = grownBy(box, c);
    setGeometry(box);
    update();
}

void TlyControlSize::DetachAll()
{
    for (QWidget *c : std::as_const(m_controls))
        disconnect(c, &QObject::destroyed, this, &TlyControlSize::forget);
    m_controls.clear();
    m_locked = false;
    resize(kEmptySize, kEmptySize);
    leaveParent();
}

// Hidden, disabled and back with the owner, out of the controls' parent.
void TlyControlSize::leaveParent()
{
    releaseGrab();
    m_dragging = false;
    setEnabled(false);
    hide();
    if (parentWidget() != m_owner)
        setParent(m_owner);
    endGhost();
}

void TlyControlSize::SetBounds(int left, int top, int width, int height)
{
    if (m_locked)
        return;
    const QRect old = geometry();
    for (QWidget *c : std::as_const(m_controls))
        c->setGeometry(c->x() + left - old.x(), c->y() + top - old.y(),
                       c->width() + width - old.width(), c->height() + height - old.height());
    setGeometry(left, top, width, height);
}

void TlyControlSize::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TlyControlSize::setSecondaryColor(const QColor &color)
{
    m_secondaryColor = color;
    update();
}

void TlyControlSize::setGridX(int step)
{
    if (step >= 1 && step <= 255)
        m_gridX = step;
}

void TlyControlSize::setGridY(int step)
{
    if (step >= 1 && step <= 255)
        m_gridY = step;
}

void TlyControlSize::setSnapToGrid(bool snap)
{
    m_gridX = m_gridY = snap ? 8 : 1;
}

// Only the squares are painted; the rest of the handles is see-through.
void TlyControlSize::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor brush = m_controls.size() == 1 ? m_color : m_secondaryColor;
    const auto square = [&](int l, int t, int r, int b) { p.fillRect(QRect(l, t, r - l, b - t), brush); };
    for (const QWidget *c : std::as_const(m_controls)) {
        const int l = c->x() - x() - 2;
        const int t = c->y() - y() - 2;
        const int r = c->x() - x() + c->width() + 2;
        const int b = c->y() - y() + c->height() + 2;
        square(l, t, l + 5, t + 5);
        square(r - 5, t, r, t + 5);
        square(r - 5, b - 5, r, b);
        square(l, b - 5, l + 5, b);
        if (m_controls.size() == 1) {
            const int mx = l + (r - l) / 2;
            const int my = t + (b - t) / 2;
            square(mx - 2, t, mx + 3, t + 5);
            square(mx - 2, b - 5, mx + 3, b);
            square(l, my - 2, l + 5, my + 3);
            square(r - 5, my - 2, r, my + 3);
        }
    }
}

// The tests run in this order and a later match overrides an earlier one (on a small box the
// edge midpoints win over the corners).
int TlyControlSize::hitTest(int x, int y) const
{
    if (m_controls.size() != 1)
        return HitBody;
    const int w = width();
    const int h = height();
    const double halfW = w / 2.0;
    const double halfH = h / 2.0;
    int code = HitBody;
    if (std::abs(x) < 5 && std::abs(y) < 5)
        code = HitTopLeft;
    if (std::abs(x - w) < 5 && std::abs(y - h) < 5)
        code = HitBottomRight;
    if (std::abs(x - w) < 5 && std::abs(y) < 5)
        code = HitTopRight;
    if (std::abs(x) < 5 && std::abs(y - h) < 5)
        code = HitBottomLeft;
    if (std::abs(x - halfW) < 3 && std::abs(y) < 5)
        code = HitTop;
    if (std::abs(x - halfW) < 3 && std::abs(y - h) < 5)
        code = HitBottom;
    if (std::abs(y - halfH) < 3 && std::abs(x) < 5)
        code = HitLeft;
    if (std::abs(y - halfH) < 3 && std::abs(x - w) < 5)
        code = HitRight;
    return code;
}

Qt::CursorShape TlyControlSize::cursorFor(int hitCode) const
{
    switch (hitCode) {
    case HitTopLeft:
    case HitBottomRight:
        return Qt::SizeFDiagCursor;
    case HitTopRight:
    case HitBottomLeft:
        return Qt::SizeBDiagCursor;
    case HitTop:
    case HitBottom:
        return Qt::SizeVerCursor;
    case HitLeft:
    case HitRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// The handles' bounds for the pointer at (x, y) of a drag that started at the drag start. The
// grid applies to the control, which lies 2 pixels inside the handles on the left and top and
// is 5 pixels narrower and lower: a moved control's left and top and a resized control's width
// and height fall on the grid, and with the grid 1 the control follows the pointer exactly.
QRect TlyControlSize::newBounds(int x, int y) const
{
    const int L = this->x(), T = this->y(), W = width(), H = height();
    const int dx = x - m_dragStart.x(), dy = y - m_dragStart.y();
    const int movedLeft = snap(L + 2 + dx, m_gridX) - 2;
    const int movedTop = snap(T + 2 + dy, m_gridY) - 2;
    const int draggedWidth = snap(W - 5 + dx, m_gridX) + 5;
    const int draggedHeight = snap(H - 5 + dy, m_gridY) + 5;
    int left = L, top = T, w = W, h = H;
    switch (m_hitCode) {
    case HitBody:
        left = movedLeft;
        top = movedTop;
        break;
    case HitTopLeft:
        left = movedLeft;
        top = movedTop;
        w = W + L - left;
        h = H + T - top;
        break;
    case HitTopRight:
        top = movedTop;
        w = draggedWidth;
        h = H + T - top;
        break;
    case HitBottomLeft:
        left = movedLeft;
        w = W + L - left;
        h = draggedHeight;
        break;
    case HitBottomRight:
        w = draggedWidth;
        h = draggedHeight;
        break;
    case HitTop:
        top = movedTop;
        h = H + T - top;
        break;
    case HitLeft:
        left = movedLeft;
        w = W + L - left;
        break;
    case HitBottom:
        h = draggedHeight;
        break;
    case HitRight:
        w = draggedWidth;
        break;
    }
    return QRect(left, top, std::max(w, kMinimum), std::max(h, kMinimum));
}

// The pointer, kept within the parent's client area (the controls may still end partly
// outside it).
QPoint TlyControlSize::clamped(QPoint p) const
{
    const QWidget *parent = parentWidget();
    if (!parent)
        return p;
    return QPoint(std::clamp(p.x(), -x(), parent->width() - x()),
                  std::clamp(p.y(), -y(), parent->height() - y()));
}

// The ghost is a top-level outline over everything on the screen, so it shows also where the
// controls would end outside their parent.
void TlyControlSize::drawGhost(const QRect &bounds)
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    if (!m_ghostWindow)
        m_ghostWindow = std::make_unique<GhostOutline>();
    const QRect outline(bounds.x() + 2, bounds.y() + 2, std::max(1, bounds.width() - 5),
                        std::max(1, bounds.height() - 5));
    m_ghostWindow->setGeometry(QRect(parent->mapToGlobal(outline.topLeft()), outline.size()));
    m_ghostWindow->show();
    m_ghost = bounds;
}

void TlyControlSize::endGhost()
{
    if (m_ghostWindow)
        m_ghostWindow->hide();
    if (m_ghost.isNull())
        return;
    m_ghost = QRect();
    if (QWidget *parent = parentWidget())
        parent->update();
    update();
}

QRect TlyControlSize::ghostOutline() const
{
    return m_ghostWindow && m_ghostWindow->isVisible() ? m_ghostWindow->geometry() : QRect();
}

void TlyControlSize::releaseGrab()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

// A press or release that is not the handles' own goes to what lies beneath: the first child
// of the parent (other than handles) under the point, else the parent itself.
void TlyControlSize::passOn(QMouseEvent *event)
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    const QPoint at = mapToParent(event->position().toPoint());
    QWidget *target = parent;
    QPoint local = at;
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || w->isHidden() || qobject_cast<TlyControlSize *>(w))
            continue;
        if (w->geometry().contains(at)) {
            target = w;
            local = at - w->pos();
            break;
        }
    }
    const bool press = event->type() != QEvent::MouseButtonRelease;
    QMouseEvent forwarded(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local,
                          target->mapToGlobal(local), event->button(),
                          press ? event->button() : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &forwarded);
}

void TlyControlSize::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    const QPoint at = mapToParent(event->position().toPoint());
    const bool inFrame = std::any_of(m_controls.cbegin(), m_controls.cend(), [&at](const QWidget *c) {
        return c->geometry().adjusted(-2, -2, 2, 2).contains(at);
    });
    if (!inFrame) {
        unsetCursor();
        passOn(event);
        return;
    }
    if (event->button() == Qt::LeftButton && !m_locked) {
        m_dragStart = event->position().toPoint();
        m_dragging = true;
    }
    Q_EMIT OnMouseDown(event);
}

void TlyControlSize::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_EMIT OnDblClick();
    mousePressEvent(event);
}

void TlyControlSize::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (leftHeld && !m_dragging && !m_locked) {
        // Only a press inside the parent turns into a drag (not one on another window that
        // happened to attach the handles).
        if (parentWidget() && parentWidget()->rect().contains(mapToParent(at))) {
            m_dragStart = at;
            m_dragging = true;
        } else {
            releaseGrab();
        }
    } else {
        if (!leftHeld)
            releaseGrab();
        const int code = hitTest(at.x(), at.y());
        Qt::CursorShape shape = cursorFor(code);
        if (m_locked)
            shape = Qt::ForbiddenCursor;
        if (m_dragging) {
            // The cursor of the part being dragged stays while it is dragged.
            shape = m_hitCode == HitBody ? m_dragCursor : cursorFor(m_hitCode);
            const QPoint p = clamped(at);
            drawGhost(newBounds(p.x(), p.y()));
        } else {
            m_hitCode = code;
        }
        if (shape == Qt::ArrowCursor)
            unsetCursor();
        else
            setCursor(shape);
    }
    Q_EMIT OnMouseMove(event);
}

void TlyControlSize::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_click.release(event, rect());
    if (!m_dragging || event->button() != Qt::LeftButton) {
        passOn(event);
        if (event->buttons() == Qt::NoButton)
            releaseGrab();
    } else {
        const QPoint p = clamped(event->position().toPoint());
        if (p != m_dragStart) {
            update();
            const QRect bounds = newBounds(p.x(), p.y());
            SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        }
        endGhost();
        if (isVisible() && isEnabled())
            setFocus();
        m_dragging = false;
        unsetCursor();
        releaseGrab();
    }
    if (click)
        Q_EMIT OnClick();
    Q_EMIT OnMouseUp(event);
}

void TlyControlSize::keyPressEvent(QKeyEvent *event)
{
    QRect b = geometry();
    switch (event->key()) {
    case Qt::Key_Left:
        b.translate(-1, 0);
        break;
    case Qt::Key_Right:
        b.translate(1, 0);
        break;
    case Qt::Key_Up:
        b.translate(0, -1);
        break;
    case Qt::Key_Down:
        b.translate(0, 1);
        break;
    default:
        break;
    }
    const bool arrow = b != geometry();
    if (arrow) {
        update();
        SetBounds(b.x(), b.y(), b.width(), b.height());
    }
    Q_EMIT OnKeyDown(event);
    if (!event->text().isEmpty())
        Q_EMIT OnKeyPress(event);
    // Other keys go on to the window (its shortcuts, Escape and Enter of a dialog).
    if (!arrow)
        event->ignore();
}

void TlyControlSize::keyReleaseEvent(QKeyEvent *event)
{
    Q_EMIT OnKeyUp(event);
    event->ignore();
}

void TlyControlSize::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
}

void TlyControlSize::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu)
        m_popupMenu->popup(event->globalPos());
}
