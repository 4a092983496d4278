#include "transitions/Effects.h"

#include "transitions/EffectKit.h"

#include <cmath>
#include <numbers>

namespace ly::transitions {

using namespace fx;

EffectParams effectParams(int w, int h, int step, int progress)
{
    EffectParams e;
    if (w <= 0 || h <= 0)
        return e;
    if (w >= h) {
        e.X = MulDiv(w, progress, 100);
        e.Y = MulDiv(e.X, h, w);
        e.B = MulDiv(w, step, 90);
    } else {
        e.Y = MulDiv(h, progress, 100);
        e.X = MulDiv(e.Y, w, h);
        e.B = MulDiv(h, step, 90);
    }
    return e;
}

namespace {

struct Style
{
    const char *name;
    void (*draw)(Frame &f);
};

void crissCross(Frame &f, Growth rows, From r1, From r2, Growth columns, From c1, From c2)
{
    bands(f, true, f.crossStrip(), rows, r1, r2);
    bands(f, false, f.crossStrip(), columns, c1, c2);
}

void shreds(Frame &f, From rows, From columns)
{
    Rng rng(layoutSeed(f));
    unevenShred(f, true, rows, rng);
    unevenShred(f, false, columns, rng);
}

void shred(Frame &f, bool rows, From from)
{
    Rng rng(layoutSeed(f));
    unevenShred(f, rows, from, rng);
}

// Clockwise from the top, the direction from the centre to the top left corner.
double topLeftAngle(const Frame &f)
{
    return std::atan2(-f.W / 2.0, f.H / 2.0) * 180.0 / std::numbers::pi;
}

constexpr From S = From::Start, E = From::End, M = From::Middle, Both = From::BothEnds;
constexpr Growth Two = Growth::TwoPhase, Alt = Growth::Alternate, Halves = Growth::Halves;

const Style kStyles[kStyleCount] = {
    {"Expand from right", [](Frame &f) { f.c.stretch(f.right(f.X), f.all()); }},
    {"Expand from left", [](Frame &f) { f.c.stretch(f.left(f.X), f.all()); }},
    {"Slide in from right", [](Frame &f) { f.c.place(f.all(), f.W - f.X, 0); }},
    {"Slide in from left", [](Frame &f) { f.c.place(f.all(), f.X - f.W, 0); }},
    {"Reveal from left", [](Frame &f) { f.c.copy(f.left(f.X)); }},
    {"Reveal from right", [](Frame &f) { f.c.copy(f.right(f.X)); }},
    {"Expand in from right", [](Frame &f) {
         const int y = (f.H - f.Y) / 2;
         f.c.stretch({f.W - f.X, y, f.W, y + f.Y}, f.all());
     }},
    {"Expand in from left", [](Frame &f) {
         const int y = (f.H - f.Y) / 2;
         f.c.stretch({0, y, f.X, y + f.Y}, f.all());
     }},
    {"Expand in to middle", [](Frame &f) {
         f.c.stretch(f.left(f.X / 2), {0, 0, f.W / 2, f.H});
         f.c.stretch(f.right(f.X - f.X / 2), {f.W / 2, 0, f.W, f.H});
     }},
    {"Expand out from middle", [](Frame &f) { f.c.stretch(f.middleColumns(f.X), f.all()); }},
    // 11
    {"Reveal out from middle", [](Frame &f) { f.c.copy(f.middleColumns(f.X)); }},
    {"Reveal in from sides", [](Frame &f) {
         f.c.copy(f.left(f.X / 2));
         f.c.copy(f.right(f.X - f.X / 2));
     }},
    {"Expand in from sides", [](Frame &f) {
         const int y = (f.H - f.Y) / 2;
         f.c.stretch({0, y, f.X / 2, y + f.Y}, {0, 0, f.W / 2, f.H});
         f.c.stretch({f.W - (f.X - f.X / 2), y, f.W, y + f.Y}, {f.W / 2, 0, f.W, f.H});
     }},
    {"Unroll from left", [](Frame &f) { unroll(f, false, false); }},
    {"Unroll from right", [](Frame &f) { unroll(f, false, true); }},
    {"Build up from right", [](Frame &f) { buildUp(f, false, true); }},
    {"Build up from left", [](Frame &f) { buildUp(f, false, false); }},
    {"Expand from bottom", [](Frame &f) { f.c.stretch(f.bottom(f.Y), f.all()); }},
    {"Expand from top", [](Frame &f) { f.c.stretch(f.top(f.Y), f.all()); }},
    {"Slide in from bottom", [](Frame &f) { f.c.place(f.all(), 0, f.H - f.Y); }},
    // 21
    {"Slide in from top", [](Frame &f) { f.c.place(f.all(), 0, f.Y - f.H); }},
    {"Reveal from top", [](Frame &f) { f.c.copy(f.top(f.Y)); }},
    {"Reveal from bottom", [](Frame &f) { f.c.copy(f.bottom(f.Y)); }},
    {"Expand in from bottom", [](Frame &f) {
         const int x = (f.W - f.X) / 2;
         f.c.stretch({x, f.H - f.Y, x + f.X, f.H}, f.all());
     }},
    {"Expand in from top", [](Frame &f) {
         const int x = (f.W - f.X) / 2;
         f.c.stretch({x, 0, x + f.X, f.Y}, f.all());
     }},
    {"Expand in to middle (horiz)", [](Frame &f) {
         f.c.stretch(f.top(f.Y / 2), {0, 0, f.W, f.H / 2});
         f.c.stretch(f.bottom(f.Y - f.Y / 2), {0, f.H / 2, f.W, f.H});
     }},
    {"Expand out from middle (horiz)", [](Frame &f) { f.c.stretch(f.middleRows(f.Y), f.all()); }},
    {"Reveal from middle (horiz)", [](Frame &f) { f.c.copy(f.middleRows(f.Y)); }},
    {"Slide in from top / bottom", [](Frame &f) {
         // The top half comes down from above, the bottom half up from below.
         const int a = f.Y / 2, b = f.Y - a, mid = f.H / 2;
         f.c.place(f.top(a), 0, a - mid);
         f.c.place(f.bottom(b), 0, f.H - b - mid);
     }},
    {"Expand in from top / bottom", [](Frame &f) {
         const int x = (f.W - f.X) / 2;
         f.c.stretch({x, 0, x + f.X, f.Y / 2}, {0, 0, f.W, f.H / 2});
         f.c.stretch({x, f.H - (f.Y - f.Y / 2), x + f.X, f.H}, {0, f.H / 2, f.W, f.H});
     }},
    // 31
    {"Unroll from top", [](Frame &f) { unroll(f, true, false); }},
    {"Unroll from bottom", [](Frame &f) { unroll(f, true, true); }},
    // 33 and 34 are the vertical build-ups, known by the names of 18 and 24.
    {"Expand from bottom", [](Frame &f) { buildUp(f, true, true); }},
    {"Expand in from top", [](Frame &f) { buildUp(f, true, false); }},
    {"Expand from bottom right", [](Frame &f) { f.c.stretch({f.W - f.X, f.H - f.Y, f.W, f.H}, f.all()); }},
    {"Expand from top right", [](Frame &f) { f.c.stretch({f.W - f.X, 0, f.W, f.Y}, f.all()); }},
    {"Expand from top left", [](Frame &f) { f.c.stretch({0, 0, f.X, f.Y}, f.all()); }},
    {"Expand from bottom left", [](Frame &f) { f.c.stretch({0, f.H - f.Y, f.X, f.H}, f.all()); }},
    {"Slide in from bottom right", [](Frame &f) { f.c.place(f.all(), f.W - f.X, f.H - f.Y); }},
    {"Slide in from top right", [](Frame &f) { f.c.place(f.all(), f.W - f.X, f.Y - f.H); }},
    // 41
    {"Slide in from top left", [](Frame &f) { f.c.place(f.all(), f.X - f.W, f.Y - f.H); }},
    {"Slide in from bottom left", [](Frame &f) { f.c.place(f.all(), f.X - f.W, f.H - f.Y); }},
    {"Reveal from top left", [](Frame &f) { f.c.copy({0, 0, f.X, f.Y}); }},
    {"Reveal from bottom left", [](Frame &f) { f.c.copy({0, f.H - f.Y, f.X, f.H}); }},
    {"Reveal from bottom right", [](Frame &f) { f.c.copy({f.W - f.X, f.H - f.Y, f.W, f.H}); }},
    {"Reveal from top right", [](Frame &f) { f.c.copy({f.W - f.X, 0, f.W, f.Y}); }},
    {"Appear and Contract to top left", [](Frame &f) { appearAndContract(f, 0, 0); }},
    {"Appear and Contract to bottom left", [](Frame &f) { appearAndContract(f, 0, 1); }},
    {"Appear and Contract to bottom right", [](Frame &f) { appearAndContract(f, 1, 1); }},
    {"Appear and Contract to top right", [](Frame &f) { appearAndContract(f, 1, 0); }},
    // 51
    {"Appear and Contract to middle", [](Frame &f) { appearAndContract(f, -1, -1); }},
    {"Expand out from centre", [](Frame &f) { f.c.stretch(f.centred(f.X, f.Y), f.all()); }},
    {"Reveal out from centre", [](Frame &f) { f.c.copy(f.centred(f.X, f.Y)); }},
    {"Reveal in to centre", [](Frame &f) { copyExcept(f, f.all(), f.centred(f.W - f.X, f.H - f.Y)); }},
    {"Quarters Reveal in to middle", [](Frame &f) { quarters(f, QuarterMove::Reveal); }},
    {"Quarters Expand to middle", [](Frame &f) { quarters(f, QuarterMove::Expand); }},
    {"Quarters Slide in to middle", [](Frame &f) { quarters(f, QuarterMove::Slide); }},
    {"Curved Reveal from left", [](Frame &f) { ellipse(f, 0, f.H / 2.0, f.X * 1.2, f.H); }},
    {"Curved Reveal from right", [](Frame &f) { ellipse(f, f.W, f.H / 2.0, f.X * 1.2, f.H); }},
    {"Bars in from right", [](Frame &f) { bands(f, true, 5, Two, E, E); }},
    // 61
    {"Bars in from left", [](Frame &f) { bands(f, true, 5, Two, S, S); }},
    {"Bars left then right", [](Frame &f) { bands(f, true, 5, Two, S, E); }},
    {"Bars right then left", [](Frame &f) { bands(f, true, 5, Two, E, S); }},
    {"Bars from both sides", [](Frame &f) { bands(f, true, 5, Alt, S, E); }},
    {"Uneven shred from right", [](Frame &f) { shred(f, true, E); }},
    {"Uneven shred from left", [](Frame &f) { shred(f, true, S); }},
    {"Uneven shred out from middle (horiz)", [](Frame &f) { shred(f, true, M); }},
    {"Uneven shred in to middle (horiz)", [](Frame &f) { shred(f, true, Both); }},
    {"Curved Reveal from top", [](Frame &f) { ellipse(f, f.W / 2.0, 0, f.W, f.Y * 1.2); }},
    {"Curved Reveal from bottom", [](Frame &f) { ellipse(f, f.W / 2.0, f.H, f.W, f.Y * 1.2); }},
    // 71
    {"Bars from bottom", [](Frame &f) { bands(f, false, 5, Two, E, E); }},
    {"Bars from top", [](Frame &f) { bands(f, false, 5, Two, S, S); }},
    {"Bars top then bottom", [](Frame &f) { bands(f, false, 5, Two, S, E); }},
    {"Bars bottom then top", [](Frame &f) { bands(f, false, 5, Two, E, S); }},
    {"Bars from top and bottom", [](Frame &f) { bands(f, false, 5, Alt, S, E); }},
    {"Unven shred from bottom", [](Frame &f) { shred(f, false, E); }},
    {"Uneven shred from top", [](Frame &f) { shred(f, false, S); }},
    {"Uneven shred from horizon", [](Frame &f) { shred(f, false, M); }},
    {"Uneven shred in to horizon", [](Frame &f) { shred(f, false, Both); }},
    {"Curved reveal from top left", [](Frame &f) { ellipse(f, 0, 0, f.X * 1.5, f.Y * 1.5); }},
    // 81
    {"Curved reveal from top right", [](Frame &f) { ellipse(f, f.W, 0, f.X * 1.5, f.Y * 1.5); }},
    {"Curved reveal from bottom left", [](Frame &f) { ellipse(f, 0, f.H, f.X * 1.5, f.Y * 1.5); }},
    {"Curved reveal from bottom right", [](Frame &f) { ellipse(f, f.W, f.H, f.X * 1.5, f.Y * 1.5); }},
    {"Circular reveal from centre", [](Frame &f) {
         roundedBox(f, f.W / 2.0, f.H / 2.0, f.X, f.Y, f.X * 0.9, f.Y * 0.9, false);
     }},
    {"Circular reveal to centre", [](Frame &f) {
         // The old picture shrinks in the shape of 84; at 0.7 of the picture's size that shape
         // just covers the corners, so the new picture shows from the first frames.
         const double hx = (f.W - f.X) * 0.7, hy = (f.H - f.Y) * 0.7;
         roundedBox(f, f.W / 2.0, f.H / 2.0, hx, hy, hx * 0.9, hy * 0.9, true);
     }},
    {"Criss Cross reveal from bottom right", [](Frame &f) { crissCross(f, Two, E, E, Two, E, E); }},
    {"Criss Cross reveal from top right", [](Frame &f) { crissCross(f, Two, E, E, Two, S, S); }},
    {"Criss Cross reveal from bottom left", [](Frame &f) { crissCross(f, Two, S, S, Two, E, E); }},
    {"Criss Cross reveal from top left", [](Frame &f) { crissCross(f, Two, S, S, Two, S, S); }},
    {"Criss Cross reveal bounce from top left", [](Frame &f) { crissCross(f, Two, S, E, Two, S, E); }},
    // 91
    {"Criss Cross reveal bounce from bottom left", [](Frame &f) { crissCross(f, Two, S, E, Two, E, S); }},
    {"Criss Cross reveal bounce from top right", [](Frame &f) { crissCross(f, Two, E, S, Two, S, E); }},
    {"Criss Cross reveal bounce from bottom right", [](Frame &f) { crissCross(f, Two, E, S, Two, E, S); }},
    {"Criss Cross reveal from right top and bottom", [](Frame &f) { crissCross(f, Two, E, E, Alt, S, E); }},
    {"Criss Cross reveal from left top and bottom", [](Frame &f) { crissCross(f, Two, S, S, Alt, S, E); }},
    {"Criss Cross reveal from left right and bottom", [](Frame &f) { crissCross(f, Alt, S, E, Two, E, E); }},
    {"Criss Cross reveal from left right and top", [](Frame &f) { crissCross(f, Alt, S, E, Two, S, S); }},
    {"Criss Cross reveal from top left right and bottom", [](Frame &f) { crissCross(f, Halves, S, S, Halves, S, S); }},
    {"Criss Cross reveal from bottom left top right", [](Frame &f) { crissCross(f, Alt, S, E, Alt, E, S); }},
    {"Uneven shred from bottom and right", [](Frame &f) { shreds(f, E, E); }},
    // 101
    {"Uneven shred from top and right", [](Frame &f) { shreds(f, E, S); }},
    {"Uneven shred from bottom and left", [](Frame &f) { shreds(f, S, E); }},
    {"Uneven shred from top and left", [](Frame &f) { shreds(f, S, S); }},
    {"Uneven shred from horiz and right", [](Frame &f) { shreds(f, E, M); }},
    {"Uneven shred from horiz and left", [](Frame &f) { shreds(f, S, M); }},
    {"Uneven shred from bottom and vert middle", [](Frame &f) { shreds(f, M, E); }},
    {"Uneven shred from top and vert middle", [](Frame &f) { shreds(f, M, S); }},
    {"Uneven shred from centre", [](Frame &f) { shreds(f, M, M); }},
    {"Uneven shred to centre", [](Frame &f) { shreds(f, Both, Both); }},
    {"Reveal diagonal from top left", [](Frame &f) { diagonalReveal(f, false, false); }},
    // 111
    {"Reveal diagonal from top right", [](Frame &f) { diagonalReveal(f, true, false); }},
    {"Reveal diagonal from bottom left", [](Frame &f) { diagonalReveal(f, false, true); }},
    {"Reveal diagonal from bottom right", [](Frame &f) { diagonalReveal(f, true, true); }},
    {"Diagonal sweep from top left bottom right anticlockwise", [](Frame &f) {
         const double a = topLeftAngle(f);
         wedge(f, a, -1.8 * f.p);
         wedge(f, a + 180.0, -1.8 * f.p);
     }},
    {"Diagonal sweep from top left bottom right clockwise", [](Frame &f) {
         const double a = topLeftAngle(f);
         wedge(f, a, 1.8 * f.p);
         wedge(f, a + 180.0, 1.8 * f.p);
     }},
    {"Starburst clockwise from center", [](Frame &f) {
         for (int k = 0; k < 12; ++k)
             wedge(f, k * 30.0, 0.3 * f.p);
     }},
    {"Triangular shred to top left", [](Frame &f) { triangularShred(f); }},
    {"Fade", [](Frame &f) { fade(f); }},
    {"Pivot from top left", [](Frame &f) { pivot(f, false, false); }},
    {"Pivot from bottom left", [](Frame &f) { pivot(f, false, true); }},
    // 121
    {"Pivot from top right", [](Frame &f) { pivot(f, true, false); }},
    {"Pivot from bottom right", [](Frame &f) { pivot(f, true, true); }},
    {"Speckle appear from right", [](Frame &f) { speckle(f, false, true); }},
    {"Speckle appear from left", [](Frame &f) { speckle(f, false, false); }},
    {"Speckle appear from bottom", [](Frame &f) { speckle(f, true, true); }},
    {"Speckle appear from top", [](Frame &f) { speckle(f, true, false); }},
    {"Random squares appear", [](Frame &f) { randomSquares(f); }},
    {"Push right", [](Frame &f) { push(f, false, true, false); }},
    {"Push left", [](Frame &f) { push(f, false, false, false); }},
    {"Push and squeeze right", [](Frame &f) { push(f, false, true, true); }},
    // 131
    {"Push and squeeze left", [](Frame &f) { push(f, false, false, true); }},
    {"Push down", [](Frame &f) { push(f, true, true, false); }},
    {"Push up", [](Frame &f) { push(f, true, false, false); }},
    {"Push and sqeeze down", [](Frame &f) { push(f, true, true, true); }},
    {"Push and sqeeze up", [](Frame &f) { push(f, true, false, true); }},
    {"Blind vertically", [](Frame &f) { blind(f, false); }},
    {"Blind horizontally", [](Frame &f) { blind(f, true); }},
    {"Uneven blind from left", [](Frame &f) { unevenBlind(f, false, false); }},
    {"Uneven blind from right", [](Frame &f) { unevenBlind(f, false, true); }},
    {"Uneven blind from top", [](Frame &f) { unevenBlind(f, true, false); }},
    // 141
    {"Uneven blind from bottom", [](Frame &f) { unevenBlind(f, true, true); }},
    {"Rectangular shred", [](Frame &f) { growingCells(f, CellOrder::Random); }},
    {"Sweep clockwise", [](Frame &f) { wedge(f, 0, 3.6 * f.p); }},
    {"Sweep anticlockwise", [](Frame &f) { wedge(f, 0, -3.6 * f.p); }},
    {"Rectangles apear from left and disapear to right", [](Frame &f) { growingCells(f, CellOrder::FromLeft); }},
    {"Rectangles apear from right and disapear to left", [](Frame &f) { growingCells(f, CellOrder::FromRight); }},
    {"Rectangles apear from up and disapear to bottom", [](Frame &f) { growingCells(f, CellOrder::FromTop); }},
    {"Rectangles apear from bottom and disapear to up", [](Frame &f) { growingCells(f, CellOrder::FromBottom); }},
    {"Rotational rectangle", [](Frame &f) { rotational(f, false); }},
    {"Rotational star", [](Frame &f) { rotational(f, true); }},
};

} // namespace

QString styleName(int style)
{
    if (style < 1 || style > kStyleCount)
        return QString();
    return QString::fromLatin1(kStyles[style - 1].name);
}

int styleOfName(const QString &name)
{
    for (int style = 1; style <= kStyleCount; ++style)
        if (name.compare(QLatin1String(kStyles[style - 1].name), Qt::CaseInsensitive) == 0)
            return style;
    return 0;
}

void runEffect(int style, QImage &display, const QImage &picture, QRect &update, int step,
               int progress)
{
    if (style < 1 || style > kStyleCount || display.format() != kFrameFormat
        || picture.format() != kFrameFormat) {
        return;
    }
    Canvas canvas(display, picture);
    const int w = canvas.width(), h = canvas.height();
    if (w <= 0 || h <= 0) {
        update = QRect();
        return;
    }
    const EffectParams e = effectParams(w, h, step, progress);
    Frame f{canvas, w, h, e.X, e.Y, e.B, progress};
    kStyles[style - 1].draw(f);
    update = canvas.dirty().toRect();
}

QRect drawFrame(QImage &display, const QImage &picture, int style, int step, int progress)
{
    QRect update(0, 0, display.width(), display.height());
    if (display.format() != kFrameFormat || picture.format() != kFrameFormat)
        return update;
    if (progress >= 100) {
        Canvas canvas(display, picture);
        canvas.copy(Box::sized(canvas.width(), canvas.height()));
    } else if (progress >= 1) {
        runEffect(style, display, picture, update, step, progress);
    }
    return update;
}

QRect composeFrame(QImage &display, const QImage &snapshot, const QImage &picture, int style,
                   int step, int progress)
{
    copyFrame(display, snapshot);
    return drawFrame(display, picture, style, step, progress);
}

} // namespace ly::transitions
