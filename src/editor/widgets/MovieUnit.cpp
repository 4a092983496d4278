#include "editor/widgets/MovieUnit.h"

#include "card/FrmMovieSection.h"
#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyFontDialog.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyPanel.h"
#include "control/widgets/LyTrackbar.h"
#include "editor/MovieFiles.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/MainUnit.h"
#include "editor/widgets/PreviewmMovieUnit.h"
#include "platform/MediaDevice.h"
#include "platform/widgets/MediaPlayerBar.h"
#include "platform/widgets/MovieDisplay.h"
#include "shared/FileHelpers.h"
#include "shared/FileText.h"
#include "shared/Ini.h"
#include "shared/Paths.h"
#include "shared/widgets/Notice.h"
#include "shared/widgets/VolumeTrackBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

using Bar = ly::platform::MediaPlayerBar;
using ly::platform::MediaMode;

namespace {

const QString kSection = QStringLiteral("FrmMovie");
const QString kCantOpen = QStringLiteral("Can't open the movie.");
const QColor kAniOn(0xFB, 0xEC, 0xA8);  // $A8ECFB
const QColor kAniOff(0x80, 0x80, 0x80); // $808080

template <class Field>
Field *named(Field *field, const char *name)
{
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(QLatin1String(name));
    return field;
}

template <class Control>
Control *placed(Control *control, int x, int y, int w, int h)
{
    control->setGeometry(x, y, w, h);
    return control;
}

QToolButton *toolButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *button = named(new QToolButton(parent), name);
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFixedSize(28, 28);
    return button;
}

QSpinBox *sizeField(QWidget *parent, const char *name)
{
    // Whole numbers only: the card's window is sized in pixels.
    auto *spin = named(new QSpinBox(parent), name);
    spin->setRange(ly::FrmMovieSection::kMinWindowSide, ly::FrmMovieSection::kMaxWindowSide);
    return spin;
}

void paint(QLineEdit *edit, const QColor &color)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, color);
    edit->setPalette(p);
}

} // namespace

TFrmMovie::TFrmMovie(TFrmMain &main)
    : QWidget(main.PnlDock)
    , m_main(main)
    , m_display(std::make_unique<ly::platform::MovieDisplay>())
    , m_subtitleFont(ly::MovieSubtitleFont())
    , m_subtitleColor(ly::kMovieSubtitleColor)
{
    setObjectName(QStringLiteral("FrmMovie"));
    setAutoFillBackground(true);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    // ---- Left: the list and the card's settings ----
    MovieGroup = placed(named(new QGroupBox(this), "MovieGroup"), 6, 4, 302, 196);
    BtnMovieAdd = toolButton(MovieGroup, "BtnMovieAdd", QStyle::SP_DialogOpenButton);
    BtnDelOne = toolButton(MovieGroup, "BtnDelOne", QStyle::SP_TrashIcon);
    BtnDelAll = toolButton(MovieGroup, "BtnDelAll", QStyle::SP_DialogDiscardButton);
    BtnUp = toolButton(MovieGroup, "BtnUp", QStyle::SP_ArrowUp);
    BtnDown = toolButton(MovieGroup, "BtnDown", QStyle::SP_ArrowDown);
    int x = 6;
    for (QToolButton *b : {BtnMovieAdd, BtnDelOne, BtnDelAll, BtnUp, BtnDown}) {
        b->move(x, 20);
        x += 32;
    }
    ListView1 = placed(named(new QTreeWidget(MovieGroup), "ListView1"), 6, 52, 290, 138);
    ListView1->setColumnCount(ColumnCount);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setColumnHidden(ColPath, true);
    ListView1->setColumnWidth(ColName, 130);
    ListView1->setColumnWidth(ColSize, 64);

    ChargeFlagGroup = placed(named(new QGroupBox(this), "ChargeFlagGroup"), 6, 204, 302, 224);
    LblMoviePix = placed(new QLabel(ChargeFlagGroup), 10, 20, 200, 20);
    LblWidth = placed(new QLabel(ChargeFlagGroup), 20, 42, 50, 22);
    Edt_pix1 = placed(sizeField(ChargeFlagGroup, "Edt_pix1"), 70, 42, 70, 22);
    LblHeight = placed(new QLabel(ChargeFlagGroup), 152, 42, 50, 22);
    Edt_pix2 = placed(sizeField(ChargeFlagGroup, "Edt_pix2"), 204, 42, 70, 22);
    CheckScreen = placed(named(new QCheckBox(ChargeFlagGroup), "CheckScreen"), 10, 68, 280, 20);
    CheckBox1 = placed(named(new QCheckBox(ChargeFlagGroup), "CheckBox1"), 10, 92, 120, 22);
    ComboBox2 = placed(named(new QComboBox(ChargeFlagGroup), "ComboBox2"), 130, 92, 90, 22);
    BtnColor = placed(named(new QToolButton(ChargeFlagGroup), "BtnColor"), 226, 92, 28, 22);
    BtnColor->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    BtnFont = placed(named(new QToolButton(ChargeFlagGroup), "BtnFont"), 258, 92, 28, 22);
    BtnFont->setText(QStringLiteral("F"));
    EdtAni = placed(named(new QLineEdit(ChargeFlagGroup), "EdtAni"), 10, 120, 280, 22);
    EdtAni->setAutoFillBackground(true);
    LblAbout = placed(new QLabel(ChargeFlagGroup), 10, 150, 200, 20);
    EdtAbout = placed(named(new QLineEdit(ChargeFlagGroup), "EdtAbout"), 10, 172, 280, 22);

    // ---- Right: the preview ----
    Preview_Lbl = placed(new QLabel(this), 314, 2, 200, 18);
    PnlMovie = placed(named(new QWidget(this), "PnlMovie"), 314, 20, kPreviewWidth, kPreviewHeight);
    PnlMovie->setAutoFillBackground(true);
    QPalette black = PnlMovie->palette();
    black.setColor(QPalette::Window, Qt::black);
    PnlMovie->setPalette(black);
    PnlMovie->setContextMenuPolicy(Qt::DefaultContextMenu);
    PnlMovie->installEventFilter(this);
    LyPanel1 = named(new TLyPanel(PnlMovie), "LyPanel1");
    LyPanel1->setLyStyle(TLyPanel::LyRToL);
    LyPanel1->setLyInterval(200);
    LyPanel1->hide();
    PopupMenu1 = new QMenu(this);
    BtnFull = PopupMenu1->addAction(QString());
    BtnFull->setObjectName(QStringLiteral("BtnFull"));

    PlayerBar = placed(named(new Bar(this), "PlayerBar"), 314, 322, 96, 28);
    PlayerBar->setVisibleButtons({Bar::Play, Bar::Pause, Bar::Stop});
    PlayerBar->Gauge->hide();
    BtnPlay = PlayerBar->button(Bar::Play);
    BtnPause = PlayerBar->button(Bar::Pause);
    BtnStop = PlayerBar->button(Bar::Stop);
    BtnPlay->setObjectName(QStringLiteral("BtnPlay"));
    BtnPause->setObjectName(QStringLiteral("BtnPause"));
    BtnStop->setObjectName(QStringLiteral("BtnStop"));
    lyTrackbar1 = placed(named(new TlyTrackbar(this), "lyTrackbar1"), 414, 324, 300, 24);
    lyTrackbar1->setOrientation(Qt::Horizontal);
    lyTrackbar1->setRange(0, 0);
    lyTrackbar1->installEventFilter(this);
    BtnVolume = placed(toolButton(this, "BtnVolume", QStyle::SP_MediaVolume), 718, 322, 28, 28);
    BtnNoVolume = placed(toolButton(this, "BtnNoVolume", QStyle::SP_MediaVolumeMuted), 718, 322, 28, 28);
    BtnNoVolume->hide();
    PnlPostion = placed(named(new QLabel(this), "PnlPostion"), 314, 354, 90, 20);
    LblMovieTime = placed(named(new QLabel(this), "LblMovieTime"), 410, 354, 90, 20);
    LblMovieFile = placed(named(new QLabel(this), "LblMovieFile"), 314, 378, kPreviewWidth, 20);
    LblMovieFile->setMouseTracking(true);
    LblMovieFile->installEventFilter(this);

    PnlVolume = placed(named(new QWidget(this), "PnlVolume"), 700, 150, 40, 170);
    PnlVolume->setAutoFillBackground(true);
    TrackBarVolume = placed(named(new QSlider(Qt::Vertical, PnlVolume), "TrackBarVolume"), 8, 4, 24, 136);
    BtnVolumeClose = placed(named(new QToolButton(PnlVolume), "BtnVolumeClose"), 6, 142, 28, 24);
    BtnVolumeClose->setText(QStringLiteral("x"));
    PnlVolume->hide();

    for (const char *ext : ly::kMovieExtensions)
        ly::AddFileTypeIcon(QStringLiteral("c:\\aaa.") + QLatin1String(ext), m_icons, ly::SmallIcon);

    LoadTexts();
    LblMovieFile->clear();
    {
        const QSignalBlocker block(EdtAni);
        EdtAni->setText(LyPanel1->LyText().value(0));
    }
    EdtAbout->clear();
    Edt_pix1->setValue(480);
    Edt_pix2->setValue(420);
    SetSubtitleColor(m_subtitleColor);
    SetSubtitleFont(m_subtitleFont);
    Timer1.setInterval(100);
    Timer1.setSingleShot(true);
    CheckBox1Click();
    Reset();
    SetButtons(false, false, false);

    connect(BtnMovieAdd, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnMovieAddClick));
    connect(BtnDelOne, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnDelOneClick));
    connect(BtnDelAll, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnDelAllClick));
    connect(BtnUp, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnUpClick));
    connect(BtnDown, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnDownClick));
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, ly::Guarded(this, &TFrmMovie::ListView1Click));
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, ly::Guarded(this, &TFrmMovie::ListView1DblClick));
    connect(PlayerBar, &Bar::Click, this, [this](Bar::Button button, bool &doDefault) {
        // The editor plays by its own rules (reopening, measuring, the timer).
        doDefault = false;
        ly::RunGuarded([&] {
            if (button == Bar::Play)
                BtnPlayClick();
            else if (button == Bar::Pause)
                BtnPauseClick();
            else if (button == Bar::Stop)
                BtnStopClick();
        });
    });
    connect(&Timer1, &QTimer::timeout, this, ly::Guarded(this, &TFrmMovie::Timer1Timer));
    connect(BtnFull, &QAction::triggered, this, ly::Guarded(this, &TFrmMovie::BtnFullClick));
    connect(CheckBox1, &QCheckBox::toggled, this, ly::Guarded(this, &TFrmMovie::CheckBox1Click));
    connect(ComboBox2, &QComboBox::currentIndexChanged, this,
            [this](int index) { ly::RunGuarded([this, index] { ComboBox2Change(index); }); });
    connect(EdtAni, &QLineEdit::textChanged, this,
            [this](const QString &text) { ly::RunGuarded([this, &text] { EdtAniChange(text); }); });
    connect(BtnColor, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnColorClick));
    connect(BtnFont, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnFontClick));
    connect(BtnVolume, &QToolButton::clicked, this, ly::Guarded(this, &TFrmMovie::BtnVolumeClick));
    connect(TrackBarVolume, &QSlider::valueChanged, this, [this] { ly::ApplyVolumeTrackBar(TrackBarVolume); });
    connect(BtnVolumeClose, &QToolButton::clicked, PnlVolume, &QWidget::hide);
}

TFrmMovie::~TFrmMovie()
{
    Timer1.stop();
    // The player bar (a child) outlives the display: the device lets go of its sink first.
    ly::platform::MediaDevice &device = PlayerBar->Device();
    device.close();
    device.setVideoSink(nullptr);
    m_display->setDisplayWindow(nullptr);
}

void TFrmMovie::LoadTexts()
{
    MovieGroup->setTitle(QStringLiteral("             Movie Files"));
    ChargeFlagGroup->setTitle(QStringLiteral("             Modify Movie"));
    LblMoviePix->setText(QStringLiteral("Movie Window Size(Pix)"));
    CheckBox1->setText(QStringLiteral("Welter Text"));
    LblAbout->setText(QStringLiteral("About Movie"));
    BtnColor->setToolTip(QStringLiteral("Panel Color"));
    BtnFont->setToolTip(QStringLiteral("Panel Font"));
    ListView1->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("FileSize"),
                                QStringLiteral("FilePix"), QStringLiteral("FilePath")});
    BtnPlay->setToolTip(QStringLiteral("Play"));
    BtnPause->setToolTip(QStringLiteral("Pause"));
    BtnStop->setToolTip(QStringLiteral("Stop"));
    BtnVolume->setToolTip(QStringLiteral("Volume"));
    BtnNoVolume->setToolTip(QStringLiteral("NoVolume"));
    BtnMovieAdd->setToolTip(QStringLiteral("Load Movie Files"));
    BtnDelOne->setToolTip(QStringLiteral("Delete"));
    BtnDelAll->setToolTip(QStringLiteral("Delete All Files"));
    BtnUp->setToolTip(QStringLiteral("Move Up"));
    BtnDown->setToolTip(QStringLiteral("Move Down"));
    BtnFull->setText(QStringLiteral("Full Screen"));
    LblWidth->setText(QStringLiteral("Width"));
    LblHeight->setText(QStringLiteral("Height"));
    Preview_Lbl->setText(QStringLiteral(" Preview "));
    CheckScreen->setText(QStringLiteral("Full screen"));
    ComboBox2->clear();
    ComboBox2->addItems({QStringLiteral("Top"), QStringLiteral("Bottom")});
    ComboBox2->setCurrentIndex(m_subtitlePosition);
    LyPanel1->setLyText({QStringLiteral("How are You?")});
    // Buttons without a caption are named by their hint; labels name their fields.
    for (QToolButton *b : {BtnColor, BtnFont, BtnPlay, BtnPause, BtnStop, BtnVolume, BtnNoVolume,
                           BtnMovieAdd, BtnDelOne, BtnDelAll, BtnUp, BtnDown})
        b->setAccessibleName(b->toolTip());
    CheckScreen->setAccessibleName(CheckScreen->text());
    CheckBox1->setAccessibleName(CheckBox1->text());
    LblWidth->setBuddy(Edt_pix1);
    LblHeight->setBuddy(Edt_pix2);
    LblAbout->setBuddy(EdtAbout);
}

QString TFrmMovie::ProjectFolder() const
{
    return m_main.Project().ProjectFolder();
}

void TFrmMovie::setDevice(std::unique_ptr<ly::platform::MediaDevice> device)
{
    PlayerBar->setDevice(std::move(device));
    m_display->attach(PlayerBar->Device());
}

ly::platform::MediaDevice &TFrmMovie::Device()
{
    ly::platform::MediaDevice &device = PlayerBar->Device();
    // The real player is made on first use; the display follows it from the start.
    static_cast<void>(device);
    m_display->attach(device);
    return device;
}

// ---- The list ----------------------------------------------------------------------------

QTreeWidgetItem *TFrmMovie::SelectedRow() const
{
    const QList<QTreeWidgetItem *> selected = ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

bool TFrmMovie::Lists(const QString &name) const
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(ColName) == name)
            return true;
    return false;
}

QTreeWidgetItem *TFrmMovie::AddRow(const QString &path, const QString &pixels)
{
    const QFileInfo info(path);
    auto *row = new QTreeWidgetItem;
    row->setText(ColName, info.fileName());
    row->setIcon(ColName, m_icons.value(ly::MovieIconIndex(info.fileName())));
    // A missing movie keeps its row with an empty size, so the project still opens whole.
    row->setText(ColSize, info.isFile() ? ly::SizeText(path) : QString());
    row->setText(ColPixels, pixels);
    row->setText(ColPath, ly::AddTrailingBackslash(info.absolutePath()));
    ListView1->addTopLevelItem(row);
    return row;
}

void TFrmMovie::SetButtons(bool play, bool pause, bool stop)
{
    PlayerBar->setEnabledButtons({});
    BtnPlay->setEnabled(play);
    BtnPause->setEnabled(pause);
    BtnStop->setEnabled(stop);
}

void TFrmMovie::Reset()
{
    for (QWidget *w : std::initializer_list<QWidget *>{BtnDelOne, BtnDelAll, BtnUp, BtnDown})
        w->setEnabled(false);
    BtnDelAll->setEnabled(ListView1->topLevelItemCount() > 0);
    LblMovieFile->clear();
    PnlPostion->clear();
    LblMovieTime->clear();
}

void TFrmMovie::FollowSelection()
{
    const bool selected = SelectedRow() != nullptr;
    for (QWidget *w : std::initializer_list<QWidget *>{BtnDelOne, BtnUp, BtnDown})
        w->setEnabled(selected);
    BtnDelAll->setEnabled(ListView1->topLevelItemCount() > 0);
}

void TFrmMovie::ListView1Click()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    FollowSelection();
    QTreeWidgetItem *row = SelectedRow();
    if (!row)
        return;
    m_currentPath = row->text(ColPath) + row->text(ColName);
    m_opened = false;
    SetButtons(true, false, false);
}

void TFrmMovie::ListView1DblClick()
{
    ListView1Click();
    if (SelectedRow())
        BtnPlayClick();
}

void TFrmMovie::BtnMovieAddClick()
{
    QFileDialog dialog(this, QStringLiteral("Load Movie Files"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("*.* (*.avi *.asf *.mpg *.mpeg *.wm *.wmv)"),
                           QStringLiteral("*.mpg (*.mpg *.mpeg)"), QStringLiteral("*.asf (*.asf)"),
                           QStringLiteral("*.avi (*.avi)"), QStringLiteral("*.wm (*.wm)"),
                           QStringLiteral("*.wmv (*.wmv)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    AddMovie(dialog.selectedFiles().constFirst());
}

bool TFrmMovie::AddMovie(const QString &file)
{
    Timer1.stop();
    ly::platform::MediaDevice &device = Device();
    device.close();
    m_opened = false;
    // A movie must open and show a picture: a file with sound only, or one whose picture
    // never comes, would be listed with no size.
    const ly::platform::MediaResult opened = device.open(file);
    if (!opened || !device.videoSize().isValid() || device.videoSize().isEmpty()) {
        device.close();
        SetButtons(!m_currentPath.isEmpty(), false, false);
        ly::ShowNotice(ly::NoticeWarning, kCantOpen);
        return false;
    }
    const QString copy = ly::AddMovieToFolder(file, ProjectFolder() + QStringLiteral("Movie"),
                                              [this](const QString &name) { return Lists(name); });
    if (copy.isEmpty()) {
        device.close();
        ly::ShowNotice(ly::NoticeWarning, kCantOpen);
        return false;
    }
    m_currentPath = copy;
    // The device has the same bytes open already: Play goes on with them.
    m_opened = true;
    m_width = device.videoSize().width();
    m_height = device.videoSize().height();
    m_display->setDisplayWindow(PnlMovie);
    m_display->setDisplayRect(PnlMovie->rect());
    MeasureDuration();
    LblMovieFile->setText(m_currentPath);
    BtnPlayClick();
    const QString name = QFileInfo(copy).fileName();
    if (!Lists(name))
        AddRow(copy, ly::MoviePixelText(QSize(m_width, m_height)));
    BtnDelAll->setEnabled(ListView1->topLevelItemCount() > 0);
    return true;
}

bool TFrmMovie::AskToRemove(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes)
        return false;
    // The list changes under the device: it lets go of its file (files stay on disk).
    Timer1.stop();
    Device().close();
    m_opened = false;
    return true;
}

void TFrmMovie::BtnDelOneClick()
{
    QTreeWidgetItem *row = SelectedRow();
    if (ListView1->topLevelItemCount() == 0 || !row)
        return;
    if (!AskToRemove(QStringLiteral("Do you really need to delete this document?")))
        return;
    if (!ly::RemoveRowSelectingNeighbour(ListView1, row)) {
        Reset();
        SetButtons(!m_currentPath.isEmpty(), false, false);
        return;
    }
    ListView1Click();
}

void TFrmMovie::BtnDelAllClick()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    if (!AskToRemove(QStringLiteral("Do you really need to delete All document")))
        return;
    {
        const QSignalBlocker block(ListView1);
        ListView1->clear();
    }
    Reset();
    SetButtons(!m_currentPath.isEmpty(), false, false);
}

void TFrmMovie::BtnUpClick()
{
    ly::MoveListItemUp(ListView1, BtnUp, BtnDown);
}

void TFrmMovie::BtnDownClick()
{
    ly::MoveListItemDown(ListView1, BtnUp, BtnDown);
}

// ---- Playback ----------------------------------------------------------------------------

bool TFrmMovie::OpenCurrent()
{
    // Opening waits for the medium in a nested event loop: the position poll must not stop
    // or seek the player while it loads.
    Timer1.stop();
    ly::platform::MediaDevice &device = Device();
    device.close();
    const ly::platform::MediaResult opened = device.open(m_currentPath);
    if (!opened) {
        ly::ShowNotice(ly::NoticeError, opened.error());
        return false;
    }
    MeasureDuration();
    const QSize size = device.videoSize();
    m_width = size.isValid() ? size.width() : 0;
    m_height = size.isValid() ? size.height() : 0;
    m_display->setDisplayWindow(PnlMovie);
    m_display->setDisplayRect(PnlMovie->rect());
    m_opened = true;
    LblMovieFile->setText(m_currentPath);
    return true;
}

void TFrmMovie::MeasureDuration()
{
    const ly::platform::MediaDevice &device = PlayerBar->Device();
    m_duration = 0;
    for (int t = 1; t <= device.trackCount(); ++t)
        m_duration = int(device.trackLength(t) / 1000);
    LblMovieTime->setText(ly::SecondsToHms(m_duration));
}

void TFrmMovie::BtnPlayClick()
{
    if (m_currentPath.isEmpty())
        return;
    if (!m_opened && !OpenCurrent()) {
        SetButtons(true, false, false);
        return;
    }
    const ly::platform::MediaResult played = Device().play();
    if (!played) {
        ly::ShowNotice(ly::NoticeError, played.error());
        SetButtons(true, false, false);
        return;
    }
    PnlMovie->repaint();
    SetButtons(false, true, true);
    Timer1.start();
}

void TFrmMovie::BtnPauseClick()
{
    Device().pause();
    m_opened = true;
    Timer1.stop();
    SetButtons(true, false, true);
}

void TFrmMovie::BtnStopClick()
{
    ly::platform::MediaDevice &device = Device();
    device.stop();
    device.seek(0);
    m_opened = true;
    Timer1.stop();
    SetButtons(true, false, false);
}

void TFrmMovie::Timer1Timer()
{
    Timer1.stop();
    const ly::platform::MediaDevice &device = PlayerBar->Device();
    const qint64 length = device.length();
    const qint64 position = device.position();
    lyTrackbar1->setMaximum(int(std::min<qint64>(length, std::numeric_limits<int>::max())));
    lyTrackbar1->setValue(int(std::min<qint64>(position, std::numeric_limits<int>::max())));
    if (length > 0)
        PnlPostion->setText(ly::SecondsToHms(int(position * m_duration / length)));
    // The end of the medium, however the device reports it: it stops there, or its
    // position reaches the length. The preview then plays again from the start.
    const bool ended = device.mode() == MediaMode::Stopped || (length > 0 && position >= length);
    if (ended) {
        BtnStopClick();
        BtnPlayClick();
        return;
    }
    Timer1.start();
}

void TFrmMovie::PositionPress()
{
    if (!m_opened)
        return;
    Device().pause();
    Timer1.stop();
}

void TFrmMovie::PositionRelease()
{
    if (!m_opened)
        return;
    ly::platform::MediaDevice &device = Device();
    device.seek(lyTrackbar1->value());
    if (device.mode() == MediaMode::Paused)
        device.pause();
    else
        static_cast<void>(device.play());
    SetButtons(false, true, true);
    Timer1.start();
}

void TFrmMovie::StopMedia()
{
    if (!PlayerBar->Device().fileName().isEmpty() && ListView1->topLevelItemCount() > 0) {
        Timer1.stop();
        Device().stop();
        SetButtons(true, false, false);
    }
}

void TFrmMovie::BtnFullClick()
{
    if (m_currentPath.isEmpty())
        return;
    {
        TFrmPreviewmMovie preview(*m_display, this);
        if (!m_opened)
            OpenCurrent();
        m_display->setDisplayWindow(&preview);
        if (m_opened)
            static_cast<void>(Device().play());
        preview.ShowModal();
    }
    m_opened = false;
    BtnPlayClick();
}

bool TFrmMovie::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PnlMovie) {
        if (event->type() == QEvent::Resize && m_display->displayWindow() == PnlMovie)
            m_display->setDisplayRect(PnlMovie->rect());
        if (event->type() == QEvent::ContextMenu) {
            BtnFull->setEnabled(!m_currentPath.isEmpty());
            PopupMenu1->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
    } else if (watched == lyTrackbar1) {
        if (event->type() == QEvent::MouseButtonPress)
            ly::RunGuarded([this] { PositionPress(); });
        else if (event->type() == QEvent::MouseButtonRelease)
            ly::RunGuarded([this] { PositionRelease(); });
    } else if (watched == LblMovieFile && event->type() == QEvent::MouseMove) {
        LblMovieFile->setToolTip(LblMovieFile->text());
    }
    return QWidget::eventFilter(watched, event);
}

// ---- The subtitle ------------------------------------------------------------------------

void TFrmMovie::CheckBox1Click()
{
    const bool on = CheckBox1->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{ComboBox2, BtnColor, BtnFont, EdtAni})
        w->setEnabled(on);
    LyPanel1->setVisible(on);
    if (on)
        LyPanel1->raise();
    paint(EdtAni, on ? kAniOn : kAniOff);
}

void TFrmMovie::ComboBox2Change(int index)
{
    m_subtitlePosition = index == 1 ? 1 : 0;
    const int h = LyPanel1->height();
    LyPanel1->setGeometry(0, m_subtitlePosition == 0 ? 0 : PnlMovie->height() - h, PnlMovie->width(), h);
}

void TFrmMovie::EdtAniChange(const QString &text)
{
    QStringList lines = LyPanel1->LyText();
    if (lines.isEmpty())
        lines.append(text);
    else
        lines[0] = text;
    LyPanel1->setLyText(lines);
}

void TFrmMovie::SetSubtitleColor(ly::TColor color)
{
    m_subtitleColor = color;
    LyPanel1->setColor(ly::ToQColor(color));
}

void TFrmMovie::SetSubtitleFont(const ly::TFont &font)
{
    m_subtitleFont = font;
    const QFont qfont = font.toQFont(LyPanel1->font());
    LyPanel1->setLyFont(qfont, ly::ToQColor(font.Color));
    const int h = QFontMetrics(qfont).boundingRect(LyPanel1->LyText().value(0)).height() + 10;
    LyPanel1->resize(PnlMovie->width(), h);
    ComboBox2Change(m_subtitlePosition);
}

void TFrmMovie::BtnColorClick()
{
    ly::TColor color = m_subtitleColor;
    if (TlyColorBox::PickColor(this, color))
        SetSubtitleColor(color);
}

void TFrmMovie::BtnFontClick()
{
    ly::TFont font = m_subtitleFont;
    if (TlyFontDialog::Execute(this, font))
        SetSubtitleFont(font);
}

void TFrmMovie::BtnVolumeClick()
{
    ly::InitVolumeTrackBar(TrackBarVolume);
    PnlVolume->show();
    PnlVolume->raise();
}

// ---- Load and save -----------------------------------------------------------------------

void TFrmMovie::LoadStep(const ly::ProjectDocument &project)
{
    const QString file = project.CurrentProjectFile();
    const ly::FrmMovieSection s = ly::ReadFrmMovieSection(file);
    if (s.movies.isEmpty())
        return;
    BtnDelAll->setEnabled(true);
    const QString folder = project.ProjectFolder() + QStringLiteral("Movie/");
    for (const ly::MovieItem &item : s.movies) {
        // A name listed twice (a project file from elsewhere) makes one row, as an add does.
        if (Lists(item.name))
            continue;
        AddRow(folder + item.name, item.pixels);
        m_currentPath = folder + item.name;
    }
    CheckScreen->setChecked(s.fullScreen);
    Edt_pix1->setValue(s.pixWidth);
    Edt_pix2->setValue(s.pixHeight);
    EdtAbout->setText(s.aboutText);
    CheckBox1->setChecked(s.subtitle);
    CheckBox1Click();
    if (s.subtitle) {
        ComboBox2->setCurrentIndex(s.subtitlePosition);
        ComboBox2Change(s.subtitlePosition);
        SetSubtitleFont(s.subtitleFont);
        SetSubtitleColor(s.subtitleColor);
        EdtAni->setText(s.subtitleText);
    }
    SetButtons(true, false, false);
}

void TFrmMovie::SaveStep(const ly::ProjectDocument &project)
{
    ly::FrmMovieSection s;
    s.pixWidth = Edt_pix1->value();
    s.pixHeight = Edt_pix2->value();
    s.fullScreen = CheckScreen->isChecked();
    s.aboutText = EdtAbout->text();
    s.subtitle = CheckBox1->isChecked();
    s.subtitlePosition = m_subtitlePosition;
    s.subtitleFont = m_subtitleFont;
    s.subtitleColor = m_subtitleColor;
    s.subtitleText = EdtAni->text();
    QList<ly::MovieRow> rows;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ListView1->topLevelItem(i);
        rows.append({row->text(ColPath), row->text(ColName), row->text(ColPixels)});
    }
    ly::SaveMovies(rows, s, project.ProjectFolder(), project.CurrentProjectFile());
}
