#include "editor/widgets/LoadMusicUnit.h"

#include "control/widgets/LyFolderTree.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/BackgroundMedia.h"
#include "editor/MusicChoice.h"
#include "platform/MediaDevice.h"
#include "platform/widgets/MediaPlayerBar.h"
#include "shared/Paths.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/Notice.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace {

using Bar = ly::platform::MediaPlayerBar;

constexpr int kHeaderHeight = 44;
constexpr int kLeftWidth = 230;
constexpr int kGroupHeight = 84;
constexpr int kLocationHeight = 22;
constexpr int kButtonRow = 38;
constexpr int kStatusHeight = 20;
constexpr int kFirstFileIcon = 2;

} // namespace

TFrmLoadMusic::TFrmLoadMusic(QWidget *owner)
    : Tly_Form(owner)
    , ly::LibraryPages(ClientArea())
    , m_sort(std::make_unique<ly::MusicSortState>())
{
    setObjectName(QStringLiteral("FrmLoadMusic"));
    QWidget *client = ClientArea();
    TextTop_Lbl = ly::BoldLabel(client);
    TextBtm_Lbl = new QLabel(client);

    GroupBox_Music = new QGroupBox(client);
    GroupBox_Music->setObjectName(QStringLiteral("GroupBox_Music"));
    MusicName_Lbl = new QLabel(GroupBox_Music);
    MusicName_Lbl->setObjectName(QStringLiteral("MusicName_Lbl"));
    MusicName_Lbl->setTextFormat(Qt::PlainText);
    MediaPlayer1 = ly::Named(new Bar(GroupBox_Music), QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setVisibleButtons({Bar::Play, Bar::Pause, Bar::Stop});
    TimerPlay = new QTimer(this);
    TimerPlay->setInterval(kPollMs);

    Panel_R_Top = new QLabel(client);
    Panel_R_Top->setObjectName(QStringLiteral("Panel_R_Top"));
    Panel_R_Top->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_R_Top->setAutoFillBackground(true);
    Panel_R_Top->setTextFormat(Qt::PlainText);
    recordList = ly::Named(new QTreeWidget(client), QStringLiteral("recordList"));
    recordList->setColumnCount(3);
    recordList->setRootIsDecorated(false);
    recordList->setUniformRowHeights(true);
    recordList->setSelectionMode(QAbstractItemView::SingleSelection);
    recordList->header()->setSectionsClickable(true);
    recordList->header()->setSortIndicatorShown(false);
    recordList->setColumnWidth(NameColumn, 220);
    recordList->setColumnWidth(SizeColumn, 80);

    BtnOpen = new QPushButton(client);
    BtnOpen->setObjectName(QStringLiteral("BtnOpen"));
    BtnCancel = new QPushButton(client);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    StatusBar1 = new QWidget(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    m_icons = {style()->standardIcon(QStyle::SP_ArrowDown), style()->standardIcon(QStyle::SP_ArrowUp)};
    for (const char *sample : {"a.mid", "a.wav", "a.mp3", "a.wma"})
        ly::AddFileTypeIcon(QLatin1String(sample), m_icons, ly::SmallIcon);

    setClientAreaSize(QSize(660, 460));

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TFrmLoadMusic::TreeView1Click);
    // Assistive technology selects an entry without moving the current one.
    connect(TreeView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> selected = TreeView1->selectedItems();
        if (!selected.isEmpty() && selected.constFirst() != TreeView1->currentItem())
            TreeView1Click(selected.constFirst());
    });
    connect(ShellTreeView1, &TlyFolderTree::Change, this, &TFrmLoadMusic::ShellTreeView1Change);
    connect(recordList->header(), &QHeaderView::sectionClicked, this, &TFrmLoadMusic::recordListColumnClick);
    connect(recordList, &QTreeWidget::itemSelectionChanged, this, &TFrmLoadMusic::recordListClick);
    connect(recordList, &QTreeWidget::itemClicked, this, &TFrmLoadMusic::recordListClick);
    connect(recordList, &QTreeWidget::itemDoubleClicked, this, &TFrmLoadMusic::recordListDblClick);
    // The chooser carries out every press of its player itself.
    connect(MediaPlayer1, &Bar::Click, this, [this](Bar::Button button, bool &doDefault) {
        doDefault = false;
        if (button == Bar::Play)
            BtnPlayClick();
        else if (button == Bar::Pause)
            BtnPauseClick();
        else if (button == Bar::Stop)
            BtnStopClick();
    });
    connect(TimerPlay, &QTimer::timeout, this, &TFrmLoadMusic::TimerPlayTimer);
    connect(BtnCreate, &QToolButton::clicked, this, &TFrmLoadMusic::BtnCreateClick);
    connect(BtnDelete, &QToolButton::clicked, this, &TFrmLoadMusic::BtnDeleteClick);
    connect(BtnRename, &QToolButton::clicked, this, &TFrmLoadMusic::BtnRenameClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TFrmLoadMusic::BtnOpenClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmLoadMusic::BtnCancelClick);
}

TFrmLoadMusic::~TFrmLoadMusic() = default;

void TFrmLoadMusic::setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device)
{
    MediaPlayer1->setDevice(std::move(device));
}

ly::platform::MediaDevice &TFrmLoadMusic::Player()
{
    return MediaPlayer1->Device();
}

int TFrmLoadMusic::SortMark(int column) const
{
    return m_sort->Mark(column);
}

QTreeWidgetItem *TFrmLoadMusic::Row(const QString &fileName) const
{
    for (int i = 0; i < recordList->topLevelItemCount(); ++i)
        if (recordList->topLevelItem(i)->text(NameColumn) == fileName)
            return recordList->topLevelItem(i);
    return nullptr;
}

void TFrmLoadMusic::LoadTexts()
{
    setTitleText(QStringLiteral("Open a lot of Music Files"));
    Panel_R_Top->setText(QStringLiteral("Location:"));
    StatusPanel0->setText(QStringLiteral("Sum Files Num:"));
    TextTop_Lbl->setText(QStringLiteral("Open Music Directory"));
    TextBtm_Lbl->setText(QStringLiteral("Open a lot of Music Files, mp3/wav/mid..."));
    PageControl1->setTabText(0, QStringLiteral("Card List"));
    PageControl1->setTabText(1, QStringLiteral("System List"));
    SetHints();
    GroupBox_Music->setTitle(QStringLiteral("Play Music"));
    recordList->setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Size"),
                                 QStringLiteral("FileType")});
    MusicName_Lbl->setText(QStringLiteral("Filename"));
    BtnOpen->setText(QStringLiteral("&Open"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
}

void TFrmLoadMusic::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmLoadMusic::FormShow()
{
    LoadTexts();
    m_locationPrefix = Panel_R_Top->text();
    m_sumPrefix = StatusPanel0->text();
    PageControl1->setCurrentIndex(0);
    {
        const QSignalBlocker quiet(TreeView1);
        ly::LoadLibraryTree(TreeView1, m_section, m_records);
        TreeView1->setCurrentItem(nullptr);
    }
    MediaPlayer1->setEnabledButtons({});
    SelectFirstFolderNode();
    LayoutParts();
}

// ---- Layout --------------------------------------------------------------------------------

void TFrmLoadMusic::resizeEvent(QResizeEvent *event)
{
    Tly_Form::resizeEvent(event);
    LayoutParts();
}

void TFrmLoadMusic::LayoutParts()
{
    const QSize area = ClientArea()->size();
    const int w = area.width(), h = area.height();
    TextTop_Lbl->setGeometry(12, 4, w - 24, 18);
    TextBtm_Lbl->setGeometry(28, 22, w - 40, 18);
    const int top = kHeaderHeight + 4;
    const int statusTop = h - kStatusHeight;
    const int buttonTop = statusTop - kButtonRow;
    const int groupTop = buttonTop - kGroupHeight;
    Place(QRect(4, top, kLeftWidth, std::max(60, groupTop - top - 4)));
    GroupBox_Music->setGeometry(4, groupTop, kLeftWidth, kGroupHeight);
    MusicName_Lbl->setGeometry(10, 22, kLeftWidth - 20, 18);
    MediaPlayer1->setGeometry(10, 48, kLeftWidth - 20, 24);
    const int right = kLeftWidth + 10;
    Panel_R_Top->setGeometry(right, top, w - right - 4, kLocationHeight);
    recordList->setGeometry(right, top + kLocationHeight + 2, w - right - 4,
                            buttonTop - top - kLocationHeight);
    BtnCancel->setGeometry(w - 104, buttonTop + 6, 96, 26);
    BtnOpen->setGeometry(w - 206, buttonTop + 6, 96, 26);
    StatusBar1->setGeometry(0, statusTop, w, kStatusHeight);
    StatusPanel0->setGeometry(0, 0, 160, kStatusHeight);
}

// ---- Folders and the list ------------------------------------------------------------------

void TFrmLoadMusic::TreeView1Click(QTreeWidgetItem *node)
{
    const int index = node ? TreeView1->indexOfTopLevelItem(node) : -1;
    if (index >= 0)
        ShowFolder(ly::LibraryFolder(m_section, index));
}

void TFrmLoadMusic::ShellTreeView1Change(QTreeWidgetItem *node)
{
    const QString path = TlyFolderTree::NodePath(node);
    if (!path.isEmpty())
        ShowFolder(path);
}

void TFrmLoadMusic::ShowFolder(const QString &folder)
{
    m_folder = folder;
    recordList->clear();
    for (const ly::MusicFileRow &file : ly::ListMusicFolder(folder)) {
        auto *row = new QTreeWidgetItem(recordList, {file.name, file.sizeText, file.type});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(NameColumn, Qt::Unchecked);
        const int icon = kFirstFileIcon + ly::MusicIconIndex(file.name);
        if (icon >= kFirstFileIcon && icon < m_icons.size())
            row->setIcon(NameColumn, m_icons.at(icon));
    }
    StatusPanel0->setText(m_sumPrefix + QString::number(recordList->topLevelItemCount()));
    Panel_R_Top->setText(m_locationPrefix + folder);
}

void TFrmLoadMusic::recordListColumnClick(int column)
{
    if (recordList->topLevelItemCount() == 0)
        return;
    const int last = m_sort->LastColumn();
    const bool descending = m_sort->Click(column);
    const auto mark = [this](int c) {
        const int m = m_sort->Mark(c);
        return m == ly::MusicSortState::kNoMark ? QIcon() : m_icons.at(m);
    };
    recordList->headerItem()->setIcon(last, mark(last));
    recordList->headerItem()->setIcon(column, mark(column));

    // The rows move as they are, with their check marks and icons.
    std::vector<std::pair<ly::MusicFileRow, QTreeWidgetItem *>> rows;
    QTreeWidgetItem *current = recordList->currentItem();
    {
        const QSignalBlocker quiet(recordList);
        while (recordList->topLevelItemCount() > 0) {
            QTreeWidgetItem *row = recordList->takeTopLevelItem(0);
            rows.push_back({{row->text(NameColumn), row->text(SizeColumn), row->text(TypeColumn)}, row});
        }
        const auto by = ly::MusicColumn(column);
        std::stable_sort(rows.begin(), rows.end(), [by, descending](const auto &a, const auto &b) {
            return descending ? ly::MusicRowBefore(by, b.first, a.first)
                              : ly::MusicRowBefore(by, a.first, b.first);
        });
        for (const auto &row : rows)
            recordList->addTopLevelItem(row.second);
        if (current)
            recordList->setCurrentItem(current);
    }
}

void TFrmLoadMusic::recordListClick()
{
    QTreeWidgetItem *row = recordList->currentItem();
    if (!row || !row->isSelected()) {
        MediaPlayer1->setEnabledButtons({});
        TimerPlay->stop();
        return;
    }
    MediaPlayer1->setEnabledButtons({Bar::Play});
    m_paused = false;
    m_selectedName = row->text(NameColumn);
    MusicName_Lbl->setText(ly::AddTrailingBackslash(m_folder) + m_selectedName);
}

void TFrmLoadMusic::recordListDblClick(QTreeWidgetItem *row)
{
    if (!row)
        return;
    recordList->setCurrentItem(row);
    recordListClick();
    BtnPlayClick();
}

// ---- Listening -----------------------------------------------------------------------------

void TFrmLoadMusic::BtnPlayClick()
{
    // Player errors are not the user's concern while listening.
    if (!m_paused)
        (void)MediaPlayer1->open(ly::AddTrailingBackslash(m_folder) + m_selectedName);
    (void)MediaPlayer1->DoAction(Bar::Play);
    m_paused = false;
    TimerPlay->start();
    MediaPlayer1->setEnabledButtons({Bar::Pause, Bar::Stop});
}

void TFrmLoadMusic::BtnPauseClick()
{
    TimerPlay->stop();
    m_paused = true;
    MediaPlayer1->setEnabledButtons({Bar::Play, Bar::Stop});
    (void)MediaPlayer1->DoAction(Bar::Pause);
}

void TFrmLoadMusic::BtnStopClick()
{
    m_paused = false;
    TimerPlay->stop();
    MediaPlayer1->setEnabledButtons({Bar::Play});
    (void)MediaPlayer1->DoAction(Bar::Stop);
}

void TFrmLoadMusic::TimerPlayTimer()
{
    if (!ly::platform::ShowPlayProgress(MediaPlayer1->Gauge, Player()))
        TimerPlay->stop();
}

void TFrmLoadMusic::StopPlaying()
{
    TimerPlay->stop();
    const ly::platform::MediaMode mode = MediaPlayer1->mode();
    if (mode == ly::platform::MediaMode::Playing || mode == ly::platform::MediaMode::Paused)
        (void)MediaPlayer1->DoAction(Bar::Stop);
}

// ---- Library buttons -----------------------------------------------------------------------

void TFrmLoadMusic::BtnCreateClick()
{
    ly::LibraryCreateClick(this, TreeView1, m_section, QLatin1String(ly::kMusicBase), m_records);
}

void TFrmLoadMusic::BtnDeleteClick()
{
    ly::LibraryDeleteClick(this, TreeView1, m_section, m_records);
}

void TFrmLoadMusic::BtnRenameClick()
{
    ly::LibraryRenameClick(TreeView1, m_section, m_records);
}

// ---- Closing -------------------------------------------------------------------------------

void TFrmLoadMusic::BtnOpenClick()
{
    StopPlaying();
    m_chosen.clear();
    QStringList chosenNames;
    const auto listed = [this, &chosenNames](const QString &name) {
        return chosenNames.contains(name) || (m_isListed && m_isListed(name));
    };
    bool anyChecked = false;
    for (int i = 0; i < recordList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = recordList->topLevelItem(i);
        if (row->checkState(NameColumn) != Qt::Checked)
            continue;
        anyChecked = true;
        const QString path = ly::AddTrailingBackslash(m_folder) + row->text(NameColumn);
        const ly::TakenMusic taken = ly::TakeMusicFile(path, m_musicFolder, listed);
        if (taken.outcome == ly::TakenMusic::Fail) {
            ly::ShowNotice(ly::NoticeError, taken.error);
        } else if (taken.outcome == ly::TakenMusic::Take) {
            m_chosen.append(taken.path);
            chosenNames.append(QFileInfo(taken.path).fileName());
        }
    }
    if (!anyChecked) {
        ly::ShowNotice(ly::NoticeWarning, QStringLiteral("Please select a document!"));
        return;
    }
    setModalResult(mrOk);
    close();
}

void TFrmLoadMusic::BtnCancelClick()
{
    setModalResult(mrCancel);
    close();
}

void TFrmLoadMusic::closeEvent(QCloseEvent *event)
{
    StopPlaying();
    MediaPlayer1->close();
    if (ModalResult() != mrOk)
        m_chosen.clear();
    Tly_Form::closeEvent(event);
}
