#pragma once

#include "shared/MulDiv.h"

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

// The 32-bit pixel layer of the transition engine. Every image here is QImage::Format_RGB32;
// rows are walked with scanLine and copied with memcpy, so an effect costs about as much as the
// area it draws.
namespace ly::transitions {

inline constexpr QImage::Format kFrameFormat = QImage::Format_RGB32;

// A rectangle with exclusive right and bottom edges, the form the effect maths works in.
struct Box
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
    bool isEmpty() const { return x1 <= x0 || y1 <= y0; }
    Box intersected(const Box &o) const;
    Box united(const Box &o) const; // an empty box adds nothing
    QRect toRect() const { return isEmpty() ? QRect() : QRect(x0, y0, width(), height()); }
    static Box of(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    static Box sized(int w, int h) { return {0, 0, w, h}; }
    bool operator==(const Box &) const = default;
};

// Rectangle s fitted into t keeping s's aspect ratio, centred in t (offsets are halved
// differences rounded toward zero).
Box aspectFit(const Box &s, const Box &t);

// A copy of image as a w × h frame image: converted to 32 bits, drawn over the fill colour when
// it has transparency, and scaled by plain pixel dropping when its size differs.
QImage toFrameImage(const QImage &image, int w, int h, QRgb fill);

// Makes dst a copy of src, reusing dst's memory when it already has src's size and format.
void copyFrame(QImage &dst, const QImage &src);

// Draws the source rectangle of src into the target rectangle of dst by plain pixel dropping
// (nearest pixel, no blending): target column i shows source column
// source.x0 + i × source width div target width, rows alike. Target pixels outside dst and
// those whose source pixel lies outside src are left alone. Returns the drawn box.
Box stretchCopy(QImage &dst, const Box &target, const QImage &src, const Box &source);

// Vertical runs of the picture per column (at most two per column), drawn in one pass over
// the rows: many narrow column strips then cost one pass over whole rows instead of a tiny
// copy per strip and row.
class ColumnRuns
{
public:
    explicit ColumnRuns(int width);
    // Columns x0 … x1 − 1 show the picture in rows y0 … y1 − 1. A third run of a column is
    // merged into its second.
    void add(int x0, int x1, int y0, int y1);
    const Box &bounds() const { return m_bounds; }

private:
    friend class Canvas;
    // Per column: first and length of each run (length 0: no run).
    std::vector<int32_t> m_lo1, m_length1, m_lo2, m_length2;
    Box m_bounds;
};

// Draws pictures into a display of the same size and keeps the bounding box of what it drew.
// Every operation clips to the display.
class Canvas
{
public:
    Canvas(QImage &display, const QImage &picture);

    int width() const { return m_w; }
    int height() const { return m_h; }
    const Box &dirty() const { return m_dirty; }
    // Marks a box as changed (for operations that move the display itself).
    void touch(const Box &b);

    // The picture's pixels of box b, in place.
    void copy(const Box &b);
    // The picture moved by (dx, dy), drawn where it lands inside the target box.
    void place(const Box &target, int dx, int dy);
    // The source box of the picture stretched into the target box.
    void stretch(const Box &target, const Box &source);
    // The picture's pixels x0 … x1 − 1 of row y, in place.
    void span(int y, int x0, int x1);
    // The picture's pixels inside the polygon, in place: a pixel belongs to it when its centre
    // does (even-odd rule, left edges inclusive).
    void polygon(std::span<const QPointF> points);
    // The picture's pixels in the runs, in place.
    void columns(const ColumnRuns &runs);

    QRgb *displayRow(int y) { return reinterpret_cast<QRgb *>(m_display.scanLine(y)); }
    const QRgb *pictureRow(int y) const { return reinterpret_cast<const QRgb *>(m_picture.constScanLine(y)); }
    qsizetype pictureStride() const { return m_picture.bytesPerLine(); }

private:
    QImage &m_display;
    const QImage &m_picture;
    int m_w, m_h;
    Box m_dirty;
};

// The first column whose centre x + 0.5 lies at or right of a: a span [a, b) covers the columns
// spanStart(a) … spanStart(b) − 1.
inline int spanStart(double a) { return int(std::ceil(a - 0.5)); }

} // namespace ly::transitions
