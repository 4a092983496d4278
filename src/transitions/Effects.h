#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The transition engine's effect catalogue: 150 procedures that compose one frame of a
// transition from the old-screen snapshot and the new picture, and the frame composition that
// the control and lyrabell-tool share.
namespace ly::transitions {

inline constexpr int kStyleCount = 150;
// Styles 118 … 122 ("Fade" and the pivots) are the pixel effects.
inline constexpr int kFirstPixelStyle = 118;
inline constexpr int kLastPixelStyle = 122;

// The parameters most effects share, from the update rectangle's size, Step and progress:
// X and Y are the extents of the new picture, B a band count or size.
struct EffectParams
{
    int X = 0, Y = 0, B = 0;
};
EffectParams effectParams(int w, int h, int step, int progress);

// The catalogue name of style 1 … 150; an empty string for any other number.
QString styleName(int style);
// The first style whose catalogue name equals name without regard to case; 0 when none does.
int styleOfName(const QString &name);

// Runs the catalogue procedure of style 1 … 150. display holds the old-screen snapshot and
// picture the new picture, both 32-bit and of one size; update is (0, 0, width, height) on
// entry and is narrowed to the area the effect changed. progress is 1 … 99.
void runEffect(int style, QImage &display, const QImage &picture, QRect &update, int step,
               int progress);

// Draws the frame at progress onto display, which holds the snapshot: the whole picture at
// 100, the style's effect at 1 … 99, nothing at 0. Returns the update rectangle.
QRect drawFrame(QImage &display, const QImage &picture, int style, int step, int progress);

// A whole frame: display receives the snapshot, then drawFrame.
QRect composeFrame(QImage &display, const QImage &snapshot, const QImage &picture, int style,
                   int step, int progress);

} // namespace ly::transitions
