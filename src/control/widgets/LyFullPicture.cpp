#include "control/widgets/LyFullPicture.h"

#include <QMouseEvent>
#include <QPainter>

TLyFullPicture::TLyFullPicture(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Window))
{
    // The paint covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLyFullPicture::setLyLoadPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void TLyFullPicture::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TLyFullPicture::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void TLyFullPicture::paintEvent(QPaintEvent *)
{
    // The colour first, so pictures with see-through parts show it there.
    QPixmap bitmap(size());
    bitmap.fill(m_color);
    if (!m_picture.isNull()) {
        QPainter tiles(&bitmap);
        const int w = m_picture.width();
        const int h = m_picture.height();
        for (int x = 0; x < w + width(); x += w)
            for (int y = 0; y < h + height(); y += h)
                tiles.drawPixmap(x, y, m_picture);
    }
    QPainter(this).drawPixmap(0, 0, bitmap);
}

void TLyFullPicture::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    Q_EMIT OnMouseDown(event);
}

void TLyFullPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
