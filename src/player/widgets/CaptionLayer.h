#pragma once

#include <QWidget>

// The captions of the background, written over whatever the background window shows (the
// animation page included); mouse input passes through to what lies below.
namespace ly::player {

class BackgroundPicture;

class CaptionLayer : public QWidget
{
public:
    CaptionLayer(BackgroundPicture &background, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BackgroundPicture &m_background;
};

} // namespace ly::player
