#include "control/widgets/LyTrackbar.h"

#include <QMouseEvent>

TlyTrackbar::TlyTrackbar(QWidget *parent)
    : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::TicksBelow);
}

void TlyTrackbar::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    Q_EMIT OnMouseDown(event);
}

void TlyTrackbar::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    Q_EMIT OnMouseUp(event);
}
