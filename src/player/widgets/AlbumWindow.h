#pragma once

#include <QWidget>

#include <functional>

// The album window: the frame, the fill and the picture of the moment with its transition,
// placed on the screen as the show mode says. Escape closes the card.
namespace ly::player {

class AlbumShow;

class AlbumWindow : public QWidget
{
public:
    AlbumWindow(AlbumShow &album, const std::function<qint64()> &clock);

    // Moves the window to its place at the card's time and repaints it when it changed.
    void refresh(QRect screen);
    std::function<void()> onClose;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AlbumShow &m_album;
    std::function<qint64()> m_clock;
    int m_shownIndex = -1;
    int m_shownProgress = -1;
};

} // namespace ly::player
