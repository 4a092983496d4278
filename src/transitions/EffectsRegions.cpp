#include "transitions/EffectKit.h"

#include <QRandomGenerator>

#include <vector>

namespace ly::transitions::fx {

void bands(Frame &f, bool rows, int thickness, Growth growth, From first, From second)
{
    const int extent = rows ? f.W : f.H; // along the growth
    const int across = rows ? f.H : f.W;
    const int n = rows ? f.X : f.Y;
    int evenLength = n, oddLength = n;
    switch (growth) {
    case Growth::TwoPhase:
        if (2 * n < extent) {
            // The first bands snap to the full length once less than B is missing.
            evenLength = extent < f.B + 2 * n ? extent : 2 * n;
            oddLength = 0;
        } else {
            evenLength = extent;
            oddLength = 2 * n - extent;
        }
        break;
    case Growth::Alternate: break;
    case Growth::Halves: first = second = From::BothEnds; break;
    }
    Strips strips(f, rows);
    for (int i = 0, c0 = 0; c0 < across; ++i, c0 += thickness) {
        const int c1 = std::min(c0 + thickness, across);
        const bool even = i % 2 == 0;
        along(even ? first : second, extent, even ? evenLength : oddLength,
              [&](int a0, int a1) { strips.add(c0, c1, a0, a1); });
    }
    strips.draw();
}

// Strips whose lengths differ by up to half the picture; the longest reach the far side at
// two thirds of the way, the shortest at the end.
void unevenShred(Frame &f, bool rows, From from, Rng &rng)
{
    const int extent = rows ? f.W : f.H;
    const int across = rows ? f.H : f.W;
    const int n = rows ? f.X : f.Y;
    const int thickness = f.shredStrip();
    Strips strips(f, rows);
    for (int c0 = 0; c0 < across; c0 += thickness) {
        const int c1 = std::min(c0 + thickness, across);
        const int length = n * 3 / 2 - rng.next(extent / 2 + 1);
        along(from, extent, length, [&](int a0, int a1) { strips.add(c0, c1, a0, a1); });
    }
    strips.draw();
}

void blind(Frame &f, bool rows)
{
    const int extent = rows ? f.H : f.W;
    const int across = rows ? f.W : f.H;
    const int pitch = f.pitch(extent);
    const int open = f.p * pitch / 100;
    if (open <= 0)
        return;
    // A band of a horizontal blind is a row strip along the whole width.
    Strips strips(f, rows);
    for (int a = 0; a < extent; a += pitch)
        strips.add(a, std::min(a + open, extent), 0, across);
    strips.draw();
}

// Like the blind, but each band opens at its own pace: the bands nearer the starting side
// start earlier, with a random delay on top.
void unevenBlind(Frame &f, bool rows, bool fromEnd)
{
    const int extent = rows ? f.H : f.W;
    const int across = rows ? f.W : f.H;
    const int pitch = f.pitch(extent);
    const int count = (extent + pitch - 1) / pitch;
    Rng rng(layoutSeed(f));
    Strips strips(f, rows);
    for (int k = 0; k < count; ++k) {
        const int delay = 50 * k / count + rng.next(50);
        const int open = std::min(pitch, pitch * std::max(0, 2 * f.p - delay) / 100);
        if (open <= 0)
            continue;
        if (fromEnd) {
            const int b1 = extent - k * pitch;
            strips.add(std::max(b1 - open, 0), b1, 0, across);
        } else {
            const int a0 = k * pitch;
            strips.add(a0, std::min(a0 + open, extent), 0, across);
        }
    }
    strips.draw();
}

namespace {

// Cells of the given size, column by column; calls cell(box).
template<class Cell>
void forCells(const Frame &f, int size, Cell cell)
{
    for (int x0 = 0; x0 < f.W; x0 += size)
        for (int y0 = 0; y0 < f.H; y0 += size)
            cell(Box{x0, y0, std::min(x0 + size, f.W), std::min(y0 + size, f.H)});
}

// A cell's own progress in percent: it starts at three quarters of its delay (0 … 99) and
// takes a quarter of the transition, so a cell is whole before the transition ends.
int cellProgress(const Frame &f, int delay)
{
    return std::clamp(4 * f.p - 3 * delay, 0, 100);
}

} // namespace

void growingCells(Frame &f, CellOrder order)
{
    Rng rng(layoutSeed(f));
    forCells(f, std::max(2, f.B), [&](const Box &cell) {
        int delay = 0;
        switch (order) {
        case CellOrder::Random: delay = rng.next(100); break;
        case CellOrder::FromLeft: delay = 100 * cell.x0 / f.W; break;
        case CellOrder::FromRight: delay = 100 * (f.W - cell.x1) / f.W; break;
        case CellOrder::FromTop: delay = 100 * cell.y0 / f.H; break;
        case CellOrder::FromBottom: delay = 100 * (f.H - cell.y1) / f.H; break;
        }
        const int q = cellProgress(f, delay);
        const int w = cell.width() * q / 100, h = cell.height() * q / 100;
        const int x = cell.x0 + (cell.width() - w) / 2, y = cell.y0 + (cell.height() - h) / 2;
        f.c.copy({x, y, x + w, y + h});
    });
}

// In each cell a right triangle grows from the cell's bottom right corner until it covers the
// cell; the cells start one after another from the picture's bottom right to its top left.
void triangularShred(Frame &f)
{
    forCells(f, std::max(2, f.B), [&](const Box &cell) {
        const int delay = 50 * (f.W - cell.x1) / f.W + 50 * (f.H - cell.y1) / f.H;
        const double legs = 2.0 * cellProgress(f, delay) / 100.0;
        if (legs <= 0)
            return;
        for (int y = cell.y0; y < cell.y1; ++y) {
            const double rest = legs - (cell.y1 - (y + 0.5)) / cell.height();
            if (rest > 0)
                f.c.span(y, std::max(cell.x0, spanStart(cell.x1 - rest * cell.width())), cell.x1);
        }
    });
}

void randomSquares(Frame &f)
{
    const int grid = std::max(1, f.B <= 1 ? f.B : f.B / 2);
    const int columns = (f.W + grid - 1) / grid;
    const int rows = (f.H + grid - 1) / grid;
    // A square of half-size grid about grid point (i, j) covers the cells i − 1, i by j − 1, j
    // of the grid, so the union of the squares is a set of cells.
    std::vector<uint8_t> covered(size_t(columns) * size_t(rows));
    const auto mark = [&](int i, int j) {
        if (i >= 0 && j >= 0)
            covered[size_t(j) * size_t(columns) + size_t(i)] = 1;
    };
    Rng rng(layoutSeed(f));
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            if (rng.next(100) < f.p) {
                mark(i - 1, j - 1);
                mark(i, j - 1);
                mark(i - 1, j);
                mark(i, j);
            }
        }
    }
    for (int j = 0; j < rows; ++j) {
        const uint8_t *line = covered.data() + size_t(j) * size_t(columns);
        for (int i = 0; i < columns;) {
            if (!line[i]) {
                ++i;
                continue;
            }
            const int start = i;
            while (i < columns && line[i])
                ++i;
            f.c.copy({start * grid, j * grid, i * grid, (j + 1) * grid});
        }
    }
}

void speckle(Frame &f, bool vertical, bool fromEnd)
{
    const int extent = vertical ? f.H : f.W;
    const int across = vertical ? f.W : f.H;
    const int n = vertical ? f.Y : f.X;
    const auto box = [&](int a0, int a1, int c0, int c1) {
        return vertical ? Box{c0, a0, c1, a1} : Box{a0, c0, a1, c1};
    };
    f.c.copy(fromEnd ? box(extent - n, extent, 0, across) : box(0, n, 0, across));
    const int zone = extent / 10;
    const int side = std::max(2, zone / 20);
    int z0 = fromEnd ? extent - n - zone : n;
    int z1 = z0 + zone;
    z0 = std::max(z0, 0);
    z1 = std::min(z1, extent);
    if (z1 <= z0)
        return;
    // About a third of the zone is covered; new squares at every frame.
    const int count = (z1 - z0) * across / (side * side * 3);
    Rng rng(QRandomGenerator::global()->generate());
    for (int k = 0; k < count; ++k) {
        const int a = z0 + rng.next(std::max(1, z1 - z0 - side + 1));
        const int c = rng.next(std::max(1, across - side + 1));
        f.c.copy(box(a, std::min(a + side, z1), c, c + side));
    }
}

} // namespace ly::transitions::fx
