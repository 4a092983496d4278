#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <memory>

class QRect;

// The card player program: finds the card (behind its own bytes, or the project named by
// Preview.qrj when it runs as Preview.exe), unpacks it into its private folder and plays it
// in its windows. Its command line besides the plain start:
//
//   --snapshot SECONDS OUT.png   plays on a virtual clock without sound and writes what the
//                                screen shows at that moment (every window where it stands)
//   --run-to-end                 plays on a virtual clock as fast as it can, then carries out
//                                the end actions (the message goes to standard output)
//   --no-autostart               removes the card's autostart entry and ends
namespace ly::player {

class AlbumWindow;
class AnimationPage;
class BackgroundWindow;
class CardPlayer;
class ControlPanel;
struct CardProject;
class SoundOutput;

// The windows of a playing card and the player behind them.
class CardStage
{
public:
    CardStage(const CardProject &project, SoundOutput &sound, quint32 seed,
              const QString &pageFolder, bool virtualClock);
    ~CardStage();

    CardPlayer &player() { return *m_player; }
    // Shows the windows on the screen.
    void show();
    // Moves and repaints the windows for the player's time.
    void refresh();
    // What the screen shows: every visible window of the card where it stands.
    QImage grabScreen();
    // The end actions of [System]; the message text goes to standard output instead of a box
    // when toStdout.
    void runEndActions(bool toStdout);

    BackgroundWindow *backgroundWindow() { return m_background.get(); }
    AlbumWindow *albumWindow() { return m_album.get(); }
    ControlPanel *controlPanel() { return m_panel.get(); }
    AnimationPage *animationPage() { return m_page; }
    // Waits (at most ms) until the animation page in the web view shows its first picture;
    // false at once without a web view.
    bool waitForPage(int ms);

private:
    QRect screen() const;

    std::unique_ptr<CardPlayer> m_player;
    AnimationPage *m_page = nullptr;
    std::unique_ptr<BackgroundWindow> m_background;
    std::unique_ptr<AlbumWindow> m_album;
    std::unique_ptr<ControlPanel> m_panel;
    bool m_virtual;
};

// webEngineModule: the web engine module the player carries (empty without one).
int RunPlayer(int argc, char **argv, QByteArrayView webEngineModule = {});

} // namespace ly::player
