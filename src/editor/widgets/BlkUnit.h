#pragma once

#include "card/FrmBlkSection.h"
#include "editor/widgets/EditorWindow.h"
#include "shared/widgets/ListHelpers.h"

#include <QPoint>
#include <QRandomGenerator>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFrmBlkTextSet;
class TLyChargeImg;
class TlyColorBox;

namespace ly::platform {
class MediaDevice;
class WebBrowser;
} // namespace ly::platform

// The background editor, docked in the main window: the background kind (none, an animation
// in the web view, a gradient, a fill picture), the music list with its pre-listening player,
// the recorded voice and the three captions, over a 470 × 330 preview. Its sections is
// [FrmBlk]; its save step copies the media into the project folder (BackgroundMedia.h).
//
// Handlers follow the user's signals (clicked, activated); where a step "runs" another
// handler, it is called directly, and while the load step runs no handler opens a chooser
// or shows a notice by itself.
class TFrmBlk : public QWidget, public EditorWindow
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 432;
    static constexpr int kPreviewWidth = 470;
    static constexpr int kPreviewHeight = 330;
    static constexpr int kDefaultAnimation = 10;
    static constexpr int kDefaultShade = 1;
    // The path fields: light yellow while they count, grey while not.
    static constexpr QRgb kLightYellow = 0xFBECA8; // $A8ECFB
    static constexpr QRgb kGrey = 0x808080;
    static inline const QString kBlastFireText =
        QStringLiteral("Please click on the above of the background with the mouse!");
    static inline const QString kChooseKindText =
        QStringLiteral("Please choose the good background constitution");

    explicit TFrmBlk(TFrmMain &main);
    ~TFrmBlk() override;

    // EditorWindow
    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &project) override;
    void SaveStep(const ly::ProjectDocument &project) override;
    // Selects the gradient when no kind is selected, then shows the page.
    void ShowPage() override;
    void StopMedia() override;

    // Appends a row for each music file whose name is not listed yet (the music chooser's
    // way in). A file whose name cannot be stored is taken as a copy under a storable name.
    void AddMusicFiles(const QStringList &files);
    // Whether a row of the music list has this file name.
    bool ListsMusic(const QString &fileName) const;
    // The recording dialog's way in: a non-empty path becomes the recording.
    void SetRecordFile(const QString &file);
    // The caption dialog's OK step: the slots go onto the preview.
    void ApplyCaptions();

    // The choosers the buttons open (the picture chooser, the music chooser and the recording
    // dialog); tests replace them. The music chooser returns the files to add, the others a
    // path or an empty text.
    using PathChooser = std::function<QString(QWidget *owner)>;
    using FilesChooser = std::function<QStringList(QWidget *owner)>;
    void setPictureChooser(PathChooser chooser) { m_pictureChooser = std::move(chooser); }
    void setMusicChooser(FilesChooser chooser) { m_musicChooser = std::move(chooser); }
    void setRecordChooser(PathChooser chooser) { m_recordChooser = std::move(chooser); }
    // The delete question (Yes: true).
    void setQuestion(std::function<bool(const QString &text)> ask) { m_question = std::move(ask); }
    // The pre-listening player; the real one is made on first use.
    void setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device);
    ly::platform::MediaDevice *PlayerDevice() const { return m_player.get(); }

    // The window state besides the controls.
    int AnimationIndex() const { return m_animationIndex; }
    int ShadeIndex() const { return m_shadeIndex; }
    int CaptionMode() const { return m_captionMode; }
    void setRandomSeed(quint32 seed) { m_random.seed(seed); }

    // Kind.
    QGroupBox *Blk_GroupBox;
    QRadioButton *RadioNoSet;
    QRadioButton *Cartoon_Check;
    QComboBox *Cartoon_Com;
    QRadioButton *Shade_Check;
    QComboBox *Shade_Com;
    QLabel *Front_Lbl;
    TlyColorBox *ColorBox1;
    QLabel *Back_Lbl;
    TlyColorBox *ColorBox2;
    QRadioButton *PictureFill_Check;
    QLineEdit *Edit1;
    QToolButton *LoadPic_Btn;
    // Music and voice.
    QGroupBox *Music_GroupBox;
    QCheckBox *AddMusic_Check;
    QToolButton *AddMusic_Btn;
    QToolButton *BtnUp;
    QToolButton *BtnDown;
    QToolButton *BtnDel;
    QTreeWidget *ListView1;
    QToolButton *BtnPlay;
    QToolButton *BtnPause;
    QToolButton *BtnStop;
    QProgressBar *Gauge1;
    QTimer *TimerPlay;
    QCheckBox *AddWAV_Check;
    QLineEdit *EdtRecordFile;
    QToolButton *AddWAV_Btn;
    QLabel *MusicText_Lbl;
    QComboBox *ComPlayStyle;
    // Captions.
    QCheckBox *Text_Check;
    QPushButton *BtnAddText;
    QTimer *TimerCaption;
    // Preview.
    QLabel *Preview_Lbl;
    QWidget *PnlPreview;
    ly::platform::WebBrowser *WebBrowser1;
    TLyChargeImg *LyChargeImg1;
    QLabel *ImgFill;
    // The captions of each surface by slot (0 moving, 1 top, 2 bottom): black panels holding
    // caption and shadow over the browser, transparent labels over the gradient and the fill.
    std::array<QWidget *, 3> PagePanels;
    std::array<QLabel *, 3> PageCaptions;
    std::array<QLabel *, 3> PageShadows;
    std::array<QLabel *, 3> ShadeCaptions;
    std::array<QLabel *, 3> ShadeShadows;
    std::array<QLabel *, 3> FillCaptions;
    std::array<QLabel *, 3> FillShadows;

    TFrmBlkTextSet *FrmBlkTextSet = nullptr;

public Q_SLOTS:
    void RadioNoSetClick();
    void Cartoon_CheckClick();
    void Shade_CheckClick();
    void PictureFill_CheckClick();
    void Cartoon_ComChange();
    void Shade_ComChange();
    void ColorBox1Change();
    void ColorBox2Change();
    void LoadPic_BtnClick();
    void AddMusic_CheckClick();
    void AddMusic_BtnClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnDelClick();
    void ListView1Click();
    void BtnPlayClick();
    void BtnPauseClick();
    void BtnStopClick();
    void TimerPlayTimer();
    void AddWAV_CheckClick();
    void AddWAV_BtnClick();
    void Text_CheckClick();
    void BtnAddTextClick();
    void TimerCaptionTimer();

private:
    void BuildKindBox();
    void BuildMusicBox();
    void BuildPreview();
    void LoadTexts();
    // The enabled state, colours and preview surface of every kind follow the radio buttons.
    void ApplyKindState();
    // Places the captions for the current kind and shows those that count.
    void LayoutCaptions();
    void HideCaptions();
    void LoadFillPicture(const QString &file);
    void AddMusicRow(const QString &name, const QString &folder, const QString &sizeText);
    ly::FrmBlkSection::Kind SelectedKind() const;
    QStringList ChooseMusic();
    ly::platform::MediaDevice &Player();
    QSize CaptionTextSize(int slot) const;

    TFrmMain &m_main;
    ly::ImageList m_icons;
    int m_animationIndex = kDefaultAnimation;
    int m_shadeIndex = kDefaultShade;
    int m_captionMode = 0;
    QPoint m_movingPos;
    // The slots as OK applied them: which show, and which with their shadow.
    std::array<bool, 3> m_shown{};
    std::array<bool, 3> m_shadowShown{};
    bool m_loading = false;
    QRandomGenerator m_random;
    std::unique_ptr<ly::platform::MediaDevice> m_player;
    PathChooser m_pictureChooser;
    FilesChooser m_musicChooser;
    PathChooser m_recordChooser;
    std::function<bool(const QString &)> m_question;
};
