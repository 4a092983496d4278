#include "control/CaptionMotion.h"

#include <algorithm>

namespace ly::caption {

namespace {
constexpr int kMargin = 5;
constexpr int kScrollStep = 2;

int randomBelow(const std::function<int(int)> &random, int n)
{
    return n > 0 ? random(n) : 0;
}
} // namespace

int TickInterval(int mode)
{
    switch (mode) {
    case Twinkle:
        return 1000;
    case HorizontalScroll:
    case VerticalScroll:
        return 60;
    default:
        return 0;
    }
}

QPoint TopPosition()
{
    return {kMargin, kMargin};
}

QPoint BottomPosition(QSize area, int captionHeight)
{
    return {kMargin, area.height() - captionHeight - kMargin};
}

QPoint StartPosition(QSize area, QSize caption)
{
    return {std::max(0, (area.width() - caption.width()) / 2),
            std::max(0, (area.height() - caption.height()) / 2)};
}

QSize PanelSize(QSize text, bool moving)
{
    return moving ? text + QSize(1, 1) : text;
}

Placement Place(int slot, bool overPage, QSize text, QSize area, QPoint moving)
{
    const QSize size = overPage ? PanelSize(text, slot == 0) : text;
    QPoint at;
    switch (slot) {
    case 0:
        at = moving;
        break;
    case 1:
        at = TopPosition();
        break;
    default:
        at = BottomPosition(area, size.height());
        break;
    }
    const QRect box(at, size);
    if (overPage)
        return {box, QPoint(0, 0), kShadowOffset};
    return {box, at, at + kShadowOffset};
}

QPoint NextPosition(int mode, QPoint pos, int width, QSize area,
                    const std::function<int(int)> &random)
{
    const int w = area.width();
    const int h = area.height();
    switch (mode) {
    case Twinkle:
        return {randomBelow(random, w), randomBelow(random, h)};
    case HorizontalScroll:
        pos.rx() -= kScrollStep;
        if (pos.x() < -width)
            pos = {w, randomBelow(random, h)};
        return pos;
    case VerticalScroll:
        pos.ry() += kScrollStep;
        if (pos.y() > h) {
            const int x = randomBelow(random, w);
            pos = {x < width ? x : x - width, 0};
        }
        return pos;
    default:
        return pos;
    }
}

} // namespace ly::caption
