#include "transitions/Effects.h"
#include "transitions/Pixels.h"

#include "support/Printers.h"

#include <QSet>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

namespace tr = ly::transitions;

// Old pixels have blue 17, new ones blue 200, and every pixel of an image its own colour, so a
// frame tells where each of its pixels came from.
QRgb oldAt(int x, int y) { return qRgb(x & 0xff, y & 0xff, 17); }
QRgb newAt(int x, int y) { return qRgb(y & 0xff, x & 0xff, 200); }

QImage imageOf(int w, int h, QRgb (*at)(int, int))
{
    QImage image(w, h, tr::kFrameFormat);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, at(x, y));
    return image;
}

struct Composed
{
    QImage frame;
    QRect update;
};

Composed compose(int style, int w, int h, int step, int progress)
{
    Composed c;
    c.update = tr::composeFrame(c.frame, imageOf(w, h, oldAt), imageOf(w, h, newAt), style, step,
                                progress);
    return c;
}

bool isNew(QRgb c) { return qBlue(c) == 200; }

// The first pixel where the frame differs from the expected one, as text; empty when none.
std::string firstMismatch(const QImage &frame, const std::function<QRgb(int, int)> &expected)
{
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != expected(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
}

TEST(EffectParamsTest, RoundedSixtyFourBitProducts)
{
    struct Case
    {
        int w, h, step, p, X, Y, B;
    };
    const Case cases[] = {
        {470, 330, 5, 50, 235, 165, 26},
        {100, 50, 4, 1, 1, 1, 4},         // Y = 0.5 rounds away from zero
        {50, 100, 4, 33, 17, 33, 4},      // taller than wide: Y first, X = 16.5 rounds up
        {10, 10, 1, 1, 0, 0, 0},          // B = 0 on small pictures
        {1920, 1080, 100, 99, 1901, 1069, 2133},
        {100000, 70000, 90, 77, 77000, 53900, 100000}, // products beyond 32 bits
    };
    for (const Case &c : cases) {
        const tr::EffectParams e = tr::effectParams(c.w, c.h, c.step, c.p);
        EXPECT_EQ(e.X, c.X) << c.w << "x" << c.h << " p " << c.p;
        EXPECT_EQ(e.Y, c.Y) << c.w << "x" << c.h << " p " << c.p;
        EXPECT_EQ(e.B, c.B) << c.w << "x" << c.h << " step " << c.step;
    }
}

TEST(StyleNamesTest, CatalogueNamesAndLookUp)
{
    EXPECT_EQ(tr::styleName(1), QStringLiteral("Expand from right"));
    EXPECT_EQ(tr::styleName(51), QStringLiteral("Appear and Contract to middle"));
    EXPECT_EQ(tr::styleName(76), QStringLiteral("Unven shred from bottom"));
    EXPECT_EQ(tr::styleName(150), QStringLiteral("Rotational star"));
    EXPECT_EQ(tr::styleName(0), QString());
    EXPECT_EQ(tr::styleName(151), QString());

    EXPECT_EQ(tr::styleOfName(QStringLiteral("fADE")), 118);
    EXPECT_EQ(tr::styleOfName(QStringLiteral("Push and sqeeze up")), 135);
    EXPECT_EQ(tr::styleOfName(QStringLiteral("No such effect")), 0);
    // 33 and 34 carry the names of 18 and 24; a name selects its first style.
    EXPECT_EQ(tr::styleName(33), tr::styleName(18));
    EXPECT_EQ(tr::styleName(34), tr::styleName(25));
    EXPECT_EQ(tr::styleOfName(tr::styleName(33)), 18);
    EXPECT_EQ(tr::styleOfName(tr::styleName(34)), 25);

    QSet<QString> names;
    for (int style = 1; style <= tr::kStyleCount; ++style)
        names.insert(tr::styleName(style));
    EXPECT_EQ(names.size(), tr::kStyleCount - 2);
}

// The members of the catalogue whose frames are fixed exactly, against their formulas.
struct Exact
{
    int style, w, h, step, p;
    std::function<QRgb(const tr::EffectParams &, int w, int h, int p, int x, int y)> expected;
};

QRgb rotationalRectangle(const tr::EffectParams &e, int w, int h, int p, int x, int y)
{
    const double a = p * 3.6 * std::numbers::pi / 180.0;
    const double dx = x + 0.5 - w / 2.0, dy = y + 0.5 - h / 2.0;
    const double u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
    return std::abs(u) < e.X / 2.0 && std::abs(v) < e.Y / 2.0 ? newAt(x, y) : oldAt(x, y);
}

// The display pixel takes the picture pixel that the turn about the corner brings onto its
// centre (16.16 fixed point); the top corners bring the picture in from above, so top left
// and bottom right turn it anticlockwise (a negative angle on the screen).
std::function<QRgb(const tr::EffectParams &, int, int, int, int, int)> pivotAbout(bool right, bool bottom)
{
    return [=](const tr::EffectParams &, int w, int h, int p, int x, int y) {
        const double turn = (100 - p) * 90.0 / 100.0 * (right != bottom ? 1 : -1) * std::numbers::pi / 180.0;
        const qint64 c = std::llround(std::cos(turn) * 65536), s = std::llround(std::sin(turn) * 65536);
        const qint64 px = right ? w : 0, py = bottom ? h : 0;
        const qint64 dx2 = 2 * (x - px) + 1, dy2 = 2 * (y - py) + 1;
        const qint64 sx = ((dx2 * c + dy2 * s) >> 1) + px * 65536;
        const qint64 sy = ((-dx2 * s + dy2 * c) >> 1) + py * 65536;
        if (sx < 0 || sy < 0 || sx >= qint64(w) * 65536 || sy >= qint64(h) * 65536)
            return oldAt(x, y);
        return newAt(int(sx >> 16), int(sy >> 16));
    };
}

const Exact kExact[] = {
    {1, 64, 40, 4, 30, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x >= w - e.X ? newAt(int(qint64(x - (w - e.X)) * w / e.X), y) : oldAt(x, y);
     }},
    {2, 64, 40, 4, 70, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x < e.X ? newAt(int(qint64(x) * w / e.X), y) : oldAt(x, y);
     }},
    {3, 64, 40, 4, 30, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x >= w - e.X ? newAt(x - (w - e.X), y) : oldAt(x, y);
     }},
    {4, 64, 40, 4, 30, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x < e.X ? newAt(x + w - e.X, y) : oldAt(x, y);
     }},
    {5, 40, 64, 4, 45, [](const tr::EffectParams &e, int, int, int, int x, int y) {
         return x < e.X ? newAt(x, y) : oldAt(x, y);
     }},
    {6, 64, 40, 4, 45, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x >= w - e.X ? newAt(x, y) : oldAt(x, y);
     }},
    // Bars 5 high: the even ones over 2X from the right (snapping to the whole width once
    // fewer than B columns are missing), then the odd ones over 2X − W.
    {60, 90, 33, 5, 20, nullptr},
    {60, 90, 33, 5, 48, nullptr}, // 2X = 86: W < B + 2X, the even bars snap to full width
    {60, 90, 33, 5, 80, nullptr},
    {84, 80, 60, 4, 30, [](const tr::EffectParams &e, int w, int h, int, int x, int y) {
         const double dx = std::abs(x + 0.5 - w / 2.0), dy = std::abs(y + 0.5 - h / 2.0);
         const double hx = e.X, hy = e.Y, rx = 0.9 * e.X, ry = 0.9 * e.Y;
         const double ex = (dx - (hx - rx)) / rx, ey = (dy - (hy - ry)) / ry;
         const bool inside = dx < hx && dy < hy && (dx <= hx - rx || dy <= hy - ry || ex * ex + ey * ey < 1);
         return inside ? newAt(x, y) : oldAt(x, y);
     }},
    {118, 50, 30, 4, 50, nullptr},
    {118, 50, 30, 4, 13, nullptr},
    {119, 48, 30, 4, 35, pivotAbout(false, false)},
    {120, 48, 30, 4, 60, pivotAbout(false, true)},
    {121, 48, 30, 4, 10, pivotAbout(true, false)},
    {122, 48, 30, 4, 85, pivotAbout(true, true)},
    {128, 64, 40, 4, 30, [](const tr::EffectParams &e, int w, int, int, int x, int y) {
         return x >= e.X ? oldAt(x - e.X, y) : newAt(w - e.X + x, y);
     }},
    {136, 100, 20, 5, 40, [](const tr::EffectParams &e, int, int, int p, int x, int y) {
         const int pitch = 100 / e.B; // B = 6, pitch 16: the last band is cut to 4 columns
         return x % pitch < p * pitch / 100 ? newAt(x, y) : oldAt(x, y);
     }},
    // A pie from the centre, opening clockwise from the top by p × 3.6 degrees.
    {143, 64, 40, 4, 25, nullptr},
    {143, 64, 40, 4, 50, nullptr},
    {143, 64, 40, 4, 75, nullptr},
    {149, 64, 48, 4, 10, rotationalRectangle},
    {149, 64, 48, 4, 40, rotationalRectangle},
};

QRgb barsInFromRight(const tr::EffectParams &e, int w, int, int, int x, int y)
{
    int length;
    if (y / 5 % 2 == 0)
        length = 2 * e.X < w ? (w < e.B + 2 * e.X ? w : 2 * e.X) : w;
    else
        length = 2 * e.X >= w ? 2 * e.X - w : 0;
    return x >= w - length ? newAt(x, y) : oldAt(x, y);
}

QRgb fadeOf(const tr::EffectParams &, int, int, int p, int x, int y)
{
    const QRgb o = oldAt(x, y), n = newAt(x, y);
    return qRgb((qRed(o) * (100 - p) + qRed(n) * p) / 100, (qGreen(o) * (100 - p) + qGreen(n) * p) / 100,
                (qBlue(o) * (100 - p) + qBlue(n) * p) / 100);
}

QRgb sweepClockwise(const tr::EffectParams &, int w, int h, int p, int x, int y)
{
    double angle = std::atan2(x + 0.5 - w / 2.0, h / 2.0 - (y + 0.5)) * 180.0 / std::numbers::pi;
    if (angle < 0)
        angle += 360.0;
    return angle < p * 3.6 ? newAt(x, y) : oldAt(x, y);
}

TEST(ExactEffectsTest, FramesFollowTheirFormulas)
{
    for (const Exact &c : kExact) {
        auto expected = c.expected;
        if (!expected)
            expected = c.style == 60 ? barsInFromRight : c.style == 118 ? fadeOf : sweepClockwise;
        const tr::EffectParams e = tr::effectParams(c.w, c.h, c.step, c.p);
        const Composed got = compose(c.style, c.w, c.h, c.step, c.p);
        EXPECT_EQ(firstMismatch(got.frame, [&](int x, int y) { return expected(e, c.w, c.h, c.p, x, y); }), "")
            << "style " << c.style << " at " << c.p;
    }
}

TEST(ExactEffectsTest, FadeAtHalfIsTheRoundedDownAverage)
{
    QImage frame;
    QImage before(1, 1, tr::kFrameFormat), after(1, 1, tr::kFrameFormat);
    before.fill(qRgb(0, 101, 255));
    after.fill(qRgb(255, 0, 254));
    tr::composeFrame(frame, before, after, 118, 4, 50);
    EXPECT_EQ(frame.pixel(0, 0), qRgb(127, 50, 254));
}

TEST(ExactEffectsTest, PivotsSwingInFromAboveAtTheTopAndFromBelowAtTheBottom)
{
    // Early on only a sliver of the turned picture is in the area: along the top edge for the
    // top corners, along the bottom edge for the bottom ones.
    struct Case
    {
        int style;
        bool topEdge;
    };
    for (const Case c : {Case{119, true}, Case{121, true}, Case{120, false}, Case{122, false}}) {
        const QImage frame = compose(c.style, 60, 40, 4, 20).frame;
        int newTop = 0, newBottom = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                (y < 20 ? newTop : newBottom) += isNew(frame.pixel(x, y));
        EXPECT_GT(c.topEdge ? newTop : newBottom, 0) << "style " << c.style;
        EXPECT_EQ(c.topEdge ? newBottom : newTop, 0) << "style " << c.style;
    }
}

TEST(RandomSquaresTest, SquaresOfTheGridAppearAndStay)
{
    const int w = 90, h = 60, step = 5; // B = 5: grid pitch 2
    QImage previous;
    for (int p : {1, 10, 30, 60, 90, 99}) {
        const QImage frame = compose(127, w, h, step, p).frame;
        EXPECT_EQ(frame, compose(127, w, h, step, p).frame) << "the layout is restarted every frame";
        int shown = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool now = isNew(frame.pixel(x, y));
                shown += now;
                // Squares of half-size 2 about grid points cover whole 2 × 2 cells.
                EXPECT_EQ(now, isNew(frame.pixel(x & ~1, y & ~1))) << x << "," << y << " at " << p;
                if (!previous.isNull() && isNew(previous.pixel(x, y))) {
                    EXPECT_TRUE(now) << "a square went away at " << x << "," << y << " at " << p;
                }
            }
        }
        EXPECT_GT(shown, 0) << "at " << p;
        if (p <= 30) {
            EXPECT_LT(shown, w * h) << "at " << p;
        }
        previous = frame;
    }
}

TEST(SpeckleTest, PictureUpToTheEdgeAndSquaresJustAheadOfIt)
{
    const int w = 200, h = 80, p = 40;
    const tr::EffectParams e = tr::effectParams(w, h, 4, p);
    const QImage frame = compose(123, w, h, 4, p).frame; // from the right
    int ahead = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = frame.pixel(x, y);
            if (x >= w - e.X) {
                EXPECT_EQ(c, newAt(x, y)) << x << "," << y;
            } else if (x >= w - e.X - w / 10) {
                ahead += isNew(c);
                EXPECT_TRUE(c == newAt(x, y) || c == oldAt(x, y)) << x << "," << y;
            } else {
                EXPECT_EQ(c, oldAt(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(ahead, 0);
}

// Every style, at sizes down to a single pixel and with Steps that make B 0 or larger than the
// picture: no fault, only pixels of the new picture inside the reported update rectangle (the
// pushes and Fade move or mix the old ones), and the same frame when composed again.
TEST(AllEffectsTest, FramesStayInsideTheUpdateRectangle)
{
    const QSize sizes[] = {{1, 1}, {2, 1}, {1, 3}, {3, 2}, {17, 9}, {9, 17}, {64, 40}};
    for (const QSize size : sizes) {
        for (int step : {1, 5, 100}) {
            for (int p : {1, 25, 50, 75, 99}) {
                for (int style = 1; style <= tr::kStyleCount; ++style) {
                    const Composed c = compose(style, size.width(), size.height(), step, p);
                    const bool movesOld = style == 118 || (style >= 128 && style <= 135);
                    for (int y = 0; y < size.height(); ++y) {
                        for (int x = 0; x < size.width(); ++x) {
                            const QRgb pixel = c.frame.pixel(x, y);
                            if (pixel == oldAt(x, y))
                                continue;
                            ASSERT_TRUE(c.update.contains(x, y))
                                << "style " << style << " " << size.width() << "x" << size.height()
                                << " step " << step << " at " << p << ": " << x << "," << y;
                            if (!movesOld) {
                                ASSERT_TRUE(isNew(pixel)) << "style " << style << " at " << p;
                            }
                        }
                    }
                    if (style < 123 || style > 126) { // the speckles draw new squares every frame
                        ASSERT_EQ(c.frame, compose(style, size.width(), size.height(), step, p).frame)
                            << "style " << style;
                    }
                }
            }
        }
    }
}

// What the contact sheet shows: at 25, 50 and 75 every style has brought something new, at
// 25 and 50 it is not done yet, and no style looks like its neighbour at all three.
TEST(AllEffectsTest, EveryStyleIsUnderWayAndDiffersFromItsNeighbours)
{
    const int w = 96, h = 64, step = 5;
    const QImage whole = imageOf(w, h, newAt);
    QList<QImage> previous;
    for (int style = 1; style <= tr::kStyleCount; ++style) {
        QList<QImage> frames;
        for (int p : {25, 50, 75}) {
            const QImage frame = compose(style, w, h, step, p).frame;
            EXPECT_NE(frame, imageOf(w, h, oldAt)) << "style " << style << " at " << p;
            if (p < 75) {
                EXPECT_NE(frame, whole) << "style " << style << " at " << p;
            }
            frames.append(frame);
        }
        if (!previous.isEmpty()) {
            EXPECT_NE(frames, previous) << "styles " << style - 1 << " and " << style;
        }
        previous = frames;
    }
}

TEST(AllEffectsTest, TheEndsShowTheSnapshotAndTheWholePicture)
{
    for (int style : {0, 1, 118, 150}) {
        const Composed start = compose(style, 30, 20, 4, 0);
        EXPECT_EQ(start.frame, imageOf(30, 20, oldAt));
        const Composed end = compose(style, 30, 20, 4, 100);
        EXPECT_EQ(end.frame, imageOf(30, 20, newAt));
        EXPECT_EQ(end.update, QRect(0, 0, 30, 20));
    }
}

TEST(PixelsTest, AspectFitCentresTheScaledRectangle)
{
    struct Case
    {
        tr::Box s, t, expected;
    };
    const Case cases[] = {
        {{0, 0, 200, 100}, {0, 0, 470, 330}, {0, 47, 470, 282}},   // wide: full width
        {{0, 0, 100, 200}, {0, 0, 470, 330}, {152, 0, 317, 330}},  // tall: full height, 165 wide
        {{0, 0, 47, 33}, {10, 20, 480, 350}, {10, 20, 480, 350}},  // same ratio
        {{0, 0, 3, 1}, {0, 0, 4, 4}, {0, 1, 4, 2}},                // height 4/3 rounds to 1
    };
    for (const Case &c : cases)
        EXPECT_EQ(tr::aspectFit(c.s, c.t), c.expected)
            << c.expected.x0 << "," << c.expected.y0 << "," << c.expected.x1 << "," << c.expected.y1;
}

TEST(PixelsTest, StretchDropsPixelsAndSkipsSourceOutsideTheImage)
{
    QImage src(4, 1, tr::kFrameFormat);
    for (int x = 0; x < 4; ++x)
        src.setPixel(x, 0, qRgb(x, 0, 0));
    QImage dst(8, 1, tr::kFrameFormat);
    dst.fill(qRgb(9, 9, 9));
    // Target column i shows source column i × 4 div 8; the source box starts left of the image.
    tr::stretchCopy(dst, {0, 0, 8, 1}, src, {-2, 0, 2, 1});
    const int expected[] = {-1, -1, -1, -1, 0, 0, 1, 1}; // -1: left alone
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(dst.pixel(x, 0), expected[x] < 0 ? qRgb(9, 9, 9) : qRgb(expected[x], 0, 0)) << x;

    tr::stretchCopy(dst, {0, 0, 2, 1}, src, {0, 0, 4, 1}); // squeezed: columns 0 and 2
    EXPECT_EQ(dst.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(dst.pixel(1, 0), qRgb(2, 0, 0));
}

TEST(PixelsTest, FrameImagesAreOpaqueAndSized)
{
    QImage translucent(2, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(0, 0, 0, 0));
    translucent.setPixel(0, 0, qRgba(255, 0, 0, 255));
    const QImage frame = tr::toFrameImage(translucent, 4, 4, qRgb(0, 0, 255));
    EXPECT_EQ(frame.format(), tr::kFrameFormat);
    EXPECT_EQ(frame.size(), QSize(4, 4));
    EXPECT_EQ(frame.pixel(1, 1), qRgb(255, 0, 0)); // scaled up by two
    EXPECT_EQ(frame.pixel(3, 3), qRgb(0, 0, 255)); // the transparent part shows the fill colour
}

} // namespace
