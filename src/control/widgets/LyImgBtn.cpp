#include "control/widgets/LyImgBtn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

TlyImgBtn::TlyImgBtn(QWidget *parent)
    : QWidget(parent)
{
}

void TlyImgBtn::setPicIdle(const QPixmap &picture)
{
    m_picIdle = picture;
    setPicture(picture);
}

void TlyImgBtn::setPicDown(const QPixmap &picture)
{
    m_picDown = picture;
}

void TlyImgBtn::setPicUp(const QPixmap &picture)
{
    m_picUp = picture;
}

void TlyImgBtn::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_autoSize && !picture.isNull())
        resize(picture.size());
    update();
}

void TlyImgBtn::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    setPicture(m_picture);
}

void TlyImgBtn::setCenter(bool center)
{
    m_center = center;
    update();
}

void TlyImgBtn::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (m_center)
        p.drawPixmap((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2, m_picture);
    else
        p.drawPixmap(0, 0, m_picture);
}

void TlyImgBtn::MouseEnter(QEvent *event)
{
    m_inside = true;
    setPicture(m_pressed ? m_picDown : m_picUp);
    Q_EMIT OnMouseEnter(event);
}

void TlyImgBtn::MouseLeave(QEvent *event)
{
    m_inside = false;
    setPicture(m_picIdle);
    Q_EMIT OnMouseLeave(event);
}

// Qt holds back enter and leave while a button is held (the press grabs the mouse); the button
// follows the pointer itself then, in mouseMoveEvent, so both are seen once per crossing.
void TlyImgBtn::enterEvent(QEnterEvent *event)
{
    if (m_supported && !m_inside)
        MouseEnter(event);
}

void TlyImgBtn::leaveEvent(QEvent *event)
{
    if (m_supported && m_inside)
        MouseLeave(event);
}

void TlyImgBtn::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_supported || !m_pressed)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over && !m_inside)
        MouseEnter(event);
    else if (!over && m_inside)
        MouseLeave(event);
}

void TlyImgBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_click.press(event);
    if (!m_supported)
        return;
    m_pressed = true;
    if (m_inside)
        setPicture(m_picDown);
    Q_EMIT OnMouseDown(event);
}

void TlyImgBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_click.release(event, rect())) {
        // The handler may close and delete the window that holds the button.
        QPointer<TlyImgBtn> self(this);
        Q_EMIT OnClick();
        if (!self)
            return;
    }
    if (!m_supported)
        return;
    m_pressed = false;
    if (m_inside)
        setPicture(m_picUp);
    Q_EMIT OnMouseUp(event);
}
