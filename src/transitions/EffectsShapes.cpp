#include "transitions/EffectKit.h"

#include <QPointF>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace ly::transitions::fx {

namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// A point at the given distance from (cx, cy) in the direction `degrees` clockwise from the top.
QPointF onRay(double cx, double cy, double degrees, double distance)
{
    const double a = radians(degrees);
    return {cx + distance * std::sin(a), cy - distance * std::cos(a)};
}

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The integers x for which lo <= a + k·x < hi, as [first, end).
std::pair<qint64, qint64> linearRange(qint64 a, qint64 k, qint64 lo, qint64 hi)
{
    if (k == 0)
        return (lo <= a && a < hi) ? std::pair<qint64, qint64>{INT32_MIN, INT32_MAX}
                                   : std::pair<qint64, qint64>{0, 0};
    if (k > 0)
        return {-floorDiv(a - lo, k), -floorDiv(a - hi, k)};
    return {floorDiv(a - hi, -k) + 1, floorDiv(a - lo, -k) + 1};
}

} // namespace

void ellipse(Frame &f, double cx, double cy, double rx, double ry)
{
    roundedBox(f, cx, cy, rx, ry, rx, ry, false);
}

void roundedBox(Frame &f, double cx, double cy, double hx, double hy, double rx, double ry,
                bool outside)
{
    if (hx <= 0 || hy <= 0) {
        if (outside)
            f.c.copy(f.all());
        return;
    }
    rx = std::clamp(rx, 0.0, hx);
    ry = std::clamp(ry, 0.0, hy);
    for (int y = 0; y < f.H; ++y) {
        const double dy = std::abs(y + 0.5 - cy);
        if (dy >= hy) {
            if (outside)
                f.c.span(y, 0, f.W);
            continue;
        }
        double half = hx;
        if (dy > hy - ry) {
            const double e = (dy - (hy - ry)) / ry;
            half = hx - rx + rx * std::sqrt(std::max(0.0, 1.0 - e * e));
        }
        const int a = spanStart(cx - half), b = spanStart(cx + half);
        if (outside) {
            f.c.span(y, 0, a);
            f.c.span(y, b, f.W);
        } else {
            f.c.span(y, a, b);
        }
    }
}

void wedge(Frame &f, double start, double sweep)
{
    if (std::abs(sweep) >= 360.0) {
        f.c.copy(f.all());
        return;
    }
    const double cx = f.W / 2.0, cy = f.H / 2.0;
    // Twice the half-diagonal: chords of at most 45° between the arc points stay outside every
    // corner, so inside the picture the pie is exactly its angular sector.
    const double radius = std::hypot(double(f.W), double(f.H)) + 2.0;
    const int pieces = std::max(1, int(std::ceil(std::abs(sweep) / 45.0)));
    std::vector<QPointF> points{{cx, cy}};
    for (int k = 0; k <= pieces; ++k)
        points.push_back(onRay(cx, cy, start + sweep * k / pieces, radius));
    f.c.polygon(points);
}

void diagonalReveal(Frame &f, bool fromRight, bool fromBottom)
{
    const double x = fromRight ? f.W : 0, y = fromBottom ? f.H : 0;
    const double dx = fromRight ? -2.0 * f.X : 2.0 * f.X;
    const double dy = fromBottom ? -2.0 * f.Y : 2.0 * f.Y;
    const std::array<QPointF, 3> points{{{x, y}, {x + dx, y}, {x, y + dy}}};
    f.c.polygon(points);
}

// A rectangle X by Y (or an eight-pointed star spanning 4X by 4Y) centred on the picture,
// turned clockwise about the centre by p × 3.6 degrees.
void rotational(Frame &f, bool star)
{
    const double a = radians(f.p * 3.6);
    const double cosA = std::cos(a), sinA = std::sin(a);
    const double cx = f.W / 2.0, cy = f.H / 2.0;
    std::vector<QPointF> shape;
    if (star) {
        for (int k = 0; k < 16; ++k) {
            const double t = radians(-90.0 + k * 22.5);
            const double r = k % 2 == 0 ? 2.0 : 1.0;
            shape.emplace_back(r * f.X * std::cos(t), r * f.Y * std::sin(t));
        }
    } else {
        const double u = f.X / 2.0, v = f.Y / 2.0;
        shape = {{-u, -v}, {u, -v}, {u, v}, {-u, v}};
    }
    for (QPointF &q : shape)
        q = {cx + q.x() * cosA - q.y() * sinA, cy + q.x() * sinA + q.y() * cosA};
    f.c.polygon(shape);
}

namespace {

// Per byte: (old × a + new × b) div 100 with a + b = 100; the alpha bytes (255 in both) stay
// 255. v × 5243 >> 19 is v div 100 for every v up to 255 × 100, and the loop over bytes with
// 16-bit products vectorises.
void fadeBytes(uint8_t *__restrict d, const uint8_t *__restrict n, size_t count, uint16_t a,
               uint16_t b)
{
    for (size_t i = 0; i < count; ++i) {
        const uint16_t v = uint16_t(d[i] * a + n[i] * b);
        d[i] = uint8_t((uint32_t(v) * 5243u) >> 19);
    }
}

} // namespace

void fade(Frame &f)
{
    for (int y = 0; y < f.H; ++y) {
        fadeBytes(reinterpret_cast<uint8_t *>(f.c.displayRow(y)),
                  reinterpret_cast<const uint8_t *>(f.c.pictureRow(y)), size_t(f.W) * 4,
                  uint16_t(100 - f.p), uint16_t(f.p));
    }
    f.c.touch(f.all());
}

// The picture turned about one of its corners by (100 − p) × 90 / 100 degrees. Each display
// pixel takes the picture pixel that the turn brings onto its centre, in 16.16 fixed point:
// source = R(−angle) · (centre − corner) + corner. The top corners turn the picture in from
// above the picture area, the bottom corners from below.
void pivot(Frame &f, bool right, bool bottom)
{
    const double turn = (100 - f.p) * 90.0 / 100.0 * (right != bottom ? 1.0 : -1.0);
    const qint64 c = std::llround(std::cos(radians(turn)) * 65536.0);
    const qint64 s = std::llround(std::sin(radians(turn)) * 65536.0);
    const qint64 px = right ? f.W : 0, py = bottom ? f.H : 0;
    const qint64 w16 = qint64(f.W) << 16, h16 = qint64(f.H) << 16;
    const uchar *bits = reinterpret_cast<const uchar *>(f.c.pictureRow(0));
    const qint64 stride = f.c.pictureStride();
    Box drawn{f.W, f.H, 0, 0};
    for (int y = 0; y < f.H; ++y) {
        // At column x, with doubled offsets of the pixel centre from the corner:
        // sx = ((2(x − px) + 1)·c + (2(y − py) + 1)·s) / 2 + px·65536, sy alike; both move by
        // exactly c and −s per column.
        const qint64 dy2 = 2 * (y - py) + 1;
        const qint64 dx2 = 1 - 2 * px; // at x = 0
        const qint64 sx0 = ((dx2 * c + dy2 * s) >> 1) + (px << 16);
        const qint64 sy0 = ((-dx2 * s + dy2 * c) >> 1) + (py << 16);
        const auto [ax, bx] = linearRange(sx0, c, 0, w16);
        const auto [ay, by] = linearRange(sy0, -s, 0, h16);
        const int x0 = int(std::max<qint64>({ax, ay, 0}));
        const int x1 = int(std::min<qint64>({bx, by, f.W}));
        if (x0 >= x1)
            continue;
        QRgb *d = f.c.displayRow(y);
        qint64 sx = sx0 + c * x0, sy = sy0 - s * x0;
        for (int x = x0; x < x1; ++x, sx += c, sy -= s)
            d[x] = *reinterpret_cast<const QRgb *>(bits + (sy >> 16) * stride + (sx >> 16) * 4);
        drawn = drawn.united({x0, y, x1, y + 1});
    }
    f.c.touch(drawn);
}

} // namespace ly::transitions::fx
