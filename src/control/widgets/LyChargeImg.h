#pragma once

#include "control/Gradient.h"

#include <QImage>
#include <QWidget>

// The gradient picture: fills its whole area with a two-colour gradient in one of 13 styles.
// The gradient is kept in a bitmap of the control's size, drawn again only when the size, a
// colour or the style changes; painting copies the bitmap.
class TLyChargeImg : public QWidget
{
    Q_OBJECT

public:
    explicit TLyChargeImg(QWidget *parent = nullptr);

    ly::TColor FromColor() const { return m_fromColor; }
    void setFromColor(ly::TColor color);
    ly::TColor ToColor() const { return m_toColor; }
    void setToColor(ly::TColor color);
    ly::TGradientFillType GradientFillType() const { return m_fillType; }
    void setGradientFillType(ly::TGradientFillType type);

    // The kept gradient, of the size it was drawn for.
    const QImage &Bitmap() const { return m_bitmap; }

Q_SIGNALS:
    // A left-button press and release inside the control.
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void redraw();

    ly::TColor m_fromColor = ly::clRed;
    ly::TColor m_toColor = ly::clWhite;
    ly::TGradientFillType m_fillType = ly::rgsElliptic;
    QImage m_bitmap;
    bool m_armed = false;
};
