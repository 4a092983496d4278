#pragma once

#include "transitions/Pixels.h"

#include <algorithm>
#include <cstdint>

// What the catalogue's effect procedures share: the frame's parameters and the drawing
// families that several styles use with different sides and shapes. Internal to the engine.
namespace ly::transitions::fx {

// One frame: the canvas (display holding the old-screen snapshot, picture the new one), the
// size W × H, the extents X and Y of the new picture at this progress, B from Step, and the
// progress p (1 … 99).
struct Frame
{
    Canvas &c;
    int W, H, X, Y, B, p;

    Box all() const { return Box::sized(W, H); }
    Box left(int n) const { return {0, 0, n, H}; }
    Box right(int n) const { return {W - n, 0, W, H}; }
    Box top(int n) const { return {0, 0, W, n}; }
    Box bottom(int n) const { return {0, H - n, W, H}; }
    // n columns (rows) centred horizontally (vertically).
    Box middleColumns(int n) const { return {(W - n) / 2, 0, (W - n) / 2 + n, H}; }
    Box middleRows(int n) const { return {0, (H - n) / 2, W, (H - n) / 2 + n}; }
    Box centred(int w, int h) const { return {(W - w) / 2, (H - h) / 2, (W - w) / 2 + w, (H - h) / 2 + h}; }

    // B as a band count: never below one band, so pictures too small for B still work.
    int bands() const { return std::max(1, B); }
    // The pitch of B bands over an extent, at least one pixel.
    int pitch(int extent) const { return std::max(1, extent / bands()); }
    // Strip thickness of the criss-cross effects and of the uneven shreds.
    int crossStrip() const { return std::max(2, pitch(std::max(W, H)) / 2); }
    int shredStrip() const { return std::max(2, pitch(std::max(W, H)) / 4); }
};

// A small linear congruential generator; restarted with the same seed it repeats its numbers,
// which keeps the "random" layouts of an effect stable from frame to frame.
class Rng
{
public:
    explicit Rng(uint32_t seed) : m_state(seed) {}
    // A number in 0 … n − 1.
    int next(int n)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return int((uint64_t(m_state) * uint32_t(std::max(n, 0))) >> 32);
    }

private:
    uint32_t m_state;
};

inline uint32_t layoutSeed(const Frame &f) { return uint32_t(f.W) * uint32_t(f.H); }

// Where along an axis a growth of length n lies within an extent.
enum class From { Start, End, Middle, BothEnds };

// The interval(s) of length n placed per From within [0, extent); calls draw(a0, a1).
template<class Draw>
void along(From from, int extent, int n, Draw draw)
{
    n = std::clamp(n, 0, extent);
    if (n == 0)
        return;
    switch (from) {
    case From::Start: draw(0, n); break;
    case From::End: draw(extent - n, extent); break;
    case From::Middle: draw((extent - n) / 2, (extent - n) / 2 + n); break;
    case From::BothEnds:
        draw(0, n / 2);
        draw(extent - (n - n / 2), extent);
        break;
    }
}

// Strips across the picture, c0 … c1 across and a0 … a1 along: row strips are copied at once,
// column strips gathered and drawn in one pass over the rows by draw().
class Strips
{
public:
    Strips(Frame &f, bool rows) : m_f(f), m_rows(rows), m_columns(rows ? 0 : f.W) {}
    void add(int c0, int c1, int a0, int a1)
    {
        if (m_rows)
            m_f.c.copy({a0, c0, a1, c1});
        else
            m_columns.add(c0, c1, a0, a1);
    }
    void draw()
    {
        if (!m_rows)
            m_f.c.columns(m_columns);
    }

private:
    Frame &m_f;
    bool m_rows;
    ColumnRuns m_columns;
};

// The picture's pixels of outer that lie outside hole, in place.
void copyExcept(Frame &f, const Box &outer, const Box &hole);

// Motion family (stretched copies, slides, reveals, pushes). A vertical effect moves along y;
// fromEnd / towardEnd: from the right or bottom, toward the right or bottom.
void unroll(Frame &f, bool vertical, bool fromEnd);
void buildUp(Frame &f, bool vertical, bool fromEnd);
// The four quarters: the old picture contracts in each quarter to the corner given by
// (toRight, toBottom), or to each quarter's middle.
void appearAndContract(Frame &f, int toRight, int toBottom);
enum class QuarterMove { Reveal, Expand, Slide };
void quarters(Frame &f, QuarterMove move);
void push(Frame &f, bool vertical, bool towardEnd, bool squeeze);

// Region family (strips, bands, cells, squares). rows: strips of rows (a horizontal blind).
enum class Growth { TwoPhase, Alternate, Halves };
// Bands of the given thickness; rows grow along x by X over W, columns along y by Y over H.
// TwoPhase: even bands from `first` over 2X, then odd bands from `second`; Alternate: even
// bands from `first`, odd bands from `second`, both over X; Halves: every band from both ends.
void bands(Frame &f, bool rows, int thickness, Growth growth, From first, From second);
void unevenShred(Frame &f, bool rows, From from, Rng &rng);
void blind(Frame &f, bool rows);
void unevenBlind(Frame &f, bool rows, bool fromEnd);
// Cells of size B whose rectangles grow from their centres; the delay of a cell (0 … 99)
// orders them.
enum class CellOrder { Random, FromLeft, FromRight, FromTop, FromBottom };
void growingCells(Frame &f, CellOrder order);
void triangularShred(Frame &f);
void randomSquares(Frame &f);
void speckle(Frame &f, bool vertical, bool fromEnd);

// Shape family (curves, polygons, pixel work).
void ellipse(Frame &f, double cx, double cy, double rx, double ry);
// A rectangle of half-extents hx, hy centred on (cx, cy) with elliptic corners of radii rx, ry;
// inside or outside it.
void roundedBox(Frame &f, double cx, double cy, double hx, double hy, double rx, double ry,
                bool outside);
// A pie from the picture's centre, start and sweep in degrees clockwise from the top
// (a negative sweep opens anticlockwise); its radius reaches past every corner.
void wedge(Frame &f, double start, double sweep);
void diagonalReveal(Frame &f, bool fromRight, bool fromBottom);
void rotational(Frame &f, bool star);
void fade(Frame &f);
void pivot(Frame &f, bool right, bool bottom);

} // namespace ly::transitions::fx
