#include "editor/widgets/BlkUnit.h"

#include "card/Package.h"
#include "card/StoredPath.h"
#include "card/ProjectKeys.h"
#include "control/CaptionMotion.h"
#include "control/PictureFile.h"
#include "control/Thumbnail.h"
#include "control/widgets/LyChargeImg.h"
#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyFontDialog.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/BackgroundMedia.h"
#include "editor/PictureChoice.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/BlkTextSetUnit.h"
#include "editor/widgets/LoadMusicUnit.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "editor/widgets/MainUnit.h"
#include "editor/widgets/RecordMusicUnit.h"
#include "editor/widgets/UnpackPackage.h"
#include "platform/MediaPlayer.h"
#include "platform/widgets/MediaPlayerBar.h"
#include "platform/widgets/WebBrowser.h"
#include "shared/FileHelpers.h"
#include "shared/Paths.h"
#include "shared/Settings.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/Notice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

using Kind = ly::FrmBlkSection::Kind;

// The music list's columns: the name, the size text and the folder (hidden).
enum { NameColumn = 0, SizeColumn = 1, FolderColumn = 2 };
constexpr int kMaxShadeEntries = 1000;

// A widget whose caption gives its accessible name: only the object name is set.
template <class W>
W *captioned(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QToolButton *toolButton(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *button = ly::Named(new QToolButton(parent), name);
    button->setGeometry(geometry);
    return button;
}

QLabel *captionLabel(QWidget *parent, const QString &name)
{
    auto *label = ly::Named(new QLabel(parent), name);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

// Checks or unchecks without running the handlers that follow the button.
void setQuietly(QAbstractButton *button, bool on)
{
    const QSignalBlocker quiet(button);
    button->setChecked(on);
}

const char *const kSlotNames[] = {"Caption", "Top", "Btm"};

} // namespace

TFrmBlk::TFrmBlk(TFrmMain &main)
    : QWidget(main.PnlDock)
    , m_main(main)
{
    setObjectName(QStringLiteral("FrmBlk"));
    setAutoFillBackground(true);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    for (const char *sample : {"a.mid", "a.wav", "a.mp3", "a.wma"})
        ly::AddFileTypeIcon(QLatin1String(sample), m_icons, ly::SmallIcon);

    BuildKindBox();
    BuildMusicBox();
    BuildPreview();

    TimerPlay = new QTimer(this);
    TimerPlay->setInterval(100);
    TimerCaption = new QTimer(this);

    m_animationIndex = kDefaultAnimation;
    m_shadeIndex = kDefaultShade;
    ColorBox1->setSelected(ly::clWhite);
    ColorBox2->setSelected(ly::clNavy);
    LyChargeImg1->setFromColor(ColorBox1->Selected());
    LyChargeImg1->setToColor(ColorBox2->Selected());
    ApplyKindState();
    for (int i = 0; i < 3; ++i)
        for (QLabel *label : {PageCaptions[i], PageShadows[i], ShadeCaptions[i], ShadeShadows[i],
                              FillCaptions[i], FillShadows[i]})
            label->clear();
    HideCaptions();
    LoadTexts();
    AddMusic_CheckClick();
    AddWAV_CheckClick();
    Text_CheckClick();
    if (!FrmBlkTextSet)
        FrmBlkTextSet = new TFrmBlkTextSet(*this);
    m_random.seed(quint32(QDateTime::currentMSecsSinceEpoch()));

    // Check boxes and radio buttons follow toggled, which assistive technology's toggle
    // action emits as well as a click; the code sets them quietly (setQuietly) and runs the
    // handler itself where a step runs it.
    const auto onChecked = [this](QRadioButton *radio, auto handler) {
        connect(radio, &QRadioButton::toggled, this, [handler](bool on) {
            if (on)
                handler();
        });
    };
    onChecked(RadioNoSet, ly::Guarded(this, &TFrmBlk::RadioNoSetClick));
    onChecked(Cartoon_Check, ly::Guarded(this, &TFrmBlk::Cartoon_CheckClick));
    onChecked(Shade_Check, ly::Guarded(this, &TFrmBlk::Shade_CheckClick));
    onChecked(PictureFill_Check, ly::Guarded(this, &TFrmBlk::PictureFill_CheckClick));
    connect(Cartoon_Com, &QComboBox::activated, this, ly::Guarded(this, &TFrmBlk::Cartoon_ComChange));
    connect(Shade_Com, &QComboBox::activated, this, ly::Guarded(this, &TFrmBlk::Shade_ComChange));
    connect(ColorBox1, &TlyColorBox::Change, this, ly::Guarded(this, &TFrmBlk::ColorBox1Change));
    connect(ColorBox2, &TlyColorBox::Change, this, ly::Guarded(this, &TFrmBlk::ColorBox2Change));
    connect(LoadPic_Btn, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::LoadPic_BtnClick));
    connect(AddMusic_Check, &QCheckBox::toggled, this, ly::Guarded(this, &TFrmBlk::AddMusic_CheckClick));
    connect(AddMusic_Btn, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::AddMusic_BtnClick));
    connect(BtnUp, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnUpClick));
    connect(BtnDown, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnDownClick));
    connect(BtnDel, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnDelClick));
    connect(ListView1, &QTreeWidget::itemClicked, this, ly::Guarded(this, &TFrmBlk::ListView1Click));
    // The keyboard's Enter on a row does what a click does.
    connect(ListView1, &QTreeWidget::itemActivated, this, ly::Guarded(this, &TFrmBlk::ListView1Click));
    connect(BtnPlay, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnPlayClick));
    connect(BtnPause, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnPauseClick));
    connect(BtnStop, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnStopClick));
    connect(TimerPlay, &QTimer::timeout, this, ly::Guarded(this, &TFrmBlk::TimerPlayTimer));
    connect(AddWAV_Check, &QCheckBox::toggled, this, ly::Guarded(this, &TFrmBlk::AddWAV_CheckClick));
    connect(AddWAV_Btn, &QToolButton::clicked, this, ly::Guarded(this, &TFrmBlk::AddWAV_BtnClick));
    connect(Text_Check, &QCheckBox::toggled, this, ly::Guarded(this, &TFrmBlk::Text_CheckClick));
    connect(BtnAddText, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBlk::BtnAddTextClick));
    connect(TimerCaption, &QTimer::timeout, this, ly::Guarded(this, &TFrmBlk::TimerCaptionTimer));
}

TFrmBlk::~TFrmBlk()
{
    TimerPlay->stop();
    TimerCaption->stop();
    if (m_player)
        m_player->close();
}

// ---- Building -------------------------------------------------------------------------------

void TFrmBlk::BuildKindBox()
{
    Blk_GroupBox = captioned(new QGroupBox(this), QStringLiteral("Blk_GroupBox"));
    Blk_GroupBox->setGeometry(8, 4, 298, 190);
    RadioNoSet = captioned(new QRadioButton(QStringLiteral("Not BackGround"), Blk_GroupBox),
                           QStringLiteral("RadioNoSet"));
    RadioNoSet->setGeometry(12, 22, 200, 22);
    Cartoon_Check = captioned(new QRadioButton(Blk_GroupBox), QStringLiteral("Cartoon_Check"));
    Cartoon_Check->setGeometry(12, 48, 118, 22);
    Cartoon_Com = ly::Named(new QComboBox(Blk_GroupBox), QStringLiteral("Cartoon_Com"));
    Cartoon_Com->setGeometry(134, 47, 152, 24);
    Shade_Check = captioned(new QRadioButton(Blk_GroupBox), QStringLiteral("Shade_Check"));
    Shade_Check->setGeometry(12, 78, 118, 22);
    Shade_Com = ly::Named(new QComboBox(Blk_GroupBox), QStringLiteral("Shade_Com"));
    Shade_Com->setGeometry(134, 77, 152, 24);
    Front_Lbl = captioned(new QLabel(Blk_GroupBox), QStringLiteral("Front_Lbl"));
    Front_Lbl->setGeometry(28, 106, 114, 20);
    ColorBox1 = ly::Named(new TlyColorBox(Blk_GroupBox), QStringLiteral("ColorBox1"));
    ColorBox1->setGeometry(144, 104, 142, 24);
    Front_Lbl->setBuddy(ColorBox1);
    Back_Lbl = captioned(new QLabel(Blk_GroupBox), QStringLiteral("Back_Lbl"));
    Back_Lbl->setGeometry(28, 134, 114, 20);
    ColorBox2 = ly::Named(new TlyColorBox(Blk_GroupBox), QStringLiteral("ColorBox2"));
    ColorBox2->setGeometry(144, 132, 142, 24);
    Back_Lbl->setBuddy(ColorBox2);
    PictureFill_Check = captioned(new QRadioButton(Blk_GroupBox), QStringLiteral("PictureFill_Check"));
    PictureFill_Check->setGeometry(12, 160, 118, 22);
    Edit1 = ly::Named(new QLineEdit(Blk_GroupBox), QStringLiteral("Edit1"));
    Edit1->setGeometry(134, 160, 122, 22);
    LoadPic_Btn = toolButton(Blk_GroupBox, QStringLiteral("LoadPic_Btn"), QRect(258, 159, 28, 24));
    LoadPic_Btn->setText(QStringLiteral("..."));
}

void TFrmBlk::BuildMusicBox()
{
    Music_GroupBox = captioned(new QGroupBox(this), QStringLiteral("Music_GroupBox"));
    Music_GroupBox->setGeometry(8, 200, 298, 226);
    AddMusic_Check = captioned(new QCheckBox(Music_GroupBox), QStringLiteral("AddMusic_Check"));
    AddMusic_Check->setGeometry(12, 20, 150, 22);
    AddMusic_Btn = toolButton(Music_GroupBox, QStringLiteral("AddMusic_Btn"), QRect(178, 19, 26, 24));
    AddMusic_Btn->setText(QStringLiteral("…"));
    BtnUp = toolButton(Music_GroupBox, QStringLiteral("BtnUp"), QRect(206, 19, 26, 24));
    BtnUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    BtnDown = toolButton(Music_GroupBox, QStringLiteral("BtnDown"), QRect(234, 19, 26, 24));
    BtnDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    BtnDel = toolButton(Music_GroupBox, QStringLiteral("BtnDel"), QRect(262, 19, 26, 24));
    BtnDel->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    BtnDel->setEnabled(false);

    ListView1 = ly::Named(new QTreeWidget(Music_GroupBox), QStringLiteral("ListView1"));
    ListView1->setGeometry(12, 46, 276, 84);
    ListView1->setColumnCount(3);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setColumnWidth(NameColumn, 190);
    ListView1->setColumnWidth(SizeColumn, 70);
    ListView1->setColumnHidden(FolderColumn, true);

    BtnPlay = toolButton(Music_GroupBox, QStringLiteral("BtnPlay"), QRect(12, 134, 26, 22));
    BtnPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BtnPause = toolButton(Music_GroupBox, QStringLiteral("BtnPause"), QRect(40, 134, 26, 22));
    BtnPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    BtnStop = toolButton(Music_GroupBox, QStringLiteral("BtnStop"), QRect(68, 134, 26, 22));
    BtnStop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    Gauge1 = ly::Named(new QProgressBar(Music_GroupBox), QStringLiteral("Gauge1"));
    Gauge1->setGeometry(100, 137, 188, 16);
    Gauge1->setTextVisible(false);
    Gauge1->setRange(0, 1);
    Gauge1->setValue(0);

    AddWAV_Check = captioned(new QCheckBox(Music_GroupBox), QStringLiteral("AddWAV_Check"));
    AddWAV_Check->setGeometry(12, 164, 100, 22);
    EdtRecordFile = ly::Named(new QLineEdit(Music_GroupBox), QStringLiteral("EdtRecordFile"));
    EdtRecordFile->setGeometry(112, 164, 146, 22);
    AddWAV_Btn = toolButton(Music_GroupBox, QStringLiteral("AddWAV_Btn"), QRect(260, 163, 28, 24));
    AddWAV_Btn->setText(QStringLiteral("..."));
    MusicText_Lbl = captioned(new QLabel(Music_GroupBox), QStringLiteral("MusicText_Lbl"));
    MusicText_Lbl->setGeometry(30, 194, 100, 20);
    ComPlayStyle = ly::Named(new QComboBox(Music_GroupBox), QStringLiteral("ComPlayStyle"));
    ComPlayStyle->setGeometry(134, 192, 154, 24);
    MusicText_Lbl->setBuddy(ComPlayStyle);
}

void TFrmBlk::BuildPreview()
{
    Preview_Lbl = captioned(new QLabel(this), QStringLiteral("Preview_Lbl"));
    Preview_Lbl->setGeometry(312, 6, 200, 18);
    PnlPreview = ly::Named(new QWidget(this), QStringLiteral("PnlPreview"));
    PnlPreview->setGeometry(312, 26, kPreviewWidth, kPreviewHeight);
    PnlPreview->setAutoFillBackground(true);
    QPalette black = PnlPreview->palette();
    black.setColor(QPalette::Window, Qt::black);
    PnlPreview->setPalette(black);

    WebBrowser1 = ly::Named(new ly::platform::WebBrowser(PnlPreview), QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(0, 0, kPreviewWidth, kPreviewHeight);
    LyChargeImg1 = ly::Named(new TLyChargeImg(PnlPreview), QStringLiteral("LyChargeImg1"));
    LyChargeImg1->setGeometry(0, 0, kPreviewWidth, kPreviewHeight);
    ImgFill = ly::Named(new QLabel(PnlPreview), QStringLiteral("ImgFill"));
    ImgFill->setGeometry(0, 0, kPreviewWidth, kPreviewHeight);
    ImgFill->setScaledContents(true);

    for (int i = 0; i < 3; ++i) {
        const QString slot = QLatin1String(kSlotNames[i]);
        PagePanels[i] = ly::Named(new QWidget(PnlPreview), QStringLiteral("PnlPage") + slot);
        PagePanels[i]->setAutoFillBackground(true);
        PagePanels[i]->setPalette(black);
        PageShadows[i] = captionLabel(PagePanels[i], QStringLiteral("LblPageShadow") + slot);
        PageCaptions[i] = captionLabel(PagePanels[i], QStringLiteral("LblPage") + slot);
        ShadeShadows[i] = captionLabel(LyChargeImg1, QStringLiteral("LblShadeShadow") + slot);
        ShadeCaptions[i] = captionLabel(LyChargeImg1, QStringLiteral("LblShade") + slot);
        FillShadows[i] = captionLabel(ImgFill, QStringLiteral("LblFillShadow") + slot);
        FillCaptions[i] = captionLabel(ImgFill, QStringLiteral("LblFill") + slot);
    }

    Text_Check = captioned(new QCheckBox(this), QStringLiteral("Text_Check"));
    Text_Check->setGeometry(312, 366, 200, 24);
    BtnAddText = captioned(new QPushButton(this), QStringLiteral("BtnAddText"));
    BtnAddText->setGeometry(520, 364, 110, 28);
}

void TFrmBlk::LoadTexts()
{
    Blk_GroupBox->setTitle(QStringLiteral("            Set Backdrop"));
    Music_GroupBox->setTitle(QStringLiteral("            Load Music"));
    Text_Check->setText(QStringLiteral("Set Background Text"));
    BtnAddText->setText(QStringLiteral("&Attribute"));
    Cartoon_Check->setText(QStringLiteral("&Move Effect"));
    Shade_Check->setText(QStringLiteral("Shade Show"));
    PictureFill_Check->setText(QStringLiteral("&Fill Picture"));
    Front_Lbl->setText(QStringLiteral("Fo&reground Color"));
    Back_Lbl->setText(QStringLiteral("&Background Color"));
    LoadPic_Btn->setToolTip(QStringLiteral("Load Picture"));
    AddMusic_Check->setText(QStringLiteral("Add &Music"));
    AddMusic_Btn->setToolTip(QStringLiteral("Load Music"));
    AddWAV_Check->setText(QStringLiteral("Add &Record"));
    AddWAV_Btn->setToolTip(QStringLiteral("Record"));
    MusicText_Lbl->setText(QStringLiteral("Play &Gradation"));
    BtnUp->setToolTip(QStringLiteral("Move Up"));
    BtnDown->setToolTip(QStringLiteral("Move Down"));
    BtnDel->setToolTip(QStringLiteral("Delete"));
    Preview_Lbl->setText(QStringLiteral(" Preview "));
    ListView1->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Size"), QString()});
    ComPlayStyle->clear();
    ComPlayStyle->addItems({QStringLiteral("When Begin Play"), QStringLiteral("When End Play")});
    Cartoon_Com->clear();
    Cartoon_Com->addItems({QStringLiteral("Clock"), QStringLiteral("Angel"), QStringLiteral("Beacon"),
                           QStringLiteral("ButterFly"), QStringLiteral("Snow Great"),
                           QStringLiteral("Snow Small"), QStringLiteral("Blister"),
                           QStringLiteral("Throb Heart"), QStringLiteral("Halo Color"),
                           QStringLiteral("Bicker Blk"), QStringLiteral("Computer Age"),
                           QStringLiteral("Drizzle"), QStringLiteral("Blast Fire")});
    Shade_Com->clear();
    bool ok = false;
    const int count = std::clamp(
        ly::ReadConfig(QStringLiteral("BlkShade"), QStringLiteral("Count")).toInt(&ok), 0,
        kMaxShadeEntries);
    for (int i = 0; i < count; ++i)
        Shade_Com->addItem(Shade_Check->text() + QString::number(i));
    ComPlayStyle->setCurrentIndex(0);
    Cartoon_Com->setCurrentIndex(m_animationIndex);
    Shade_Com->setCurrentIndex(m_shadeIndex < Shade_Com->count() ? m_shadeIndex : -1);
    // The player's buttons have neither caption nor hint: their field names speak for them.
    BtnPlay->setToolTip(QStringLiteral("Play"));
    BtnPause->setToolTip(QStringLiteral("Pause"));
    BtnStop->setToolTip(QStringLiteral("Stop"));
}

// ---- Load and save --------------------------------------------------------------------------

void TFrmBlk::LoadStep(const ly::ProjectDocument &project)
{
    const QString file = project.CurrentProjectFile();
    if (!ly::ProjectKeys(file, QStringLiteral("FrmBlk")).exists())
        return;
    const ly::FrmBlkSection s = ly::ReadFrmBlkSection(file);
    const ly::BackgroundPaths paths = ly::PathsOfBackground(s, project.ProjectFolder());
    struct Loading
    {
        bool &flag;
        explicit Loading(bool &f) : flag(f) { flag = true; }
        ~Loading() { flag = false; }
    } loading(m_loading);

    switch (s.kind) {
    case Kind::None:
        setQuietly(RadioNoSet, true);
        RadioNoSetClick();
        break;
    case Kind::Animation:
        m_animationIndex = s.blkIndex;
        Cartoon_Com->setCurrentIndex(s.blkIndex);
        setQuietly(Cartoon_Check, true);
        Cartoon_CheckClick();
        break;
    case Kind::Gradient:
        ColorBox1->setSelected(s.colorFrom);
        ColorBox2->setSelected(s.colorTo);
        ColorBox1Change();
        ColorBox2Change();
        m_shadeIndex = s.shadeIndex;
        Shade_Com->setCurrentIndex(s.shadeIndex < Shade_Com->count() ? s.shadeIndex : -1);
        setQuietly(Shade_Check, true);
        Shade_CheckClick();
        break;
    case Kind::Picture:
        Edit1->setText(paths.fillPicture);
        setQuietly(PictureFill_Check, true);
        PictureFill_CheckClick();
        break;
    }

    if (s.music) {
        for (const ly::MusicRow &row : paths.music)
            AddMusicRow(row.name, row.folder, ly::SizeTextOrEmpty(row.path()));
        setQuietly(AddMusic_Check, true);
        AddMusic_CheckClick();
    }

    if (s.record) {
        EdtRecordFile->setText(paths.recordFile);
        ComPlayStyle->setCurrentIndex(s.recordIndex);
        setQuietly(AddWAV_Check, true);
        AddWAV_CheckClick();
    }

    // Every slot comes in, used or not, so a save keeps what the unused ones hold.
    for (int i = 0; i < 3; ++i)
        FrmBlkTextSet->SetSlot(i, s.slots[i]);
    FrmBlkTextSet->SetCaptionIndex(s.captionIndex);
    if (s.text) {
        BtnAddText->setEnabled(true);
        setQuietly(Text_Check, true);
        ApplyCaptions();
    }
}

void TFrmBlk::SaveStep(const ly::ProjectDocument &project)
{
    ly::BackgroundSave save;
    ly::FrmBlkSection &s = save.section;
    s.kind = SelectedKind();
    s.blkIndex = m_animationIndex;
    s.shadeIndex = m_shadeIndex;
    s.colorFrom = ColorBox1->Selected();
    s.colorTo = ColorBox2->Selected();
    save.fillPicture = Edit1->text();
    s.music = AddMusic_Check->isChecked();
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ListView1->topLevelItem(i);
        save.music.append({row->text(NameColumn), row->text(FolderColumn)});
    }
    s.record = AddWAV_Check->isChecked();
    s.recordIndex = std::max(0, ComPlayStyle->currentIndex());
    save.recordFile = EdtRecordFile->text();
    s.text = Text_Check->isChecked();
    s.captionIndex = FrmBlkTextSet->CaptionIndex();
    for (int i = 0; i < 3; ++i)
        s.slots[i] = FrmBlkTextSet->Slot(i);
    ly::SaveBackground(save, project.ProjectFolder(), project.CurrentProjectFile());
}

ly::FrmBlkSection::Kind TFrmBlk::SelectedKind() const
{
    if (Cartoon_Check->isChecked())
        return Kind::Animation;
    if (Shade_Check->isChecked())
        return Kind::Gradient;
    if (PictureFill_Check->isChecked())
        return Kind::Picture;
    return Kind::None;
}

void TFrmBlk::ShowPage()
{
    if (!RadioNoSet->isChecked() && SelectedKind() == Kind::None) {
        setQuietly(Shade_Check, true);
        Shade_CheckClick();
    }
    EditorWindow::ShowPage();
}

void TFrmBlk::StopMedia()
{
    TimerPlay->stop();
    if (m_player)
        m_player->stop();
}

// ---- Background kind ------------------------------------------------------------------------

void TFrmBlk::ApplyKindState()
{
    const bool animation = Cartoon_Check->isChecked();
    const bool gradient = Shade_Check->isChecked();
    const bool picture = PictureFill_Check->isChecked();

    Cartoon_Com->setEnabled(animation);
    for (QWidget *w : {static_cast<QWidget *>(Shade_Com), static_cast<QWidget *>(ColorBox1),
                       static_cast<QWidget *>(ColorBox2), static_cast<QWidget *>(Front_Lbl),
                       static_cast<QWidget *>(Back_Lbl)})
        w->setEnabled(gradient);
    Edit1->setEnabled(picture);
    LoadPic_Btn->setEnabled(picture);

    if (animation) {
        WebBrowser1->show();
        Cartoon_ComChange();
    } else {
        WebBrowser1->hide();
        WebBrowser1->navigate(ly::ProgramDir() + QStringLiteral("blk/Index.htm"));
    }
    if (gradient)
        Shade_ComChange();
    LyChargeImg1->setVisible(gradient);
    ly::SetBaseColor(Edit1, QColor(picture ? kLightYellow : kGrey));
    ImgFill->setVisible(picture);
    LayoutCaptions();
}

void TFrmBlk::RadioNoSetClick()
{
    setQuietly(Text_Check, false);
    Text_CheckClick();
    // Nothing shows behind the card: the other kinds' controls and surfaces go as well.
    ApplyKindState();
}

void TFrmBlk::Cartoon_CheckClick()
{
    ApplyKindState();
}

void TFrmBlk::Shade_CheckClick()
{
    ApplyKindState();
}

void TFrmBlk::PictureFill_CheckClick()
{
    ApplyKindState();
    const QString path = Edit1->text().trimmed();
    if (path.isEmpty()) {
        if (!m_loading)
            LoadPic_BtnClick();
    } else if (QFileInfo(path).isFile()) {
        LoadFillPicture(path);
    }
}

void TFrmBlk::Cartoon_ComChange()
{
    m_animationIndex = std::max(0, Cartoon_Com->currentIndex());
    const QString http = ly::TempDir() + QStringLiteral("http");
    const QString package = ly::BlkPackageFile(m_animationIndex);
    ly::DeleteFolderTree(http);
    if (package.isEmpty())
        ly::ShowNotice(ly::NoticeWarning, ly::kPackageMissingText);
    else
        ly::UnpackPackage(package, http);
    WebBrowser1->navigate(http + QStringLiteral("/index.htm"));
    if (!m_loading && m_animationIndex == Cartoon_Com->count() - 1)
        ly::ShowNotice(ly::NoticeWarning, kBlastFireText);
}

void TFrmBlk::Shade_ComChange()
{
    m_shadeIndex = std::max(0, Shade_Com->currentIndex());
    if (m_shadeIndex < ly::kGradientFillTypeCount)
        LyChargeImg1->setGradientFillType(ly::TGradientFillType(m_shadeIndex));
}

void TFrmBlk::ColorBox1Change()
{
    LyChargeImg1->setFromColor(ColorBox1->Selected());
}

void TFrmBlk::ColorBox2Change()
{
    LyChargeImg1->setToColor(ColorBox2->Selected());
}

void TFrmBlk::LoadPic_BtnClick()
{
    const QString path =
        m_pictureChooser ? m_pictureChooser(this)
                         : TFrmLoadOnePic::Choose(this, QStringLiteral("DirBlkSet"), 0,
                                                  ly::ALL_PICTURE_TYPES);
    if (path.isEmpty())
        return;
    Edit1->setText(path);
    if (QFileInfo(path).isFile())
        LoadFillPicture(path);
}

void TFrmBlk::LoadFillPicture(const QString &file)
{
    const ly::PictureFile picture =
        ly::ReadPictureFile(file, QSize(kPreviewWidth, kPreviewHeight) * 2);
    ImgFill->setPixmap(picture.ok() ? QPixmap::fromImage(picture.image) : QPixmap());
    ImgFill->update();
}

// ---- Music ----------------------------------------------------------------------------------

void TFrmBlk::AddMusic_CheckClick()
{
    const bool on = AddMusic_Check->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(AddMusic_Btn), static_cast<QWidget *>(BtnUp),
                       static_cast<QWidget *>(BtnDown), static_cast<QWidget *>(ListView1),
                       static_cast<QWidget *>(BtnPlay), static_cast<QWidget *>(BtnPause),
                       static_cast<QWidget *>(BtnStop), static_cast<QWidget *>(Gauge1)})
        w->setEnabled(on);
    BtnDel->setEnabled(on && ListView1->currentItem() && ListView1->currentItem()->isSelected());
}

void TFrmBlk::AddMusic_BtnClick()
{
    AddMusicFiles(m_musicChooser ? m_musicChooser(this) : ChooseMusic());
}

QStringList TFrmBlk::ChooseMusic()
{
    TFrmLoadMusic chooser(this);
    chooser.setLibrarySection(QLatin1String(ly::kMusicLibrary));
    chooser.setMusicFolder(m_main.Project().ProjectFolder() + ly::storedpath::kMusic);
    chooser.setIsListed([this](const QString &name) { return ListsMusic(name); });
    chooser.ShowModal();
    return chooser.ChosenFiles();
}

bool TFrmBlk::ListsMusic(const QString &fileName) const
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(NameColumn) == fileName)
            return true;
    return false;
}

void TFrmBlk::AddMusicFiles(const QStringList &files)
{
    for (const QString &file : files) {
        if (ly::MusicIconIndex(file) < 0 || !QFileInfo(file).isFile())
            continue;
        const ly::ChosenPicture taken = ly::TakeOnePicture(file, {});
        if (!taken.ok())
            continue;
        const QFileInfo info(taken.path);
        const QString name = info.fileName();
        if (!ListsMusic(name))
            AddMusicRow(name, ly::AddTrailingBackslash(info.absolutePath()),
                        ly::SizeTextOrEmpty(taken.path));
    }
}

void TFrmBlk::AddMusicRow(const QString &name, const QString &folder, const QString &sizeText)
{
    auto *row = new QTreeWidgetItem(ListView1);
    row->setText(NameColumn, name);
    row->setText(SizeColumn, sizeText);
    row->setText(FolderColumn, folder);
    const int icon = ly::MusicIconIndex(name);
    if (icon >= 0 && icon < m_icons.size())
        row->setIcon(NameColumn, m_icons.at(icon));
}

void TFrmBlk::BtnUpClick()
{
    ly::MoveListItemUp(ListView1, BtnUp, BtnDown);
}

void TFrmBlk::BtnDownClick()
{
    ly::MoveListItemDown(ListView1, BtnUp, BtnDown);
}

void TFrmBlk::BtnDelClick()
{
    QTreeWidgetItem *row = ListView1->currentItem();
    if (!row || !row->isSelected())
        return;
    const QString text = QStringLiteral("Do you really need to delete ") + row->text(NameColumn)
                         + QStringLiteral("this document?");
    const bool yes = m_question ? m_question(text)
                                : QMessageBox::question(this, QStringLiteral("Information"), text,
                                                        QMessageBox::Yes | QMessageBox::No)
                                      == QMessageBox::Yes;
    if (!yes)
        return;
    TimerPlay->stop();
    if (m_player && !m_player->fileName().isEmpty())
        m_player->close();
    delete row;
    BtnDel->setEnabled(false);
}

void TFrmBlk::ListView1Click()
{
    QTreeWidgetItem *row = ListView1->currentItem();
    if (!row)
        return;
    BtnDel->setEnabled(true);
    TimerPlay->stop();
    // Player errors are not the user's concern while listening.
    (void)Player().open(ly::AddTrailingBackslash(row->text(FolderColumn)) + row->text(NameColumn));
    Gauge1->setValue(0);
}

ly::platform::MediaDevice &TFrmBlk::Player()
{
    if (!m_player)
        m_player = std::make_unique<ly::platform::MediaPlayer>();
    return *m_player;
}

void TFrmBlk::setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device)
{
    m_player = std::move(device);
}

void TFrmBlk::BtnPlayClick()
{
    if (Player().fileName().isEmpty())
        return;
    (void)Player().play();
    TimerPlay->start();
}

void TFrmBlk::BtnPauseClick()
{
    if (m_player)
        m_player->pause();
}

void TFrmBlk::BtnStopClick()
{
    TimerPlay->stop();
    if (m_player)
        m_player->stop();
}

void TFrmBlk::TimerPlayTimer()
{
    if (!m_player) {
        TimerPlay->stop();
        return;
    }
    if (!ly::platform::ShowPlayProgress(Gauge1, *m_player))
        TimerPlay->stop();
}

// ---- Recorded voice -------------------------------------------------------------------------

void TFrmBlk::AddWAV_CheckClick()
{
    const bool on = AddWAV_Check->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(EdtRecordFile), static_cast<QWidget *>(AddWAV_Btn),
                       static_cast<QWidget *>(MusicText_Lbl), static_cast<QWidget *>(ComPlayStyle)})
        w->setEnabled(on);
    ly::SetBaseColor(EdtRecordFile, QColor(on ? kLightYellow : kGrey));
    if (on && EdtRecordFile->text().trimmed().isEmpty() && !m_loading)
        AddWAV_BtnClick();
}

void TFrmBlk::AddWAV_BtnClick()
{
    SetRecordFile(m_recordChooser ? m_recordChooser(this)
                                  : TFrmRecordMusic::Record(this, EdtRecordFile->text()));
}

void TFrmBlk::SetRecordFile(const QString &file)
{
    const QString path = file.trimmed();
    if (!path.isEmpty())
        EdtRecordFile->setText(path);
}

// ---- Captions -------------------------------------------------------------------------------

void TFrmBlk::Text_CheckClick()
{
    const bool on = Text_Check->isChecked();
    BtnAddText->setEnabled(on);
    if (on) {
        if (BtnAddText->isEnabled() && !m_loading)
            BtnAddTextClick();
    } else {
        HideCaptions();
        TimerCaption->stop();
    }
}

void TFrmBlk::BtnAddTextClick()
{
    if (SelectedKind() == Kind::None) {
        ly::ShowNotice(ly::NoticeWarning, kChooseKindText);
        return;
    }
    FrmBlkTextSet->LoadTexts();
    FrmBlkTextSet->show();
    FrmBlkTextSet->raise();
    FrmBlkTextSet->activateWindow();
}

void TFrmBlk::ApplyCaptions()
{
    m_captionMode = 0;
    for (int i = 0; i < 3; ++i) {
        const ly::CaptionSlot s = FrmBlkTextSet->Slot(i);
        m_shown[i] = s.used;
        m_shadowShown[i] = s.used && s.shadow;
        if (!s.used)
            continue;
        for (QLabel *caption : {PageCaptions[i], ShadeCaptions[i], FillCaptions[i]}) {
            caption->setText(s.text);
            ly::ShowFont(caption, s.font);
        }
        for (QLabel *shadow : {PageShadows[i], ShadeShadows[i], FillShadows[i]}) {
            shadow->setText(s.text);
            ly::ShowFont(shadow, s.shadowFont);
        }
    }
    if (m_shown[0]) {
        m_captionMode = FrmBlkTextSet->CaptionIndex();
        const bool overPage = SelectedKind() == Kind::Animation;
        m_movingPos = ly::caption::StartPosition(
            QSize(kPreviewWidth, kPreviewHeight),
            ly::caption::PanelSize(CaptionTextSize(0), overPage));
        TimerCaption->start(ly::caption::TickInterval(m_captionMode));
    } else {
        TimerCaption->stop();
    }
    LayoutCaptions();
    FrmBlkTextSet->hide();
}

QSize TFrmBlk::CaptionTextSize(int slot) const
{
    const QLabel *caption = ShadeCaptions[slot];
    const QFontMetrics metrics(caption->font());
    return QSize(metrics.horizontalAdvance(caption->text()), metrics.height());
}

void TFrmBlk::HideCaptions()
{
    for (int i = 0; i < 3; ++i)
        for (QWidget *w : {static_cast<QWidget *>(PagePanels[i]), static_cast<QWidget *>(PageCaptions[i]),
                           static_cast<QWidget *>(PageShadows[i]), static_cast<QWidget *>(ShadeCaptions[i]),
                           static_cast<QWidget *>(ShadeShadows[i]), static_cast<QWidget *>(FillCaptions[i]),
                           static_cast<QWidget *>(FillShadows[i])})
            w->hide();
}

void TFrmBlk::LayoutCaptions()
{
    const QSize area(kPreviewWidth, kPreviewHeight);
    const ly::FrmBlkSection::Kind kind = SelectedKind();
    const bool on = Text_Check->isChecked();
    for (int i = 0; i < 3; ++i) {
        const QSize text = CaptionTextSize(i);
        const bool shown = on && m_shown[i];
        const bool shadow = shown && m_shadowShown[i];

        const ly::caption::Placement page = ly::caption::Place(i, true, text, area, m_movingPos);
        PagePanels[i]->setGeometry(page.box);
        PageCaptions[i]->setGeometry(QRect(page.caption, text));
        PageShadows[i]->setGeometry(QRect(page.shadow, text));
        PageCaptions[i]->show();
        PageShadows[i]->setVisible(shadow);
        PagePanels[i]->setVisible(shown && kind == Kind::Animation);
        PagePanels[i]->raise();

        const ly::caption::Placement label = ly::caption::Place(i, false, text, area, m_movingPos);
        const struct { QLabel *caption; QLabel *shadow; bool here; } surfaces[] = {
            {ShadeCaptions[i], ShadeShadows[i], kind == Kind::Gradient},
            {FillCaptions[i], FillShadows[i], kind == Kind::Picture},
        };
        for (const auto &surface : surfaces) {
            surface.caption->setGeometry(label.box);
            surface.shadow->setGeometry(QRect(label.shadow, text));
            surface.caption->setVisible(shown && surface.here);
            surface.shadow->setVisible(shadow && surface.here);
            surface.caption->raise();
        }
    }
}

void TFrmBlk::TimerCaptionTimer()
{
    TimerCaption->stop();
    if (m_captionMode < ly::caption::Twinkle || m_captionMode > ly::caption::VerticalScroll)
        return;
    const QSize area(kPreviewWidth, kPreviewHeight);
    const bool overPage = SelectedKind() == Kind::Animation;
    const int width = ly::caption::PanelSize(CaptionTextSize(0), overPage).width();
    m_movingPos = ly::caption::NextPosition(m_captionMode, m_movingPos, width, area,
                                            [this](int n) { return int(m_random.bounded(n)); });
    const QSize text = CaptionTextSize(0);
    const ly::caption::Placement page = ly::caption::Place(0, true, text, area, m_movingPos);
    PagePanels[0]->move(page.box.topLeft());
    const ly::caption::Placement label = ly::caption::Place(0, false, text, area, m_movingPos);
    for (QLabel *caption : {ShadeCaptions[0], FillCaptions[0]})
        caption->move(label.box.topLeft());
    for (QLabel *shadow : {ShadeShadows[0], FillShadows[0]})
        shadow->move(label.shadow);
    TimerCaption->start(ly::caption::TickInterval(m_captionMode));
}
