#include "control/Gradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <span>
#include <vector>

namespace ly {

namespace {

constexpr const char *kNames[kGradientFillTypeCount] = {
    "rgsHorizontal", "rgsVertical", "rgsElliptic", "rgsRectangle", "rgsVerticalCenter",
    "rgsHorizontalCenter", "rgsNWSE", "rgsNWSW", "rgsSENW", "rgsSWNE",
    "rgsSweet", "rgsStrange", "rgsNeo",
};

// Floor and ceiling of a / b for b > 0.
int64_t floorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t ceilDiv(int64_t a, int64_t b)
{
    return -floorDiv(-a, b);
}

int64_t isqrt(int64_t v)
{
    auto r = int64_t(std::sqrt(double(v)));
    while (r > 0 && r * r > v)
        --r;
    while ((r + 1) * (r + 1) <= v)
        ++r;
    return r;
}

struct Point
{
    int64_t x;
    int64_t y;
};

// The step colour: each channel From + MulDiv(i, To − From, n), modulo 256. With a single
// step (n = 0) that is the start colour.
QRgb stepColor(TColor from, TColor to, int i, int n)
{
    int channel[3];
    for (int k = 0; k < 3; ++k) {
        const int f = int(from >> (8 * k) & 0xFF);
        const int t = int(to >> (8 * k) & 0xFF);
        channel[k] = n == 0 ? f : (f + MulDiv(i, t - f, n)) & 0xFF;
    }
    return qRgb(channel[0], channel[1], channel[2]);
}

// Pixel (x, y) is the point (x, y): rectangles and ellipses cover the pixels of their box with
// the right and bottom edges excluded; polygons cover every pixel whose point lies inside or
// on their outline. Everything is clipped to the picture.
// Paints in order, later shapes over earlier ones, as the drawing steps do. For styles whose
// shapes lie over each other many times (Layered), the shapes are only noted as runs of
// pixels per row; resolve() then writes each pixel once, with the colour of the last run
// that covers it, instead of once per shape over it.
class Canvas
{
public:
    enum class Shapes { Side, Layered };

    Canvas(QImage &image, Shapes shapes)
        : m_image(image), m_width(image.width()), m_height(image.height()),
          m_layered(shapes == Shapes::Layered), m_runs(m_layered ? size_t(image.height()) : 0)
    {
    }

    // Writes the noted runs into the picture; pixels no run covers keep their colour.
    void resolve()
    {
        // next[x]: the first pixel at or after x that no later run has taken yet.
        std::vector<int32_t> next(size_t(m_width) + 1);
        const auto first = [&next](int32_t x) {
            while (next[size_t(x)] != x) {
                next[size_t(x)] = next[size_t(next[size_t(x)])];
                x = next[size_t(x)];
            }
            return x;
        };
        for (int64_t y = 0; y < int64_t(m_runs.size()); ++y) {
            std::vector<Run> &runs = m_runs[size_t(y)];
            if (runs.empty())
                continue;
            std::iota(next.begin(), next.end(), 0);
            auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(int(y)));
            for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
                for (int32_t x = first(run->x0); x <= run->x1; x = first(x + 1)) {
                    line[x] = run->color;
                    next[size_t(x)] = x + 1;
                }
            }
            std::vector<Run>().swap(runs);
        }
    }

    void fillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb color)
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        const int64_t y0 = std::max<int64_t>(top, 0);
        const int64_t y1 = std::min<int64_t>(bottom, m_height);
        for (int64_t y = y0; y < y1; ++y)
            row(y, left, right - 1, color);
    }

    // The ellipse inscribed in the pixels of the box: pixel x lies inside when
    // ((2x + 1 − (l + r)) / (r − l))² + ((2y + 1 − (t + b)) / (b − t))² ≤ 1, in exact
    // integers.
    void fillEllipse(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb color)
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        const __int128 a = right - left;
        const __int128 b = bottom - top;
        if (a == 0 || b == 0)
            return;
        const int64_t y0 = std::max<int64_t>(top, 0);
        const int64_t y1 = std::min<int64_t>(bottom, m_height);
        for (int64_t y = y0; y < y1; ++y) {
            const __int128 dy = 2 * y + 1 - (top + bottom);
            const __int128 rest = b * b - dy * dy;
            if (rest < 0)
                continue;
            const auto k = isqrt(int64_t(a * a * rest / (b * b)));
            row(y, ceilDiv(left + right - 1 - k, 2), floorDiv(left + right - 1 + k, 2), color);
        }
    }

    void fillPolygon(std::span<const Point> points, QRgb color)
    {
        int64_t top = points[0].y;
        int64_t bottom = points[0].y;
        for (const Point &p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        top = std::max<int64_t>(top, 0);
        bottom = std::min<int64_t>(bottom, m_height - 1);
        struct Crossing
        {
            int64_t num;
            int64_t den; // > 0
        };
        const auto before = [](const Crossing &l, const Crossing &r) {
            return __int128(l.num) * r.den < __int128(r.num) * l.den;
        };
        std::array<Crossing, 8> crossings;
        for (int64_t y = top; y <= bottom; ++y) {
            size_t count = 0;
            for (size_t i = 0; i < points.size(); ++i) {
                const Point &p = points[i];
                const Point &q = points[(i + 1) % points.size()];
                if (p.y == q.y) {
                    if (y == p.y)
                        row(y, std::min(p.x, q.x), std::max(p.x, q.x), color);
                    continue;
                }
                if (y < std::min(p.y, q.y) || y > std::max(p.y, q.y))
                    continue;
                // The edge meets the row at x = num / den.
                int64_t den = q.y - p.y;
                int64_t num = p.x * den + (y - p.y) * (q.x - p.x);
                if (den < 0) {
                    den = -den;
                    num = -num;
                }
                if (num % den == 0)
                    row(y, num / den, num / den, color); // a point of the outline
                if (y < std::max(p.y, q.y) && count < crossings.size())
                    crossings[count++] = {num, den};
            }
            // Insertion sort: a row meets at most as many edges as the shape has.
            for (size_t k = 1; k < count; ++k) {
                for (size_t j = k; j > 0 && before(crossings[j], crossings[j - 1]); --j)
                    std::swap(crossings[j], crossings[j - 1]);
            }
            for (size_t k = 0; k + 1 < count; k += 2) {
                row(y, ceilDiv(crossings[k].num, crossings[k].den),
                    floorDiv(crossings[k + 1].num, crossings[k + 1].den), color);
            }
        }
    }

private:
    struct Run
    {
        int32_t x0;
        int32_t x1;
        QRgb color;
    };

    // Pixels x0 ... x1 (both included) of row y.
    void row(int64_t y, int64_t x0, int64_t x1, QRgb color)
    {
        x0 = std::max<int64_t>(x0, 0);
        x1 = std::min<int64_t>(x1, m_width - 1);
        if (x0 > x1)
            return;
        if (m_layered) {
            m_runs[size_t(y)].push_back({int32_t(x0), int32_t(x1), color});
            return;
        }
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(int(y)));
        std::fill(line + x0, line + x1 + 1, color);
    }

    QImage &m_image;
    int64_t m_width;
    int64_t m_height;
    bool m_layered;
    std::vector<std::vector<Run>> m_runs;
};

// A point at distance d along an edge of the picture that starts at a corner, turning at the
// next corner onto the adjacent edge. Distances are exact rationals D / 255; coordinates are
// truncated toward zero (C++ integer division).
using EdgeWalk = Point (*)(int64_t D, int64_t w, int64_t h);

// From the top-left corner: right along the top, down along the left side.
Point topFromLeft(int64_t D, int64_t w, int64_t)
{
    return D < 255 * w ? Point{D / 255, 0} : Point{w - 1, (D - 255 * w) / 255};
}
Point leftFromTop(int64_t D, int64_t, int64_t h)
{
    return D < 255 * h ? Point{0, D / 255} : Point{(D - 255 * h) / 255, h - 1};
}
// From the top-right corner: down the right side, left along the top.
Point rightFromTop(int64_t D, int64_t w, int64_t h)
{
    return D < 255 * h ? Point{w - 1, D / 255} : Point{(255 * (w - 1 + h) - D) / 255, h - 1};
}
Point topFromRight(int64_t D, int64_t w, int64_t)
{
    return D < 255 * w ? Point{(255 * (w - 1) - D) / 255, 0} : Point{0, (D - 255 * (w - 1)) / 255};
}
// From the bottom-right corner: up the right side, left along the bottom.
Point rightFromBottom(int64_t D, int64_t w, int64_t h)
{
    return D < 255 * h ? Point{w - 1, (255 * (h - 1) - D) / 255}
                       : Point{(255 * (w - 1 + h) - D) / 255, 0};
}
Point bottomFromRight(int64_t D, int64_t w, int64_t h)
{
    return D < 255 * w ? Point{(255 * (w - 1) - D) / 255, h - 1}
                       : Point{0, (255 * (h - 1 + w - 1) - D) / 255};
}
// From the bottom-left corner: up the left side, right along the bottom.
Point leftFromBottom(int64_t D, int64_t, int64_t h)
{
    return D < 255 * h ? Point{0, (255 * (h - 1) - D) / 255} : Point{(D - 255 * h) / 255, 0};
}
Point bottomFromLeft(int64_t D, int64_t w, int64_t h)
{
    return D < 255 * w ? Point{D / 255, h - 1} : Point{w - 1, (255 * (h - 1 + w) - D) / 255};
}

// 255 diagonal bands, band i between the 45° lines at distances i·s and (i + 1)·s from the
// starting corner, s = (W + H) / 255.
void drawDiagonal(Canvas &canvas, int64_t w, int64_t h, TColor from, TColor to,
                  EdgeWalk first, EdgeWalk second)
{
    for (int64_t i = 0; i <= 254; ++i) {
        const int64_t d1 = i * (w + h);
        const int64_t d2 = (i + 1) * (w + h);
        const Point band[] = {first(d1, w, h), first(d2, w, h), second(d2, w, h),
                              second(d1, w, h)};
        canvas.fillPolygon(band, stepColor(from, to, int(i), 255));
    }
}

} // namespace

QString GradientFillTypeName(TGradientFillType type)
{
    return QLatin1String(kNames[type]);
}

std::optional<TGradientFillType> GradientFillTypeFromText(const QString &text)
{
    bool isNumber = false;
    const int ordinal = text.toInt(&isNumber, 10);
    if (isNumber && !text.startsWith(u'+') && !text.startsWith(u' ')) {
        if (ordinal >= 0 && ordinal < kGradientFillTypeCount)
            return TGradientFillType(ordinal);
        return std::nullopt;
    }
    for (int i = 0; i < kGradientFillTypeCount; ++i) {
        if (text.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            return TGradientFillType(i);
    }
    return std::nullopt;
}

QImage DrawGradient(QSize size, TColor from, TColor to, TGradientFillType type)
{
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return QImage();
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Every style covers the picture from its first step on, except the rectangles once
    // their steps exceed a pixel (W or H of 510 and more): the start colour fills what they
    // leave at the outer edge.
    image.fill(stepColor(from, to, 0, 0));
    // The boxes and the four-cornered shapes each cover most of the ones before them.
    const bool layered = type == rgsElliptic || type == rgsRectangle || type == rgsStrange
                         || type == rgsNeo;
    Canvas canvas(image, layered ? Canvas::Shapes::Layered : Canvas::Shapes::Side);
    const auto color = [&](int i, int n) { return stepColor(from, to, i, n); };
    const int64_t W = w;
    const int64_t H = h;

    switch (type) {
    case rgsHorizontal:
        for (int i = 0; i <= 255; ++i)
            canvas.fillRect(MulDiv(i, w, 256), 0, MulDiv(i + 1, w, 256), h, color(i, 255));
        break;
    case rgsVertical:
        for (int i = 0; i <= 255; ++i)
            canvas.fillRect(0, MulDiv(i, h, 256), w, MulDiv(i + 1, h, 256), color(i, 255));
        break;
    case rgsElliptic: {
        // Step i's box is the start box (−W/4, −H/4, W + W/4 + 4, H + H/4 + 4) moved in by
        // i + 1 times (0.75 W / 155, 0.75 H / 155): exact multiples of 1/620, truncated.
        for (int64_t k = 1; k <= 156; ++k) {
            canvas.fillEllipse(W * (3 * k - 155) / 620, H * (3 * k - 155) / 620,
                               (775 * W + 2480 - 3 * k * W) / 620,
                               (775 * H + 2480 - 3 * k * H) / 620, color(int(k - 1), 155));
        }
        break;
    }
    case rgsRectangle:
        // Step i's box is (0, 0, W + 2, H + 2) moved in by i + 1 times ((W / 2) / 255,
        // (H / 2) / 255): exact multiples of 1/510, truncated.
        for (int64_t k = 1; k <= 256; ++k) {
            canvas.fillRect(k * W / 510, k * H / 510, (510 * (W + 2) - k * W) / 510,
                            (510 * (H + 2) - k * H) / 510, color(int(k - 1), 255));
        }
        break;
    case rgsVerticalCenter: {
        const int m = h / 2;
        for (int i = 0; i <= m; ++i) {
            canvas.fillRect(0, i, w, i + 1, color(i, m));
            canvas.fillRect(0, h - 1 - i, w, h - i, color(i, m));
        }
        break;
    }
    case rgsHorizontalCenter: {
        const int m = w / 2;
        for (int i = 0; i <= m; ++i) {
            canvas.fillRect(i, 0, i + 1, h, color(i, m));
            canvas.fillRect(w - 1 - i, 0, w - i, h, color(i, m));
        }
        break;
    }
    case rgsNWSE:
        drawDiagonal(canvas, w, h, from, to, topFromLeft, leftFromTop);
        break;
    case rgsNWSW:
        drawDiagonal(canvas, w, h, from, to, rightFromTop, topFromRight);
        break;
    case rgsSENW:
        drawDiagonal(canvas, w, h, from, to, rightFromBottom, bottomFromRight);
        break;
    case rgsSWNE:
        drawDiagonal(canvas, w, h, from, to, leftFromBottom, bottomFromLeft);
        break;
    case rgsSweet: {
        const Point c{w / 2, h / 2};
        for (int i = 0; i <= 255; ++i) {
            const int x1 = MulDiv(i, w, 255);
            const int x2 = MulDiv(i + 1, w, 255);
            const int y1 = MulDiv(i, h, 255);
            const int y2 = MulDiv(i + 1, h, 255);
            const QRgb rgb = color(i, 255);
            const Point left[] = {c, {0, y1}, {0, y2}};
            const Point right[] = {c, {w, h - y1}, {w, h - y2}};
            const Point upper[] = {c, {x1, 0}, {x2, 0}};
            const Point lower[] = {c, {w - x1, h}, {w - x2, h}};
            canvas.fillPolygon(left, rgb);
            canvas.fillPolygon(right, rgb);
            canvas.fillPolygon(upper, rgb);
            canvas.fillPolygon(lower, rgb);
        }
        break;
    }
    case rgsStrange:
        for (int i = 0; i <= 255; ++i) {
            const int x = MulDiv(i, w, 255);
            const int y = MulDiv(i, h, 255);
            const Point shape[] = {{x, y}, {0, h - y}, {w, h}, {w, 0}};
            canvas.fillPolygon(shape, color(i, 255));
        }
        break;
    case rgsNeo:
        for (int i = 0; i <= 255; ++i) {
            const int x = MulDiv(i, w / 2, 255);
            const int y = MulDiv(i, h / 2, 255);
            const Point shape[] = {{x, y}, {0, h}, {w - x, h - y}, {w, 0}};
            canvas.fillPolygon(shape, color(i, 255));
        }
        break;
    }
    canvas.resolve();
    return image;
}

} // namespace ly
