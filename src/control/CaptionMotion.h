#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

// Where the background captions stand and how the moving caption moves: the same maths for the
// background editor's preview and the card player. The area is the surface the captions are
// written over (W × H); random(n) yields 0 … n - 1.
namespace ly::caption {

enum Mode { NoMotion = 0, Twinkle = 1, HorizontalScroll = 2, VerticalScroll = 3 };

// The tick of a mode in milliseconds: 1000 for the twinkle, 60 for the scrolls; 0 for a mode
// that does not move.
int TickInterval(int mode);

// The top caption at (5, 5), the bottom caption 5 pixels above the bottom edge.
QPoint TopPosition();
QPoint BottomPosition(QSize area, int captionHeight);
// The moving caption before its first tick: centred in the area.
QPoint StartPosition(QSize area, QSize caption);
// A shadow stands one pixel right and one pixel down from its caption.
inline constexpr QPoint kShadowOffset{1, 1};
// Over the animation page every caption sits on a black panel as large as its text; the moving
// caption's panel is one pixel wider and higher.
QSize PanelSize(QSize text, bool moving);

// Where one caption slot stands on a surface (slot 0 the moving caption, 1 the top, 2 the
// bottom caption). Over the animation page `box` is the black panel, and caption and shadow
// are places inside it ((0, 0) and (1, 1)); elsewhere `box` is the caption label itself and
// the shadow label stands one pixel right and down from it, on the same surface. `moving` is
// the moving caption's current place; text is the caption's text size in its font.
struct Placement
{
    QRect box;
    QPoint caption;
    QPoint shadow;
};
Placement Place(int slot, bool overPage, QSize text, QSize area, QPoint moving);

// One tick of the moving caption from pos; width is its width (the panel's over the
// animation page, the text's elsewhere). Twinkle: a random place. Horizontal scroll: 2 pixels
// left, back at the right edge at a random height once it has left on the left. Vertical
// scroll: 2 pixels down, back at the top at a random x once its top passed the bottom.
QPoint NextPosition(int mode, QPoint pos, int width, QSize area,
                    const std::function<int(int)> &random);

} // namespace ly::caption
