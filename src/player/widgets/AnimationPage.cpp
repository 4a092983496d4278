#include "player/widgets/AnimationPage.h"

#include <QPalette>

namespace ly::player {

StillAnimationPage::StillAnimationPage(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
}

} // namespace ly::player
