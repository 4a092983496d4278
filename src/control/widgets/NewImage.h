#pragma once

#include <QPixmap>
#include <QWidget>

// A picture stretched to its bounds. A left click and a right-button press both count as a
// click (OnClick).
class TNewImage : public QWidget
{
    Q_OBJECT

public:
    explicit TNewImage(QWidget *parent = nullptr);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

Q_SIGNALS:
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_leftDown = false;
};
