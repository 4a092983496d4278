#include "control/widgets/LyChargeImg.h"

#include <QMouseEvent>
#include <QPainter>

TLyChargeImg::TLyChargeImg(QWidget *parent)
    : QWidget(parent)
{
    // Mouse moves are reported without a button held, too.
    setMouseTracking(true);
    resize(24, 24);
    redraw();
}

void TLyChargeImg::setFromColor(ly::TColor color)
{
    if (color == m_fromColor)
        return;
    m_fromColor = color;
    redraw();
}

void TLyChargeImg::setToColor(ly::TColor color)
{
    if (color == m_toColor)
        return;
    m_toColor = color;
    redraw();
}

void TLyChargeImg::setGradientFillType(ly::TGradientFillType type)
{
    if (type == m_fillType)
        return;
    m_fillType = type;
    redraw();
}

void TLyChargeImg::redraw()
{
    m_bitmap = ly::DrawGradient(size(), m_fromColor, m_toColor, m_fillType);
    update();
}

void TLyChargeImg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bitmap);
}

void TLyChargeImg::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_bitmap.size() != size())
        redraw();
}

void TLyChargeImg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_armed = false;
    QWidget::changeEvent(event);
}

void TLyChargeImg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_armed = true;
    Q_EMIT OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TLyChargeImg::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Comes after the second press, which has already been passed on and armed the click.
    if (event->button() == Qt::LeftButton)
        Q_EMIT OnDblClick();
}

void TLyChargeImg::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT OnMouseMove(event->modifiers(), event->position().toPoint());
}

void TLyChargeImg::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = m_armed && event->button() == Qt::LeftButton && pos.x() >= 0
                       && pos.y() >= 0 && pos.x() <= width() && pos.y() <= height();
    if (event->button() == Qt::LeftButton)
        m_armed = false;
    Q_EMIT OnMouseUp(event->button(), event->modifiers(), pos);
    if (click)
        Q_EMIT OnClick();
}
