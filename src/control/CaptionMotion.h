#pragma once

#include <QPoint>
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

// One tick of the moving caption from pos; width is its width (the panel's over the
// animation page, the text's elsewhere). Twinkle: a random place. Horizontal scroll: 2 pixels
// left, back at the right edge at a random height once it has left on the left. Vertical
// scroll: 2 pixels down, back at the top at a random x once its top passed the bottom.
QPoint NextPosition(int mode, QPoint pos, int width, QSize area,
                    const std::function<int(int)> &random);

} // namespace ly::caption
