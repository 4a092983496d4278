#pragma once

#include "control/widgets/ClickTracker.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QMouseEvent;

// A panel that fills itself with its picture, tiled from the top-left corner, or with its colour
// when it has no picture. Child controls draw over the picture. The caption is kept but never
// drawn. Painting goes through one off-screen bitmap and one copy, and the panel never erases
// its background, so windows built from many such panels redraw without flicker.
class TLyFullPicture : public QWidget
{
    Q_OBJECT

public:
    explicit TLyFullPicture(QWidget *parent = nullptr);

    const QPixmap &LyLoadPicture() const { return m_picture; }
    // Copies the picture into the panel and repaints; a null pixmap shows the colour.
    void setLyLoadPicture(const QPixmap &picture);

    QColor Color() const { return m_color; }
    void setColor(const QColor &color);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

Q_SIGNALS:
    // A left press and release over the panel.
    void OnClick();
    // Any button pressed over the panel.
    void OnMouseDown(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QColor m_color;
    QString m_caption;
    ClickTracker m_click;
};
