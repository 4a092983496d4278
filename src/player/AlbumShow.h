#pragma once

#include "card/FrmPictureSection.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRandomGenerator>
#include <QSize>
#include <QStringList>

#include <array>

// The photo album of a playing card, without a window: its pictures one after another, each
// brought on by its transition and then staying its interval, in a loop; the frame pieces,
// the tiled fill, and where the album window stands on the screen in each show mode. All of
// it is a function of the card's clock, so the test interface can show any moment.
namespace ly::player {

class AlbumShow
{
public:
    // A transition runs 20 frames of 50 ms (progress in steps of 5), as in the editor.
    static constexpr int kTransitionStep = 5;
    static constexpr int kFrameMs = 50;
    static constexpr qint64 kTransitionMs = 100 / kTransitionStep * kFrameMs;
    // The speed of the window in show mode 1, pixels per second across and down.
    static constexpr int kSpeedX = 90;
    static constexpr int kSpeedY = 60;

    // Reads the pictures (those that cannot be read are left out), the frame pieces of the
    // project's PicBox folder (all eight, or no frame) and the fill picture.
    AlbumShow(const FrmPictureSection &section, const QString &projectFolder, quint32 seed);

    bool empty() const { return m_pictures.isEmpty(); }
    int count() const { return int(m_pictures.size()); }
    const FrmPictureSection &section() const { return m_section; }
    bool hasFrame() const { return !m_pieces[0].isNull(); }
    // How long one picture takes (its transition and its interval), and one pass.
    qint64 slotLength() const;
    qint64 passLength() const { return slotLength() * count(); }

    // Moves the show on to the card's time ms.
    void advanceTo(qint64 ms);
    // The next or previous picture starts its transition now.
    void next(qint64 now);
    void previous(qint64 now);
    int index() const { return m_index; }
    // The number of times the last picture has ended its interval.
    int passes() const { return m_passes; }
    // The transition style of the current picture (1 … 150) and its progress (0 … 100).
    int style() const { return m_style; }
    int progressAt(qint64 now) const;

    // The window on a screen: full screen with "Full Reach", else the album's size (at most
    // the screen's) at the place of the show mode.
    QRect windowRect(QRect screen, qint64 now) const;
    // What the window shows at now, for a window of the given size.
    QImage render(QSize window, qint64 now);
    // The area inside the frame.
    QRect pictureArea(QSize window) const;

private:
    void enter(int index, qint64 start, int passesAdded);
    QImage target(int index, QSize area);

    FrmPictureSection m_section;
    QStringList m_pictures; // the files of the pictures that can be read
    std::array<QImage, 8> m_pieces; // Top, Left, Right, Bottom, TopLeft, TopRight, BtmLeft, BtmRight
    QImage m_fill;
    QRandomGenerator m_random;
    quint32 m_seed;
    int m_index = 0;
    qint64 m_slotStart = 0;
    qint64 m_slotNumber = 0; // how many pictures have started so far
    int m_passes = 0;
    int m_style = 1;
    int m_previous = -1; // the picture the transition starts from; -1 for the bare fill

    struct Cached
    {
        int index = -1;
        QSize area;
        QImage image;
    };
    std::array<Cached, 3> m_targets; // the previous, the current and the next picture
};

} // namespace ly::player
