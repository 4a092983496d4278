#pragma once

#include "control/widgets/ClickTracker.h"

#include <QPixmap>
#include <QWidget>

class QEvent;
class QMouseEvent;

// A picture button: it shows PicIdle at rest, PicUp while the mouse is over it and PicDown
// while it is pressed with the mouse over it. Moving out while the button is held shows PicIdle,
// moving back in shows PicDown again. With Supported false the button keeps whatever picture it
// shows and fires none of its four mouse events, but still clicks.
class TlyImgBtn : public QWidget
{
    Q_OBJECT

public:
    explicit TlyImgBtn(QWidget *parent = nullptr);

    const QPixmap &PicIdle() const { return m_picIdle; }
    // Also shows the picture at once.
    void setPicIdle(const QPixmap &picture);
    const QPixmap &PicDown() const { return m_picDown; }
    void setPicDown(const QPixmap &picture);
    // The picture under the mouse while not pressed.
    const QPixmap &PicUp() const { return m_picUp; }
    void setPicUp(const QPixmap &picture);

    // The picture shown now.
    const QPixmap &Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    bool Supported() const { return m_supported; }
    void setSupported(bool supported) { m_supported = supported; }

    // The button takes the size of the picture it shows.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    // The picture is drawn in the middle of the button instead of at its top-left corner.
    bool Center() const { return m_center; }
    void setCenter(bool center);

    bool isMouseInside() const { return m_inside; }
    bool isPressed() const { return m_pressed; }

Q_SIGNALS:
    void OnMouseEnter(QEvent *event);
    void OnMouseLeave(QEvent *event);
    void OnMouseDown(QMouseEvent *event);
    void OnMouseUp(QMouseEvent *event);
    // A left press on the button released over it; fired before OnMouseUp.
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void MouseEnter(QEvent *event);
    void MouseLeave(QEvent *event);

    QPixmap m_picIdle;
    QPixmap m_picDown;
    QPixmap m_picUp;
    QPixmap m_picture;
    bool m_supported = true;
    bool m_autoSize = false;
    bool m_center = false;
    bool m_inside = false;
    bool m_pressed = false;
    ClickTracker m_click;
};
