#pragma once

#include <QWidget>

class QMenu;

namespace ly::platform {
class GlobalHotKey;
class MediaDevice;
class MovieDisplay;
} // namespace ly::platform

// The movie editor's full-screen preview: a borderless, maximised black window into which the
// playing movie is drawn, closed by its pop-up menu's "Exit Full Screen" or by Escape (a
// program-wide hot key "MyHotKey1" while the window lives).
class TFrmPreviewmMovie : public QWidget
{
    Q_OBJECT

public:
    TFrmPreviewmMovie(ly::platform::MovieDisplay &display, QWidget *parent = nullptr);
    ~TFrmPreviewmMovie() override;

    // Shows the window modally until it is closed.
    void ShowModal();

    QMenu *PopupMenu1;
    QAction *ExitFullScreen;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void HotKeyPressed();

    ly::platform::MovieDisplay &m_display;
    ly::platform::GlobalHotKey *m_hotKey = nullptr;
    class QEventLoop *m_loop = nullptr;
};
