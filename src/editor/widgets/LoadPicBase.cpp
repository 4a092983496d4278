#include "editor/widgets/LoadPicBase.h"

#include "control/PictureLoader.h"
#include "control/widgets/LyFolderTree.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyScrollboxImg.h"
#include "editor/widgets/LibraryTree.h"
#include "editor/widgets/PreviewPicUnit.h"
#include "shared/Error.h"
#include "shared/Paths.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/PictureFit.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kLeftWidth = 240;
constexpr int kPreviewHeight = 170;
constexpr int kLocationHeight = 22;
constexpr int kButtonRow = 38;
constexpr int kStatusHeight = 20;
constexpr int kSumPanelWidth = 140;

} // namespace

TFrmLoadPicBase::TFrmLoadPicBase(QWidget *owner, const QString &section, const QString &baseFolder)
    : Tly_Form(owner)
    , ly::LibraryPages(ClientArea())
    , m_section(section)
    , m_baseFolder(baseFolder)
    , m_previewLoader(new ly::PictureLoader(this))
{
    QWidget *client = ClientArea();
    TextTop_Lbl = ly::BoldLabel(client);
    TextBtm_Lbl = new QLabel(client);
    TextTop_Lbl->hide();
    TextBtm_Lbl->hide();

    PnlPreview = new QLabel(client);
    PnlPreview->setObjectName(QStringLiteral("PnlPreview"));
    PnlPreview->setAlignment(Qt::AlignCenter);
    PnlPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlPreview->setAutoFillBackground(true);
    PnlPreview->setCursor(Qt::PointingHandCursor);
    ImgPreview = new QLabel(PnlPreview);
    ImgPreview->setObjectName(QStringLiteral("ImgPreview"));
    ImgPreview->setAccessibleName(QStringLiteral("ImgPreview"));
    PnlPreview->installEventFilter(this);
    ImgPreview->installEventFilter(this);

    Panel_R_Top = new QLabel(client);
    Panel_R_Top->setObjectName(QStringLiteral("Panel_R_Top"));
    Panel_R_Top->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_R_Top->setAutoFillBackground(true);
    ScrollBoxImg1 = new TlyScrollboxImg(client);
    ScrollBoxImg1->setObjectName(QStringLiteral("ScrollBoxImg1"));
    ScrollBoxImg1->setAccessibleName(QStringLiteral("ScrollBoxImg1"));

    Gauge1 = new QProgressBar(client);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setAccessibleName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->hide();
    BtnOpen = new QPushButton(client);
    BtnCancel = new QPushButton(client);

    StatusBar1 = new QWidget(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusPanels.append(panel);
    }
    SetDetailPanel(0, QString());

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TFrmLoadPicBase::TreeView1Click);
    connect(ShellTreeView1, &TlyFolderTree::Change, this, &TFrmLoadPicBase::ShellTreeView1Change);
    connect(ScrollBoxImg1, &TlyScrollboxImg::OnlyProgress, this, &TFrmLoadPicBase::ScrollBoxImg1Progress);
    connect(ScrollBoxImg1, &TlyScrollboxImg::OnlyImgClick, this, &TFrmLoadPicBase::ScrollBoxImg1ImgClick);
    connect(ScrollBoxImg1, &TlyScrollboxImg::OnClick, this, &TFrmLoadPicBase::ScrollBoxImg1Click);
    connect(BtnCreate, &QToolButton::clicked, this, &TFrmLoadPicBase::BtnCreateClick);
    connect(BtnDelete, &QToolButton::clicked, this, &TFrmLoadPicBase::BtnDeleteClick);
    connect(BtnRename, &QToolButton::clicked, this, &TFrmLoadPicBase::BtnRenameClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TFrmLoadPicBase::BtnOpenClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmLoadPicBase::BtnCancelClick);
    connect(m_previewLoader, &ly::PictureLoader::Loaded, this, &TFrmLoadPicBase::PreviewLoaded);
}

TFrmLoadPicBase::~TFrmLoadPicBase()
{
    ScrollBoxImg1->StopLoading();
}

void TFrmLoadPicBase::RememberTexts()
{
    m_locationPrefix = QStringLiteral("Location:");
    m_sumPrefix = QStringLiteral("Sum Files Num:");
    m_previewText = QStringLiteral("(Preview)");
    Panel_R_Top->setText(m_locationPrefix);
    StatusPanels[0]->setText(m_sumPrefix);
    SetHints();
    PnlPreview->setText(m_previewText);
    PnlPreview->setAccessibleName(m_previewText);
}

void TFrmLoadPicBase::LoadLibrary()
{
    const QSignalBlocker quiet(TreeView1);
    ly::LoadLibraryTree(TreeView1, m_section, m_records);
    TreeView1->setCurrentItem(nullptr);
}

QStringList TFrmLoadPicBase::LibraryFolders() const
{
    QStringList folders;
    for (const ly::LibraryRecord &record : m_records)
        folders.append(ly::ProgramPathToNative(record.folder));
    return folders;
}

// ---- Layout --------------------------------------------------------------------------------

void TFrmLoadPicBase::LayoutParts()
{
    const QSize area = ClientArea()->size();
    const int w = area.width(), h = area.height();
    if (m_headerHeight > 0) {
        TextTop_Lbl->setGeometry(12, 4, w - 24, 18);
        TextBtm_Lbl->setGeometry(28, 22, w - 40, 18);
    }
    const int top = m_headerHeight + 4;
    const int statusTop = h - kStatusHeight;
    const int buttonTop = statusTop - kButtonRow;
    const int previewTop = buttonTop - kPreviewHeight - 4;
    Place(QRect(4, top, kLeftWidth, std::max(60, previewTop - top - 4)));
    const QSize oldPreview = PnlPreview->size();
    PnlPreview->setGeometry(4, previewTop, kLeftWidth, kPreviewHeight);
    const int right = kLeftWidth + 10;
    Panel_R_Top->setGeometry(right, top, w - right - 4, kLocationHeight);
    ScrollBoxImg1->setGeometry(right, top + kLocationHeight + 2, w - right - 4,
                               buttonTop - top - kLocationHeight - 6);
    BtnCancel->setGeometry(w - 104, buttonTop + 6, 96, 26);
    BtnOpen->setGeometry(w - 206, buttonTop + 6, 96, 26);
    Gauge1->setGeometry(8, buttonTop + 12, std::max(40, w - 224), 14);
    StatusBar1->setGeometry(0, statusTop, w, kStatusHeight);
    SetDetailPanel(0, StatusPanels[0]->text());
    if (PnlPreview->size() != oldPreview && !m_currentPicture.isEmpty())
        ShowPreview();
}

void TFrmLoadPicBase::resizeEvent(QResizeEvent *event)
{
    Tly_Form::resizeEvent(event);
    LayoutParts();
}

void TFrmLoadPicBase::SetDetailPanel(int index, const QString &text)
{
    QLabel *panel = StatusPanels[index];
    panel->setText(text);
    // Panel 0 keeps its width; the detail panels are as wide as their text plus 20 pixels, or
    // 0 when empty.
    int x = 0;
    for (int i = 0; i < StatusPanels.size(); ++i) {
        QLabel *p = StatusPanels[i];
        const int width = i == 0 ? kSumPanelWidth
                          : p->text().isEmpty() ? 0
                                                : p->fontMetrics().horizontalAdvance(p->text()) + 20;
        p->setGeometry(x, 0, width, kStatusHeight);
        p->setVisible(width > 0);
        x += width;
    }
}

// ---- Folders -------------------------------------------------------------------------------

void TFrmLoadPicBase::ShowFolder(const QString &folder)
{
    Panel_R_Top->setText(m_locationPrefix + folder);
    // The same folder again leaves its load running (the browser would not start it anew).
    if (folder != ScrollBoxImg1->lyImgPath()) {
        Gauge1->show();
        ScrollBoxImg1->StopLoading();
        ScrollBoxImg1->setLyImgPath(folder);
    }
    const int count = ScrollBoxImg1->PictureCount();
    SetDetailPanel(0, m_sumPrefix + QString::number(count));
    if (count == 0) {
        // No load follows to report the end: the folder is shown completely.
        Gauge1->hide();
        BtnOpen->setEnabled(true);
    }
}

void TFrmLoadPicBase::TreeView1Click(QTreeWidgetItem *node)
{
    const int index = node ? TreeView1->indexOfTopLevelItem(node) : -1;
    if (index < 0)
        return;
    ShowFolder(ly::LibraryFolder(EntryFolderSection(), index));
}

void TFrmLoadPicBase::ShellTreeView1Change(QTreeWidgetItem *node)
{
    const QString path = TlyFolderTree::NodePath(node);
    if (!path.isEmpty())
        ShowFolder(path);
}

void TFrmLoadPicBase::ScrollBoxImg1Progress(int Progress, int MaxValue)
{
    Gauge1->setMaximum(std::max(MaxValue, 1));
    Gauge1->setValue(MaxValue > 0 ? Progress : 1);
    if (Progress == MaxValue)
        Gauge1->hide();
    BtnOpen->setEnabled(Progress == MaxValue);
}

// ---- Picture and preview -------------------------------------------------------------------

void TFrmLoadPicBase::ScrollBoxImg1ImgClick(const QString &MyFile, const QString &GetFileName,
                                            const QString &GetFileSize, const QString &GetFilePix,
                                            const QString &GetFileStyle,
                                            const QString &GetFileDateTime)
{
    m_currentPicture = MyFile;
    PnlPreview->setText(QString());
    ShowPreview();
    SetDetailPanel(1, GetFileSize);
    SetDetailPanel(2, GetFileName);
    SetDetailPanel(3, GetFilePix);
    SetDetailPanel(4, GetFileDateTime);
    SetDetailPanel(5, GetFileStyle);
}

void TFrmLoadPicBase::ShowPreview()
{
    if (QFileInfo(m_currentPicture).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0) {
        // GIFs play in the preview; QMovie reads them frame by frame as they play.
        m_previewLoader->Cancel();
        try {
            ly::FitPictureInPanel(m_currentPicture, ImgPreview, PnlPreview);
            return;
        } catch (const ly::Error &) {
        }
    }
    m_previewLoader->Read(m_currentPicture, PnlPreview->size());
}

void TFrmLoadPicBase::PreviewLoaded(const ly::PictureFile &picture)
{
    if (picture.file != m_currentPicture)
        return;
    if (!picture.ok()) {
        ImgPreview->clear();
        PnlPreview->setText(m_previewText);
        return;
    }
    FitPictureFileInPanel(picture, ImgPreview, PnlPreview);
}

void TFrmLoadPicBase::ClearPreview()
{
    m_previewLoader->Cancel();
    QMovie *movie = ImgPreview->movie();
    ImgPreview->clear();
    if (movie && movie->parent() == ImgPreview)
        delete movie;
    PnlPreview->setText(m_previewText);
}

void TFrmLoadPicBase::ScrollBoxImg1Click()
{
    ScrollBoxImg1->setFocus();
    ScrollBoxImg1->Select(-1);
    ClearPreview();
    m_currentPicture.clear();
    for (int i = 1; i <= 5; ++i)
        SetDetailPanel(i, QString());
}

void TFrmLoadPicBase::PnlPreviewClick()
{
    if (!m_currentPicture.isEmpty())
        ShowPicturePreview(m_currentPicture, this);
}

bool TFrmLoadPicBase::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == PnlPreview || watched == ImgPreview) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        PnlPreviewClick();
        return true;
    }
    return Tly_Form::eventFilter(watched, event);
}

// ---- Library buttons -----------------------------------------------------------------------

void TFrmLoadPicBase::BtnCreateClick()
{
    ly::LibraryCreateClick(this, TreeView1, m_section, m_baseFolder, m_records);
}

void TFrmLoadPicBase::BtnDeleteClick()
{
    ly::LibraryDeleteClick(this, TreeView1, m_section, m_records);
}

void TFrmLoadPicBase::BtnRenameClick()
{
    ly::LibraryRenameClick(TreeView1, m_section, m_records);
}

// ---- Closing -------------------------------------------------------------------------------

void TFrmLoadPicBase::BtnCancelClick()
{
    ScrollBoxImg1->StopLoading();
    ClearOutput();
    setModalResult(mrCancel);
    close();
}

void TFrmLoadPicBase::closeEvent(QCloseEvent *event)
{
    ScrollBoxImg1->StopLoading();
    m_previewLoader->Cancel();
    if (ModalResult() != mrOk)
        ClearOutput();
    Tly_Form::closeEvent(event);
}
