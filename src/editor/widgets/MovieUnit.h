#pragma once

#include "editor/widgets/EditorWindow.h"
#include "shared/FontColor.h"
#include "shared/widgets/ListHelpers.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QSpinBox;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TLyPanel;
class TlyTrackbar;

namespace ly::platform {
class MediaDevice;
class MediaPlayerBar;
class MovieDisplay;
} // namespace ly::platform

// The movie editor, docked in the main window: the card's movies in play order, the size of
// the card's movie window, "Full screen", the about text and a subtitle that scrolls over the
// top or the bottom of the movie. A black preview area plays the selected movie with a
// position bar, and full screen on request. Its values are the project's [FrmMovie] keys; an
// added movie is copied into the project's Movie folder.
//
//   left    list buttons, the movie list, "Modify Movie"
//   right   the preview (468 × 296) with the subtitle, the player bar, time and file labels
class TFrmMovie : public QWidget, public EditorWindow
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 432;
    static constexpr int kPreviewWidth = 468;
    static constexpr int kPreviewHeight = 296;
    // The list's columns: the caption and sub-items 0 … 2.
    enum Column { ColName, ColSize, ColPixels, ColPath, ColumnCount };

    explicit TFrmMovie(TFrmMain &main);
    ~TFrmMovie() override;

    // EditorWindow
    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &project) override;
    void SaveStep(const ly::ProjectDocument &project) override;
    void StopMedia() override;

    // The playback device (the real player unless a test gave another first).
    void setDevice(std::unique_ptr<ly::platform::MediaDevice> device);
    ly::platform::MediaDevice &Device();
    ly::platform::MovieDisplay &Display() { return *m_display; }

    // The add step after the file dialog: the movie is played and, when it opens with a
    // picture, copied into the Movie folder and listed. False when it was refused.
    bool AddMovie(const QString &file);
    QString CurrentPath() const { return m_currentPath; }
    bool Opened() const { return m_opened; }

    QGroupBox *MovieGroup;
    QToolButton *BtnMovieAdd;
    QToolButton *BtnDelOne;
    QToolButton *BtnDelAll;
    QToolButton *BtnUp;
    QToolButton *BtnDown;
    QTreeWidget *ListView1;

    QGroupBox *ChargeFlagGroup;
    QLabel *LblMoviePix;
    QLabel *LblWidth;
    QSpinBox *Edt_pix1;
    QLabel *LblHeight;
    QSpinBox *Edt_pix2;
    QCheckBox *CheckScreen;
    QCheckBox *CheckBox1;
    QComboBox *ComboBox2;
    QToolButton *BtnColor;
    QToolButton *BtnFont;
    QLineEdit *EdtAni;
    QLabel *LblAbout;
    QLineEdit *EdtAbout;

    QLabel *Preview_Lbl;
    QWidget *PnlMovie;
    TLyPanel *LyPanel1;
    QMenu *PopupMenu1;
    QAction *BtnFull;
    ly::platform::MediaPlayerBar *PlayerBar;
    QToolButton *BtnPlay;
    QToolButton *BtnPause;
    QToolButton *BtnStop;
    TlyTrackbar *lyTrackbar1;
    QLabel *PnlPostion;
    QLabel *LblMovieTime;
    QLabel *LblMovieFile;
    QToolButton *BtnVolume;
    QToolButton *BtnNoVolume;
    QWidget *PnlVolume;
    QSlider *TrackBarVolume;
    QToolButton *BtnVolumeClose;
    QTimer Timer1;

public Q_SLOTS:
    void BtnMovieAddClick();
    void BtnDelOneClick();
    void BtnDelAllClick();
    void BtnUpClick();
    void BtnDownClick();
    void ListView1Click();
    void ListView1DblClick();
    void BtnPlayClick();
    void BtnPauseClick();
    void BtnStopClick();
    void Timer1Timer();
    void BtnFullClick();
    void CheckBox1Click();
    void ComboBox2Change(int index);
    void EdtAniChange(const QString &text);
    void BtnColorClick();
    void BtnFontClick();
    void BtnVolumeClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadTexts();
    void Reset();
    // The question of a removal; on Yes playback ends first.
    bool AskToRemove(const QString &question);
    void SetButtons(bool play, bool pause, bool stop);
    void FollowSelection();
    QTreeWidgetItem *SelectedRow() const;
    bool Lists(const QString &name) const;
    QTreeWidgetItem *AddRow(const QString &path, const QString &pixels);
    // Opens the current path in the device; the notice of a failure is the caller's.
    bool OpenCurrent();
    void MeasureDuration();
    // The subtitle's font and the panel's height: its first line in that font + 10 pixels.
    void SetSubtitleFont(const ly::TFont &font);
    void SetSubtitleColor(ly::TColor color);
    void PositionPress();
    void PositionRelease();
    QString ProjectFolder() const;

    TFrmMain &m_main;
    ly::ImageList m_icons;
    std::unique_ptr<ly::platform::MovieDisplay> m_display;
    QString m_currentPath;
    bool m_opened = false;
    int m_width = 0;
    int m_height = 0;
    int m_duration = 0; // s
    int m_subtitlePosition = 0;
    ly::TFont m_subtitleFont;
    ly::TColor m_subtitleColor;
};
