#include "control/widgets/NewImage.h"

#include "control/widgets/NewPanel.h"

#include <QMouseEvent>
#include <QPainter>

TNewImage::TNewImage(QWidget *parent)
    : QWidget(parent)
{
}

void TNewImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void TNewImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

void TNewImage::mousePressEvent(QMouseEvent *event)
{
    m_leftDown = event->button() == Qt::LeftButton;
    if (IsClickPress(event))
        Q_EMIT OnClick();
}

void TNewImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = IsClickRelease(event, this, m_leftDown);
    m_leftDown = false;
    if (click)
        Q_EMIT OnClick();
}
