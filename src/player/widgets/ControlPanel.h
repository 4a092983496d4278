#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

// The card's control panel: previous, pause or play, next and close, each button named for
// assistive technology by its caption.
namespace ly::player {

class ControlPanel : public QWidget
{
public:
    ControlPanel();

    // The pause button reads "Play" while the card is paused.
    void setPaused(bool paused);

    std::function<void()> onPrevious, onPause, onNext, onClose;

    QPushButton *BtnPrevious;
    QPushButton *BtnPause;
    QPushButton *BtnNext;
    QPushButton *BtnClose;

private:
    void BtnPreviousClick();
    void BtnPauseClick();
    void BtnNextClick();
    void BtnCloseClick();
};

} // namespace ly::player
