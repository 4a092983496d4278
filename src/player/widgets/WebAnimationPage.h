#pragma once

#include "player/widgets/AnimationPage.h"

namespace ly::platform {
class WebView;
}

namespace ly::player {

// The animation page in the platform's web view. The view (and with it the engine) starts when
// the page is first shown and fills the page; clicks go straight to it. When the engine cannot
// be started the page says why on standard error and stays the black still surface.
class WebAnimationPage : public StillAnimationPage
{
public:
    explicit WebAnimationPage(QWidget *parent = nullptr);
    void open(const QString &startPage) override;
    // The view, once started; nullptr before and when the engine failed.
    platform::WebView *view() const { return m_view; }
    // Runs the event loop (at most ms) until the view shows more than one colour, the page's
    // first picture; false when it does not, or there is no view.
    bool waitForPicture(int ms);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startView();

    platform::WebView *m_view = nullptr;
    bool m_failed = false;
};

// Runs the event loop for ms milliseconds.
void RunEventsFor(int ms);

} // namespace ly::player
