#include "player/widgets/CaptionLayer.h"

#include "player/BackgroundPicture.h"

#include <QPainter>

namespace ly::player {

CaptionLayer::CaptionLayer(BackgroundPicture &background, QWidget *parent)
    : QWidget(parent), m_background(background)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CaptionLayer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    m_background.paintCaptions(painter, size());
}

} // namespace ly::player
