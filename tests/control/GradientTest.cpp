#include "support/Printers.h"

#include "control/Gradient.h"

#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

// The expectations here are computed from the drawing rules with a model of their own: plain
// floating point instead of exact integers, a point-in-shape test per pixel instead of filled
// spans, and "the last step that covers the pixel" instead of painting in order.
namespace {

using namespace ly;

// Channels red, green, blue of a stored colour, red in the low byte.
int channel(TColor c, int k)
{
    return int(c >> (8 * k) & 0xFF);
}

QRgb expectedStep(TColor from, TColor to, int i, int n)
{
    int rgb[3];
    for (int k = 0; k < 3; ++k) {
        const int f = channel(from, k);
        const double delta = n == 0 ? 0.0 : double(i) * (channel(to, k) - f) / n;
        rgb[k] = int((f + std::lround(delta)) % 256 + 256) % 256; // halves away from zero
    }
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

QRgb pixel(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

std::string rgbText(QRgb c)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
    return text;
}

// Compares every pixel with the expected step (-1: the start colour, untouched) and reports
// the first few differences.
void expectSteps(const QImage &image, TColor from, TColor to, int n,
                 const std::function<int(int x, int y)> &stepAt)
{
    int failures = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int step = std::max(stepAt(x, y), 0);
            const QRgb want = expectedStep(from, to, step, n);
            const QRgb got = pixel(image, x, y);
            if (got != want && failures++ < 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << rgbText(got)
                              << ", expected step " << step << " " << rgbText(want);
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// Rounds halves up, as MulDiv does for positive values.
int roundedDiv(double a, double b)
{
    return int(std::floor(a / b + 0.5));
}

constexpr TColor kFrom = 0x00201A0A; // red 10, green 26, blue 32
constexpr TColor kTo = 0x0010F0FA;   // red 250, green 240, blue 16: a falling blue channel

TEST(GradientTest, HorizontalBlackToWhiteOver256PixelsIsColumnGreyLevel)
{
    const QImage image = DrawGradient(QSize(256, 3), clBlack, clWhite, rgsHorizontal);
    ASSERT_EQ(image.size(), QSize(256, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(pixel(image, x, y), qRgb(x, x, x)) << x << ", " << y;
    }
}

TEST(GradientTest, HorizontalBandsAtEveryWidth)
{
    for (const int w : {1, 2, 7, 100, 255, 257, 300, 513}) {
        SCOPED_TRACE(w);
        const QImage image = DrawGradient(QSize(w, 2), kFrom, kTo, rgsHorizontal);
        expectSteps(image, kFrom, kTo, 255, [w](int x, int) {
            for (int i = 255; i >= 0; --i) {
                if (roundedDiv(i * w, 256) <= x && x < roundedDiv((i + 1) * w, 256))
                    return i;
            }
            return -1;
        });
    }
}

TEST(GradientTest, VerticalStylesAreTheHorizontalOnesTurned)
{
    const QTransform transpose(0, 1, 1, 0, 0, 0);
    const struct
    {
        TGradientFillType vertical;
        TGradientFillType horizontal;
    } pairs[] = {{rgsVertical, rgsHorizontal}, {rgsVerticalCenter, rgsHorizontalCenter}};
    for (const auto &p : pairs) {
        for (const QSize size : {QSize(37, 300), QSize(5, 9), QSize(256, 1)}) {
            SCOPED_TRACE(GradientFillTypeName(p.vertical).toStdString() + " "
                         + std::to_string(size.width()) + "x" + std::to_string(size.height()));
            const QImage v = DrawGradient(size, kFrom, kTo, p.vertical);
            const QImage h = DrawGradient(size.transposed(), kFrom, kTo, p.horizontal);
            EXPECT_EQ(v, h.transformed(transpose).convertToFormat(QImage::Format_RGB32));
        }
    }
}

TEST(GradientTest, VerticalCenterRowsMeetInTheMiddle)
{
    const struct
    {
        int height;
        std::vector<int> rowSteps; // step of each row
        int n;
    } cases[] = {
        {10, {0, 1, 2, 3, 5, 5, 3, 2, 1, 0}, 5}, // rows 4 and 5 both get the last step
        {11, {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0}, 5},
        {2, {1, 1}, 1},
        {1, {0}, 0}, // a single step: the start colour
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.height);
        const QImage image = DrawGradient(QSize(3, c.height), kFrom, kTo, rgsVerticalCenter);
        expectSteps(image, kFrom, kTo, c.n, [&](int, int y) { return c.rowSteps[size_t(y)]; });
    }
    // The edge rows have the start colour, the middle rows the end colour.
    const QImage ten = DrawGradient(QSize(4, 10), kFrom, kTo, rgsVerticalCenter);
    for (const int y : {0, 9})
        EXPECT_EQ(pixel(ten, 2, y), qRgb(10, 26, 32));
    for (const int y : {4, 5})
        EXPECT_EQ(pixel(ten, 2, y), qRgb(250, 240, 16));
}

TEST(GradientTest, OnlyTheLowThreeBytesOfAColourCount)
{
    // clBtnFace is a system colour value (0x8000000F): drawn as red 15, green 0, blue 0.
    const QImage image = DrawGradient(QSize(256, 1), clBtnFace, 0x1FFFFFFF, rgsHorizontal);
    EXPECT_EQ(pixel(image, 0, 0), qRgb(15, 0, 0));
    EXPECT_EQ(pixel(image, 255, 0), qRgb(255, 255, 255));
}

TEST(GradientTest, RectanglesNestTowardTheCentre)
{
    for (const QSize size : {QSize(40, 30), QSize(600, 520), QSize(1, 1)}) {
        SCOPED_TRACE(size.width());
        const int w = size.width();
        const int h = size.height();
        const QImage image = DrawGradient(size, kFrom, kTo, rgsRectangle);
        // Step i's box, grown i + 1 times by (W / 2) / 255 and (H / 2) / 255 from
        // (0, 0, W + 2, H + 2); pixels outside every box (the outer edge from 510 pixels on)
        // keep the start colour.
        expectSteps(image, kFrom, kTo, 255, [&](int x, int y) {
            for (int i = 255; i >= 0; --i) {
                const double k = i + 1;
                int l = int(k * w / 510.0), r = int(w + 2 - k * w / 510.0);
                int t = int(k * h / 510.0), b = int(h + 2 - k * h / 510.0);
                if (l > r)
                    std::swap(l, r);
                if (t > b)
                    std::swap(t, b);
                if (l <= x && x < r && t <= y && y < b)
                    return i;
            }
            return -1;
        });
    }
}

TEST(GradientTest, EllipsesShrinkTowardTheCentre)
{
    for (const QSize size : {QSize(37, 23), QSize(64, 64), QSize(3, 90)}) {
        SCOPED_TRACE(size.width());
        const double w = size.width();
        const double h = size.height();
        const QImage image = DrawGradient(size, kFrom, kTo, rgsElliptic);
        expectSteps(image, kFrom, kTo, 155, [&](int x, int y) {
            for (int i = 155; i >= 0; --i) {
                const double k = i + 1;
                double l = std::trunc(-w / 4 + k * 0.75 * w / 155);
                double t = std::trunc(-h / 4 + k * 0.75 * h / 155);
                double r = std::trunc(w + w / 4 + 4 - k * 0.75 * w / 155);
                double b = std::trunc(h + h / 4 + 4 - k * 0.75 * h / 155);
                if (l > r)
                    std::swap(l, r);
                if (t > b)
                    std::swap(t, b);
                if (r == l || b == t)
                    continue;
                // The pixel's centre inside the ellipse inscribed in the box.
                const double dx = (x + 0.5 - (l + r) / 2) / ((r - l) / 2);
                const double dy = (y + 0.5 - (t + b) / 2) / ((b - t) / 2);
                if (dx * dx + dy * dy <= 1 + 1e-12)
                    return i;
            }
            return -1;
        });
    }
}

TEST(GradientTest, TheLastEllipseHasTheEndColourAtAnySize)
{
    for (const QSize size : {QSize(400, 300), QSize(1200, 900), QSize(50, 50)}) {
        SCOPED_TRACE(size.width());
        const QImage image = DrawGradient(size, clBlack, clWhite, rgsElliptic);
        EXPECT_EQ(pixel(image, size.width() / 2 + 1, size.height() / 2 + 1), qRgb(255, 255, 255));
    }
}

struct Pt
{
    double x;
    double y;
};

// Inside or on the outline of a polygon with integer corners: on a segment, or an odd number
// of crossings of the ray to the right.
bool covers(const std::vector<Pt> &poly, double px, double py)
{
    bool inside = false;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Pt a = poly[i];
        const Pt b = poly[(i + 1) % poly.size()];
        const double cross = (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
        if (cross == 0 && std::min(a.x, b.x) <= px && px <= std::max(a.x, b.x)
            && std::min(a.y, b.y) <= py && py <= std::max(a.y, b.y))
            return true;
        if ((a.y > py) != (b.y > py)) {
            const double x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
            if (px < x)
                inside = !inside;
        }
    }
    return inside;
}

using Shapes = std::function<std::vector<std::vector<Pt>>(int i, double w, double h)>;

void expectPolygonSteps(TGradientFillType type, int last, const Shapes &shapes)
{
    for (const QSize size : {QSize(23, 17), QSize(40, 40), QSize(61, 9), QSize(2, 2)}) {
        SCOPED_TRACE(GradientFillTypeName(type).toStdString() + " "
                     + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const QImage image = DrawGradient(size, kFrom, kTo, type);
        std::vector<std::vector<std::vector<Pt>>> steps;
        for (int i = 0; i <= last; ++i)
            steps.push_back(shapes(i, size.width(), size.height()));
        expectSteps(image, kFrom, kTo, 255, [&](int x, int y) {
            for (int i = last; i >= 0; --i) {
                for (const std::vector<Pt> &poly : steps[size_t(i)]) {
                    if (covers(poly, x, y))
                        return i;
                }
            }
            return -1;
        });
    }
}

TEST(GradientTest, DiagonalBands)
{
    // Walks along the picture's edges from a corner, distance d, turning at the next corner.
    using Walk = std::function<Pt(double d, double w, double h)>;
    const struct
    {
        TGradientFillType type;
        Walk first;
        Walk second;
    } cases[] = {
        {rgsNWSE,
         [](double d, double w, double) {
             return d < w ? Pt{std::trunc(d), 0} : Pt{w - 1, std::trunc(d - w)};
         },
         [](double d, double, double h) {
             return d < h ? Pt{0, std::trunc(d)} : Pt{std::trunc(d - h), h - 1};
         }},
        {rgsNWSW,
         [](double d, double w, double h) {
             return d < h ? Pt{w - 1, std::trunc(d)} : Pt{std::trunc(w - 1 - (d - h)), h - 1};
         },
         [](double d, double w, double) {
             return d < w ? Pt{std::trunc(w - 1 - d), 0} : Pt{0, std::trunc(d - (w - 1))};
         }},
        {rgsSENW,
         [](double d, double w, double h) {
             return d < h ? Pt{w - 1, std::trunc(h - 1 - d)} : Pt{std::trunc(w - 1 - (d - h)), 0};
         },
         [](double d, double w, double h) {
             return d < w ? Pt{std::trunc(w - 1 - d), h - 1}
                          : Pt{0, std::trunc(h - 1 - (d - (w - 1)))};
         }},
        {rgsSWNE,
         [](double d, double, double h) {
             return d < h ? Pt{0, std::trunc(h - 1 - d)} : Pt{std::trunc(d - h), 0};
         },
         [](double d, double w, double h) {
             return d < w ? Pt{std::trunc(d), h - 1} : Pt{w - 1, std::trunc(h - 1 - (d - w))};
         }},
    };
    for (const auto &c : cases) {
        expectPolygonSteps(c.type, 254, [&](int i, double w, double h) {
            const double d1 = i * (w + h) / 255;
            const double d2 = (i + 1) * (w + h) / 255;
            return std::vector<std::vector<Pt>>{
                {c.first(d1, w, h), c.first(d2, w, h), c.second(d2, w, h), c.second(d1, w, h)}};
        });
    }
}

TEST(GradientTest, NWSEBandsFollowTheDistanceFromTheCorner)
{
    // 255 × 255: band i covers x + y from 2i to 2i + 1 (s = 2); the right column and the
    // bottom row, where the bands turn the corners, are painted too.
    const QImage image = DrawGradient(QSize(255, 255), clBlack, clWhite, rgsNWSE);
    for (const auto &[x, y, i] : {std::tuple{0, 0, 0}, {1, 0, 0}, {0, 2, 1}, {100, 101, 100},
                                  {254, 0, 127}, {0, 254, 127}, {254, 253, 254},
                                  {254, 254, 254}}) {
        SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
        EXPECT_EQ(pixel(image, x, y), qRgb(i, i, i));
    }
}

TEST(GradientTest, SweetStrangeAndNeoPolygons)
{
    const auto md = [](int i, double v) { return roundedDiv(i * v, 255); };
    expectPolygonSteps(rgsSweet, 255, [&](int i, double w, double h) {
        const Pt c{double(int(w) / 2), double(int(h) / 2)};
        const double x1 = md(i, w), x2 = md(i + 1, w), y1 = md(i, h), y2 = md(i + 1, h);
        return std::vector<std::vector<Pt>>{{c, {0, y1}, {0, y2}},
                                            {c, {w, h - y1}, {w, h - y2}},
                                            {c, {x1, 0}, {x2, 0}},
                                            {c, {w - x1, h}, {w - x2, h}}};
    });
    expectPolygonSteps(rgsStrange, 255, [&](int i, double w, double h) {
        const double x = md(i, w), y = md(i, h);
        return std::vector<std::vector<Pt>>{{{x, y}, {0, h - y}, {w, h}, {w, 0}}};
    });
    expectPolygonSteps(rgsNeo, 255, [&](int i, double w, double h) {
        const double x = md(i, double(int(w) / 2)), y = md(i, double(int(h) / 2));
        return std::vector<std::vector<Pt>>{{{x, y}, {0, h}, {w - x, h - y}, {w, 0}}};
    });
}

TEST(GradientTest, EveryStyleFillsItsPicture)
{
    for (int t = 0; t < kGradientFillTypeCount; ++t) {
        const auto type = TGradientFillType(t);
        SCOPED_TRACE(GradientFillTypeName(type).toStdString());
        for (const QSize size : {QSize(1, 1), QSize(1, 40), QSize(33, 1), QSize(300, 200)}) {
            const QImage image = DrawGradient(size, clBlack, clWhite, type);
            ASSERT_EQ(image.size(), size);
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
        }
        EXPECT_TRUE(DrawGradient(QSize(0, 10), clBlack, clWhite, type).isNull());
        EXPECT_TRUE(DrawGradient(QSize(10, -1), clBlack, clWhite, type).isNull());
    }
}

TEST(GradientTest, StylesByOrdinalOrName)
{
    EXPECT_EQ(GradientFillTypeFromText("0"), rgsHorizontal);
    EXPECT_EQ(GradientFillTypeFromText("12"), rgsNeo);
    EXPECT_EQ(GradientFillTypeFromText("rgsVerticalCenter"), rgsVerticalCenter);
    EXPECT_EQ(GradientFillTypeFromText("RGSnwsw"), rgsNWSW);
    for (const char *bad : {"13", "-1", "", "rgs", "Horizontal", "1.0", " 1"})
        EXPECT_FALSE(GradientFillTypeFromText(bad).has_value()) << bad;
    for (int t = 0; t < kGradientFillTypeCount; ++t)
        EXPECT_EQ(GradientFillTypeFromText(GradientFillTypeName(TGradientFillType(t))), t);
}

} // namespace
