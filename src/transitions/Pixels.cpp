#include "transitions/Pixels.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace ly::transitions {

Box Box::intersected(const Box &o) const
{
    return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
}

Box Box::united(const Box &o) const
{
    if (o.isEmpty())
        return *this;
    if (isEmpty())
        return o;
    return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

Box aspectFit(const Box &s, const Box &t)
{
    const qint64 sw = s.width(), sh = s.height(), tw = t.width(), th = t.height();
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0)
        return {t.x0, t.y0, t.x0, t.y0};
    int w, h;
    if (sh * tw > th * sw) {
        h = int(th);
        w = MulDiv(int(sw), int(th), int(sh));
    } else {
        w = int(tw);
        h = MulDiv(int(sh), int(tw), int(sw));
    }
    const int x = t.x0 + int((tw - w) / 2);
    const int y = t.y0 + int((th - h) / 2);
    return {x, y, x + w, y + h};
}

void copyFrame(QImage &dst, const QImage &src)
{
    if (dst.size() != src.size() || dst.format() != src.format())
        dst = QImage(src.size(), src.format());
    if (dst.isNull()) // src is empty, or there is no memory for the copy
        return;
    if (dst.bytesPerLine() == src.bytesPerLine()) {
        std::memcpy(dst.bits(), src.constBits(), size_t(src.sizeInBytes()));
        return;
    }
    const size_t rowBytes = size_t(std::min(dst.bytesPerLine(), src.bytesPerLine()));
    for (int y = 0; y < src.height(); ++y)
        std::memcpy(dst.scanLine(y), src.constScanLine(y), rowBytes);
}

namespace {

// Source index for each target index i in [from, to) of a stretch of n source pixels
// (starting at s0) over m target pixels (starting at t0).
void buildMap(std::vector<int> &map, int from, int to, int t0, int m, int s0, int n)
{
    map.resize(size_t(to - from));
    for (int i = from; i < to; ++i)
        map[size_t(i - from)] = s0 + int(qint64(i - t0) * n / m);
}

} // namespace

Box stretchCopy(QImage &dst, const Box &target, const QImage &src, const Box &source)
{
    if (target.isEmpty() || source.isEmpty() || dst.format() != kFrameFormat
        || src.format() != kFrameFormat) {
        return {};
    }
    const Box t = target.intersected(Box::sized(dst.width(), dst.height()));
    if (t.isEmpty())
        return {};
    std::vector<int> xs, ys;
    buildMap(xs, t.x0, t.x1, target.x0, target.width(), source.x0, source.width());
    buildMap(ys, t.y0, t.y1, target.y0, target.height(), source.y0, source.height());
    // The maps rise, so the columns with a source pixel form one run.
    int first = 0, last = int(xs.size());
    while (first < last && xs[size_t(first)] < 0)
        ++first;
    while (last > first && xs[size_t(last - 1)] >= src.width())
        --last;
    if (first == last)
        return {};
    const bool sameWidth = source.width() == target.width();
    Box drawn{t.x0 + first, t.y1, t.x0 + last, t.y0};
    for (int y = t.y0; y < t.y1; ++y) {
        const int sy = ys[size_t(y - t.y0)];
        if (sy < 0 || sy >= src.height())
            continue;
        drawn.y0 = std::min(drawn.y0, y);
        drawn.y1 = y + 1;
        const QRgb *s = reinterpret_cast<const QRgb *>(src.constScanLine(sy));
        QRgb *d = reinterpret_cast<QRgb *>(dst.scanLine(y)) + t.x0;
        if (sameWidth) {
            std::memcpy(d + first, s + xs[size_t(first)], size_t(last - first) * sizeof(QRgb));
        } else {
            const int *map = xs.data();
            for (int i = first; i < last; ++i)
                d[i] = s[map[i]];
        }
    }
    return drawn;
}

QImage toFrameImage(const QImage &image, int w, int h, QRgb fill)
{
    QImage opaque;
    if (image.isNull()) {
        opaque = QImage(w, h, kFrameFormat);
        opaque.fill(fill);
        return opaque;
    }
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), kFrameFormat);
        opaque.fill(fill);
        QPainter p(&opaque);
        p.drawImage(0, 0, image);
    } else {
        opaque = image.convertToFormat(kFrameFormat);
    }
    if (opaque.width() == w && opaque.height() == h)
        return opaque;
    QImage scaled(w, h, kFrameFormat);
    scaled.fill(fill);
    stretchCopy(scaled, Box::sized(w, h), opaque, Box::sized(opaque.width(), opaque.height()));
    return scaled;
}

ColumnRuns::ColumnRuns(int width)
    : m_lo1(size_t(std::max(width, 0)))
    , m_length1(m_lo1.size())
    , m_lo2(m_lo1.size())
    , m_length2(m_lo1.size())
{
}

void ColumnRuns::add(int x0, int x1, int y0, int y1)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, int(m_lo1.size()));
    if (x0 >= x1 || y0 >= y1)
        return;
    for (size_t x = size_t(x0); x < size_t(x1); ++x) {
        if (m_length1[x] == 0) {
            m_lo1[x] = y0;
            m_length1[x] = y1 - y0;
        } else if (m_length2[x] == 0) {
            m_lo2[x] = y0;
            m_length2[x] = y1 - y0;
        } else {
            const int lo = std::min(m_lo2[x], y0);
            m_length2[x] = std::max(m_lo2[x] + m_length2[x], y1) - lo;
            m_lo2[x] = lo;
        }
    }
    m_bounds = m_bounds.united({x0, y0, x1, y1});
}

Canvas::Canvas(QImage &display, const QImage &picture)
    : m_display(display)
    , m_picture(picture)
    , m_w(std::min(display.width(), picture.width()))
    , m_h(std::min(display.height(), picture.height()))
{
}

void Canvas::touch(const Box &b)
{
    m_dirty = m_dirty.united(b.intersected(Box::sized(m_w, m_h)));
}

void Canvas::copy(const Box &b)
{
    const Box t = b.intersected(Box::sized(m_w, m_h));
    if (t.isEmpty())
        return;
    const size_t bytes = size_t(t.width()) * sizeof(QRgb);
    for (int y = t.y0; y < t.y1; ++y)
        std::memcpy(displayRow(y) + t.x0, pictureRow(y) + t.x0, bytes);
    m_dirty = m_dirty.united(t);
}

void Canvas::place(const Box &target, int dx, int dy)
{
    const Box t = target.intersected(Box::sized(m_w, m_h))
                      .intersected({dx, dy, dx + m_w, dy + m_h});
    if (t.isEmpty())
        return;
    const size_t bytes = size_t(t.width()) * sizeof(QRgb);
    for (int y = t.y0; y < t.y1; ++y)
        std::memcpy(displayRow(y) + t.x0, pictureRow(y - dy) + t.x0 - dx, bytes);
    m_dirty = m_dirty.united(t);
}

void Canvas::stretch(const Box &target, const Box &source)
{
    touch(stretchCopy(m_display, target, m_picture, source));
}

void Canvas::span(int y, int x0, int x1)
{
    if (y < 0 || y >= m_h)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_w);
    if (x0 >= x1)
        return;
    std::memcpy(displayRow(y) + x0, pictureRow(y) + x0, size_t(x1 - x0) * sizeof(QRgb));
    m_dirty = m_dirty.united({x0, y, x1, y + 1});
}

void Canvas::polygon(std::span<const QPointF> points)
{
    if (points.size() < 3)
        return;
    double top = points[0].y(), bottom = top;
    for (const QPointF &p : points) {
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const int y0 = std::max(0, spanStart(top));
    const int y1 = std::min(m_h, spanStart(bottom));
    std::vector<double> xs;
    xs.reserve(points.size());
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const QPointF &a = points[i];
            const QPointF &b = points[(i + 1) % points.size()];
            if ((a.y() <= yc) != (b.y() <= yc))
                xs.push_back(a.x() + (yc - a.y()) * (b.x() - a.x()) / (b.y() - a.y()));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            span(y, spanStart(xs[i]), spanStart(xs[i + 1]));
    }
}

void Canvas::columns(const ColumnRuns &runs)
{
    const Box b = runs.bounds().intersected(Box::sized(m_w, m_h));
    if (b.isEmpty())
        return;
    const int32_t *lo1 = runs.m_lo1.data(), *length1 = runs.m_length1.data();
    const int32_t *lo2 = runs.m_lo2.data(), *length2 = runs.m_length2.data();
    for (int y = b.y0; y < b.y1; ++y) {
        QRgb *d = displayRow(y);
        const QRgb *s = pictureRow(y);
        // lo <= y < lo + length as one unsigned comparison, and a select instead of a branch:
        // the compiler vectorises the loop.
        for (int x = b.x0; x < b.x1; ++x) {
            const bool in = (uint32_t(y - lo1[x]) < uint32_t(length1[x]))
                            | (uint32_t(y - lo2[x]) < uint32_t(length2[x]));
            d[x] = in ? s[x] : d[x];
        }
    }
    m_dirty = m_dirty.united(b);
}

} // namespace ly::transitions
