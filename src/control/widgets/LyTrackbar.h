#pragma once

#include <QSlider>

class QMouseEvent;

// A track bar that reports mouse presses and releases (after the bar has handled them, so the
// position is already the new one).
class TlyTrackbar : public QSlider
{
    Q_OBJECT

public:
    explicit TlyTrackbar(QWidget *parent = nullptr);

Q_SIGNALS:
    void OnMouseDown(QMouseEvent *event);
    void OnMouseUp(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
