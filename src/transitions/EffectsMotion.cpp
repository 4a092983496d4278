#include "transitions/EffectKit.h"

#include <array>
#include <cstring>
#include <vector>

namespace ly::transitions::fx {

void copyExcept(Frame &f, const Box &outer, const Box &hole)
{
    const Box h = hole.intersected(outer);
    if (h.isEmpty()) {
        f.c.copy(outer);
        return;
    }
    f.c.copy({outer.x0, outer.y0, outer.x1, h.y0});
    f.c.copy({outer.x0, h.y1, outer.x1, outer.y1});
    f.c.copy({outer.x0, h.y0, h.x0, h.y1});
    f.c.copy({h.x1, h.y0, outer.x1, h.y1});
}

namespace {

// The part a0 … a1 along the growth axis: rows for a vertical effect, else columns.
Box slice(const Frame &f, bool vertical, int a0, int a1)
{
    return vertical ? Box{0, a0, f.W, a1} : Box{a0, 0, a1, f.H};
}

} // namespace

// The revealed part lies in place; the rest of the picture is rolled up, squeezed into a
// strip of an eighth of the picture at the moving edge.
void unroll(Frame &f, bool vertical, bool fromEnd)
{
    const int extent = vertical ? f.H : f.W;
    const int n = vertical ? f.Y : f.X;
    const int roll = std::max(1, extent / 8);
    if (n <= roll) {
        const Box strip = fromEnd ? slice(f, vertical, extent - n, extent) : slice(f, vertical, 0, n);
        f.c.stretch(strip, f.all());
        return;
    }
    if (fromEnd) {
        const int edge = extent - n;
        f.c.copy(slice(f, vertical, edge + roll, extent));
        f.c.stretch(slice(f, vertical, edge, edge + roll), slice(f, vertical, 0, edge + roll));
    } else {
        f.c.copy(slice(f, vertical, 0, n - roll));
        f.c.stretch(slice(f, vertical, n - roll, n), slice(f, vertical, n - roll, extent));
    }
}

// The arrived part lies in place; ahead of the edge the next few lines of the picture are
// stretched four times over a strip of an eighth of the picture.
void buildUp(Frame &f, bool vertical, bool fromEnd)
{
    const int extent = vertical ? f.H : f.W;
    const int n = vertical ? f.Y : f.X;
    const int strip = std::max(1, extent / 8);
    const int source = std::max(1, strip / 4);
    if (fromEnd) {
        const int edge = extent - n;
        f.c.copy(slice(f, vertical, edge, extent));
        f.c.stretch(slice(f, vertical, edge - strip, edge), slice(f, vertical, edge - source, edge));
    } else {
        f.c.copy(slice(f, vertical, 0, n));
        f.c.stretch(slice(f, vertical, n, n + strip), slice(f, vertical, n, n + source));
    }
}

namespace {

// The four quarters of the picture; right and bottom tell which sides of the picture they touch.
struct Quarter
{
    Box box;
    bool right, bottom;
};

std::array<Quarter, 4> quartersOf(const Frame &f)
{
    const int mx = f.W / 2, my = f.H / 2;
    return {{{{0, 0, mx, my}, false, false},
             {{mx, 0, f.W, my}, true, false},
             {{0, my, mx, f.H}, false, true},
             {{mx, my, f.W, f.H}, true, true}}};
}

// A w × h box in q at the corner given by right and bottom.
Box cornerBox(const Box &q, int w, int h, bool right, bool bottom)
{
    const int x = right ? q.x1 - w : q.x0;
    const int y = bottom ? q.y1 - h : q.y0;
    return {x, y, x + w, y + h};
}

} // namespace

void appearAndContract(Frame &f, int toRight, int toBottom)
{
    for (const Quarter &q : quartersOf(f)) {
        const int w = q.box.width() - MulDiv(f.X, q.box.width(), f.W);
        const int h = q.box.height() - MulDiv(f.Y, q.box.height(), f.H);
        Box hole;
        if (toRight < 0) {
            const int x = q.box.x0 + (q.box.width() - w) / 2;
            const int y = q.box.y0 + (q.box.height() - h) / 2;
            hole = {x, y, x + w, y + h};
        } else {
            hole = cornerBox(q.box, w, h, toRight, toBottom);
        }
        copyExcept(f, q.box, hole);
    }
}

void quarters(Frame &f, QuarterMove move)
{
    for (const Quarter &q : quartersOf(f)) {
        const int w = MulDiv(f.X, q.box.width(), f.W);
        const int h = MulDiv(f.Y, q.box.height(), f.H);
        // Each quarter comes in at the picture's outer corner of that quarter.
        const Box target = cornerBox(q.box, w, h, q.right, q.bottom);
        switch (move) {
        case QuarterMove::Reveal: f.c.copy(target); break;
        case QuarterMove::Expand: f.c.stretch(target, q.box); break;
        case QuarterMove::Slide: {
            const Box source = cornerBox(q.box, w, h, !q.right, !q.bottom);
            f.c.place(target, target.x0 - source.x0, target.y0 - source.y0);
            break;
        }
        }
    }
}

// The old picture moves out (or is squeezed into the shrinking part) while the new one enters
// at full size from the opposite side. Squeezing works in place: each target line reads a
// source line that has not been written yet.
void push(Frame &f, bool vertical, bool towardEnd, bool squeeze)
{
    const int extent = vertical ? f.H : f.W;
    const int n = vertical ? f.Y : f.X;
    const int keep = extent - n;
    if (n <= 0)
        return;
    std::vector<int> map(size_t(std::max(keep, 0)));
    for (int i = 0; i < keep; ++i)
        map[size_t(i)] = squeeze ? int(qint64(i) * extent / keep) : i + (towardEnd ? 0 : n);
    if (!vertical) {
        for (int y = 0; y < f.H; ++y) {
            QRgb *d = f.c.displayRow(y);
            const QRgb *s = f.c.pictureRow(y);
            if (towardEnd) {
                if (squeeze) {
                    for (int i = keep - 1; i >= 0; --i)
                        d[n + i] = d[map[size_t(i)]];
                } else {
                    std::memmove(d + n, d, size_t(keep) * sizeof(QRgb));
                }
                std::memcpy(d, s + keep, size_t(n) * sizeof(QRgb));
            } else {
                if (squeeze) {
                    for (int i = 0; i < keep; ++i)
                        d[i] = d[map[size_t(i)]];
                } else {
                    std::memmove(d, d + n, size_t(keep) * sizeof(QRgb));
                }
                std::memcpy(d + keep, s, size_t(n) * sizeof(QRgb));
            }
        }
    } else {
        const size_t bytes = size_t(f.W) * sizeof(QRgb);
        if (towardEnd) {
            for (int i = keep - 1; i >= 0; --i)
                std::memmove(f.c.displayRow(n + i), f.c.displayRow(map[size_t(i)]), bytes);
            for (int y = 0; y < n; ++y)
                std::memcpy(f.c.displayRow(y), f.c.pictureRow(keep + y), bytes);
        } else {
            for (int i = 0; i < keep; ++i)
                std::memmove(f.c.displayRow(i), f.c.displayRow(map[size_t(i)]), bytes);
            for (int y = 0; y < n; ++y)
                std::memcpy(f.c.displayRow(keep + y), f.c.pictureRow(y), bytes);
        }
    }
    f.c.touch(f.all());
}

} // namespace ly::transitions::fx
