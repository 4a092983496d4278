#pragma once

#include <QWidget>

#include <functional>

// The card's background window: it covers the screen with the gradient, the fill picture or
// the animation page, and the captions over it. Escape closes the card.
namespace ly::player {

class AnimationPage;
class BackgroundPicture;
class CaptionLayer;

class BackgroundWindow : public QWidget
{
public:
    // page: the animation page, for the animation kind (the window takes it as a child).
    BackgroundWindow(BackgroundPicture &background, AnimationPage *page);

    // Repaints what moved.
    void refresh();
    std::function<void()> onClose;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    BackgroundPicture &m_background;
    AnimationPage *m_page;
    CaptionLayer *m_captions;
    QRect m_shownCaption;
};

} // namespace ly::player
