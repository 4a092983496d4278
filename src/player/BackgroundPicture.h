#pragma once

#include "card/FrmBlkSection.h"

#include <QImage>
#include <QPoint>
#include <QRandomGenerator>
#include <QRect>
#include <QSize>

class QPainter;

// The card's background without a window: the gradient or the stretched fill picture (the
// animation page is a web view of its own), and the captions over it, the moving one animated
// on the card's clock with the editor's maths (control/CaptionMotion.h).
namespace ly::player {

class BackgroundPicture
{
public:
    BackgroundPicture(const FrmBlkSection &section, const QString &projectFolder, quint32 seed);

    const FrmBlkSection &section() const { return m_section; }
    // Whether the captions are written (the kind is not none and captions are on).
    bool hasCaptions() const;

    // The background of the given size: the gradient, the fill picture stretched over it, or
    // black (none, or the animation, whose page covers it). Kept until the size changes.
    const QImage &base(QSize size);
    // Moves the moving caption on to the card's time ms, for an area of the given size.
    void advanceTo(qint64 ms, QSize area);
    // Writes the used captions and their shadows over an area of the given size; over the
    // animation page each on its black panel.
    void paintCaptions(QPainter &painter, QSize area) const;
    // The moving caption's place (top-left of its text or panel).
    QPoint movingCaption() const { return m_moving; }
    // The area the moving caption covers, its shadow included; empty without one.
    QRect movingCaptionRect() const;

private:
    QSize textSize(int slot) const;
    void paintSlot(QPainter &painter, int slot, QPoint at) const;

    FrmBlkSection m_section;
    QImage m_fill;
    QImage m_base;
    QRandomGenerator m_random;
    QPoint m_moving;
    QSize m_area;
    qint64 m_nextTick = -1;
};

} // namespace ly::player
