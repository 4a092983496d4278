#pragma once

#include "control/widgets/ClickTracker.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QMouseEvent;
class QMovie;

// A picture control: shows one picture at its own size from the top-left corner, or stretched
// over the control. With AutoSize the control takes the picture's size whenever it gets a
// picture; with Transparent the picture's see-through pixels let the parent show, otherwise the
// control fills its background first. Animated GIF pictures play (Qt's movie reader).
class TLyImage : public QWidget
{
    Q_OBJECT

public:
    explicit TLyImage(QWidget *parent = nullptr);
    ~TLyImage() override;

    // Loads a picture file; false when it cannot be read as a picture (the control keeps what
    // it showed).
    bool LoadFromFile(const QString &file);
    void setPicture(const QImage &picture);
    // The picture now shown; a null image when there is none.
    QImage Picture() const;
    QSize PictureSize() const { return m_size; }
    // Whether the picture is an animation that plays.
    bool Animated() const { return m_movie != nullptr; }

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);

Q_SIGNALS:
    // A left press and release over the control.
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void dropMovie();
    void fitToPicture();

    QImage m_picture;
    QMovie *m_movie = nullptr;
    QSize m_size;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_transparent = false;
    ClickTracker m_click;
};
