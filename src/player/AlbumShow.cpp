#include "player/AlbumShow.h"

#include "shared/FitRect.h"
#include "shared/Paths.h"
#include "transitions/Effects.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace ly::player {

namespace {

const char *const kPieceNames[8] = {"Top.jpg",     "Left.jpg",     "Right.jpg",   "Bottom.jpg",
                                    "TopLeft.jpg", "TopRight.jpg", "BtmLeft.jpg", "BtmRight.jpg"};
enum Piece { Top, Left, Right, Bottom, TopLeft, TopRight, BtmLeft, BtmRight };

// A picture from a stranger: read only when its size is sane, as 32-bit pixels.
QImage readPicture(const QString &file)
{
    constexpr int kMaxSide = 16384;
    QImageReader reader(file);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        return QImage();
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// A position moving at speed along a span of range pixels, back and forth.
int bounce(qint64 distance, int range)
{
    if (range <= 0)
        return 0;
    const qint64 period = 2 * qint64(range);
    const qint64 d = distance % period;
    return int(d <= range ? d : period - d);
}

} // namespace

AlbumShow::AlbumShow(const FrmPictureSection &section, const QString &projectFolder, quint32 seed)
    : m_section(section), m_random(seed), m_seed(seed)
{
    const QString folder = AddTrailingBackslash(projectFolder);
    m_section.pictures.clear();
    for (const AlbumPicture &picture : section.pictures) {
        // Only the header is read now; the picture is decoded when it comes on, so the card
        // shows at once however large its album.
        const QString file = folder + QStringLiteral("Picture/") + picture.name;
        QImageReader reader(file);
        if (!reader.canRead() || !reader.size().isValid())
            continue; // a picture that cannot be read is left out
        m_pictures.append(file);
        m_section.pictures.append(picture);
    }
    if (section.frame) {
        std::array<QImage, 8> pieces;
        bool complete = true;
        for (int i = 0; i < 8; ++i) {
            pieces[i] = readPicture(folder + QStringLiteral("PicBox/") + QLatin1String(kPieceNames[i]));
            complete = complete && !pieces[i].isNull();
        }
        if (complete)
            m_pieces = pieces;
    }
    if (!section.fillPicture.isEmpty())
        m_fill = readPicture(folder + QStringLiteral("Res/") + section.fillPicture);
    if (!empty())
        enter(0, 0, 0);
}

qint64 AlbumShow::slotLength() const
{
    return kTransitionMs + qint64(m_section.seconds) * 1000;
}

void AlbumShow::enter(int index, qint64 start, int passesAdded)
{
    m_previous = m_slotNumber == 0 ? -1 : m_index;
    m_index = index;
    m_slotStart = start;
    m_passes += passesAdded;
    ++m_slotNumber;
    const int style = AlbumStyleOfIndex(m_section.pictures.at(index).styleIndex);
    m_style = style != 0 ? style : 1 + int(m_random.bounded(transitions::kStyleCount));
}

void AlbumShow::advanceTo(qint64 ms)
{
    if (empty())
        return;
    while (ms >= m_slotStart + slotLength()) {
        const int next = (m_index + 1) % count();
        enter(next, m_slotStart + slotLength(), next == 0 ? 1 : 0);
    }
}

void AlbumShow::next(qint64 now)
{
    if (!empty())
        enter((m_index + 1) % count(), now, 0);
}

void AlbumShow::previous(qint64 now)
{
    if (!empty())
        enter((m_index + count() - 1) % count(), now, 0);
}

int AlbumShow::progressAt(qint64 now) const
{
    const qint64 frames = std::max<qint64>(0, now - m_slotStart) / kFrameMs;
    return int(std::min<qint64>(100, frames * kTransitionStep));
}

QRect AlbumShow::windowRect(QRect screen, qint64 now) const
{
    if (m_section.fullScreen)
        return screen;
    const QSize size = QSize(m_section.clientWidth, m_section.clientHeight).boundedTo(screen.size());
    const int rangeX = screen.width() - size.width();
    const int rangeY = screen.height() - size.height();
    QPoint at;
    switch (m_section.showMode) {
    case 1: // gliding about the screen, off its edges
        at = {bounce(now * kSpeedX / 1000 + rangeX / 2, rangeX),
              bounce(now * kSpeedY / 1000 + rangeY / 3, rangeY)};
        break;
    case 2: { // a new place for each picture
        QRandomGenerator place(m_seed ^ quint32(m_slotNumber * 2654435761u));
        at = {rangeX > 0 ? int(place.bounded(rangeX + 1)) : 0,
              rangeY > 0 ? int(place.bounded(rangeY + 1)) : 0};
        break;
    }
    default:
        at = {rangeX / 2, rangeY / 2};
        break;
    }
    return QRect(screen.topLeft() + at, size);
}

QRect AlbumShow::pictureArea(QSize window) const
{
    if (!hasFrame())
        return QRect(QPoint(0, 0), window);
    return QRect(QPoint(m_pieces[Left].width(), m_pieces[Top].height()),
                 QPoint(window.width() - m_pieces[Right].width() - 1,
                        window.height() - m_pieces[Bottom].height() - 1));
}

QImage AlbumShow::target(int index, QSize area)
{
    for (const Cached &c : m_targets)
        if (c.index == index && c.area == area)
            return c.image;
    QImage image(area, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    if (!m_fill.isNull())
        for (int y = 0; y < area.height(); y += m_fill.height())
            for (int x = 0; x < area.width(); x += m_fill.width())
                p.drawImage(QPoint(x, y), m_fill);
    if (index >= 0) {
        // A picture whose data turns out damaged shows as the bare fill.
        const QImage picture = readPicture(m_pictures.at(index));
        if (!picture.isNull())
            p.drawImage(FitPictureRect(picture.size(), area), picture);
    }
    p.end();
    std::rotate(m_targets.rbegin(), m_targets.rbegin() + 1, m_targets.rend());
    m_targets[0] = {index, area, image};
    return image;
}

QImage AlbumShow::render(QSize window, qint64 now)
{
    QImage out(window, QImage::Format_RGB32);
    out.fill(Qt::black);
    const QRect area = pictureArea(window);
    if (area.width() <= 0 || area.height() <= 0)
        return out;
    QImage content = empty() ? target(-1, area.size()) : QImage();
    if (!empty()) {
        const int progress = progressAt(now);
        const QImage from = target(m_previous, area.size());
        if (progress == 0) {
            content = from; // nothing of the new picture shows yet
        } else {
            const QImage to = target(m_index, area.size());
            content = QImage(area.size(), QImage::Format_RGB32);
            transitions::composeFrame(content, from, to, m_style, kTransitionStep, progress);
        }
    }
    // While the picture stands still, the next one is made ready, so its transition never
    // waits for a picture to be decoded.
    if (!empty() && progressAt(now) == 100)
        target((m_index + 1) % count(), area.size());
    QPainter p(&out);
    p.drawImage(area.topLeft(), content);
    if (hasFrame()) {
        const int w = window.width();
        const int h = window.height();
        const int top = m_pieces[Top].height();
        const int bottom = m_pieces[Bottom].height();
        p.drawImage(QRect(0, 0, w, top), m_pieces[Top]);
        p.drawImage(QRect(0, h - bottom, w, bottom), m_pieces[Bottom]);
        p.drawImage(QRect(0, top, m_pieces[Left].width(), h - top - bottom), m_pieces[Left]);
        p.drawImage(QRect(w - m_pieces[Right].width(), top, m_pieces[Right].width(), h - top - bottom),
                    m_pieces[Right]);
        p.drawImage(QPoint(0, 0), m_pieces[TopLeft]);
        p.drawImage(QPoint(w - m_pieces[TopRight].width(), 0), m_pieces[TopRight]);
        p.drawImage(QPoint(0, h - m_pieces[BtmLeft].height()), m_pieces[BtmLeft]);
        p.drawImage(QPoint(w - m_pieces[BtmRight].width(), h - m_pieces[BtmRight].height()),
                    m_pieces[BtmRight]);
    }
    return out;
}

} // namespace ly::player
