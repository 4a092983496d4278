#include "editor/widgets/PictureUnit.h"

#include "card/FrmPictureSection.h"
#include "control/PictureLoader.h"
#include "control/Thumbnail.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/AlbumFiles.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/LoadMorePicUnit.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "editor/widgets/MainUnit.h"
#include "shared/FitRect.h"
#include "shared/Ini.h"
#include "shared/Paths.h"
#include "shared/widgets/Notice.h"
#include "transitions/widgets/PicTransition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kRowIdRole = Qt::UserRole + 1;
constexpr int kMarkedRole = Qt::UserRole + 2;
const QColor kMarkedColor(0xb0, 0x20, 0x20);
const QString kSection = QStringLiteral("FrmPicture");

enum Piece { Top, Left, Right, Bottom, TopLeft, TopRight, BtmLeft, BtmRight };

QToolButton *listButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setFixedSize(28, 28);
    return button;
}

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

QSpinBox *spinField(QWidget *parent, const char *name, int min, int max)
{
    auto *spin = named(new QSpinBox(parent), name);
    spin->setRange(min, max);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    return spin;
}

} // namespace

int TFrmPicture::IconIndexOf(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    for (int i = 0; i < int(ly::THUMB_EXTENSIONS.size()); ++i)
        if (ext == QLatin1String(ly::THUMB_EXTENSIONS[size_t(i)]))
            return i;
    return 1;
}

TFrmPicture::TFrmPicture(TFrmMain &main)
    : QWidget(main.PnlDock)
    , m_main(main)
    , m_measurer(new ly::AlbumPictureMeasurer(this))
    , m_pictureLoader(new ly::PictureLoader(this))
    , m_fillLoader(new ly::PictureLoader(this))
{
    setObjectName(QStringLiteral("FrmPicture"));
    setAutoFillBackground(true);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    // ---- Left: the two pages ----
    Notebook1 = placed(named(new QStackedWidget(this), "Notebook1"), 6, 4, 302, 424);
    LoadPic = named(new QWidget, "LoadPic");
    StylePic = named(new QWidget, "StylePic");
    Notebook1->addWidget(LoadPic);
    Notebook1->addWidget(StylePic);

    BtnPicAdd = listButton(LoadPic, "BtnPicAdd", QStyle::SP_DialogOpenButton);
    BtnDelOne = listButton(LoadPic, "BtnDelOne", QStyle::SP_TrashIcon);
    BtnDelAll = listButton(LoadPic, "BtnDelAll", QStyle::SP_DialogDiscardButton);
    BtnUp = listButton(LoadPic, "BtnUp", QStyle::SP_ArrowUp);
    BtnDown = listButton(LoadPic, "BtnDown", QStyle::SP_ArrowDown);
    BtnPicStyle = listButton(LoadPic, "BtnPicStyle", QStyle::SP_FileDialogDetailedView);
    int x = 0;
    for (QToolButton *b : {BtnPicAdd, BtnDelOne, BtnDelAll, BtnUp, BtnDown, BtnPicStyle}) {
        b->move(x, 0);
        x += 32;
    }

    ListView1 = placed(named(new QTreeWidget(LoadPic), "ListView1"), 0, 32, 302, 150);
    ListView1->setColumnCount(ColumnCount);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    for (int c = ColFolder; c < ColumnCount; ++c)
        ListView1->setColumnHidden(c, true);
    ListView1->setColumnWidth(ColName, 120);
    ListView1->setColumnWidth(ColSize, 56);
    ListView1->viewport()->installEventFilter(this);

    GroupBox2 = placed(named(new QGroupBox(LoadPic), "GroupBox2"), 0, 188, 302, 236);
    LblWindowPix = placed(new QLabel(GroupBox2), 10, 20, 140, 20);
    LblWidth = placed(new QLabel(GroupBox2), 20, 42, 50, 22);
    Edt_pix1 = spinField(GroupBox2, "Edt_pix1", ly::FrmPictureSection::kMinWindowSide,
                         ly::FrmPictureSection::kMaxWindowSide);
    Edt_pix1->setGeometry(70, 42, 70, 22);
    LblHeight = placed(new QLabel(GroupBox2), 152, 42, 50, 22);
    Edt_pix2 = spinField(GroupBox2, "Edt_pix2", ly::FrmPictureSection::kMinWindowSide,
                         ly::FrmPictureSection::kMaxWindowSide);
    Edt_pix2->setGeometry(204, 42, 70, 22);
    LblPicBox = placed(new QLabel(GroupBox2), 10, 70, 120, 22);
    ComboBoxEx = placed(named(new QComboBox(GroupBox2), "ComboBoxEx"), 130, 70, 162, 22);
    LblPicDo = placed(new QLabel(GroupBox2), 10, 98, 120, 22);
    Edit1 = placed(named(new QLineEdit(GroupBox2), "Edit1"), 130, 98, 132, 22);
    Edit1->setReadOnly(true);
    BtnPicDo = new QToolButton(GroupBox2);
    BtnPicDo->setObjectName(QStringLiteral("BtnPicDo"));
    BtnPicDo->setText(QStringLiteral("..."));
    BtnPicDo->setGeometry(264, 98, 28, 22);
    RadioButton1 = placed(new QRadioButton(GroupBox2), 10, 126, 282, 20);
    RadioButton2 = placed(new QRadioButton(GroupBox2), 10, 148, 282, 20);
    RadioButton3 = placed(new QRadioButton(GroupBox2), 10, 170, 282, 20);
    RadioButton1->setChecked(true);
    CheckScreen = placed(new QCheckBox(GroupBox2), 10, 190, 282, 20);
    LblPlayTime = placed(new QLabel(GroupBox2), 10, 212, 150, 22);
    EdtSecond = spinField(GroupBox2, "EdtSecond", ly::FrmPictureSection::kMinSeconds,
                          ly::FrmPictureSection::kMaxSeconds);
    EdtSecond->setGeometry(160, 212, 64, 22);
    LblSecond = placed(new QLabel(GroupBox2), 230, 212, 60, 22);
    Edt_pix1->setValue(400);
    Edt_pix2->setValue(320);
    EdtSecond->setValue(4);

    LblStyle = placed(new QLabel(StylePic), 0, 4, 302, 20);
    TreeView1 = placed(named(new QTreeWidget(StylePic), "TreeView1"), 0, 28, 302, 354);
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(false);
    TreeView1->setUniformRowHeights(true);
    BtnApply = placed(new QPushButton(StylePic), 202, 390, 100, 28);

    // ---- Right: the preview ----
    Preview_Lbl = placed(new QLabel(this), 314, 2, 200, 18);
    PnlPreview = placed(named(new QWidget(this), "PnlPreview"), 314, 20, kPreviewWidth, kPreviewHeight);
    PnlPreview->setAutoFillBackground(true);
    QPalette dark = PnlPreview->palette();
    dark.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    PnlPreview->setPalette(dark);
    PnlPicture = named(new TLyFullPicture(PnlPreview), "PnlPicture");
    PnlPicture->setColor(QColor(0xc0, 0xc0, 0xc0));
    const char *const pieceNames[8] = {"ImgTop",     "ImgLeft",     "ImgRight",   "ImgBottom",
                                       "ImgTopLeft", "ImgTopRight", "ImgBtmLeft", "ImgBtmRight"};
    for (int i = 0; i < 8; ++i) {
        ImgPieces[size_t(i)] = named(new TLyFullPicture(PnlPreview), pieceNames[i]);
        ImgPieces[size_t(i)]->hide();
    }
    PicTransition1 = named(new TPicTransition(PnlPicture), "PicTransition1");
    PicTransition1->SetAutoSize(false);
    PicTransition1->SetDelay(50);
    PicTransition1->SetStep(5);
    PicTransition1->SetStretch(true);
    PicTransition1->SetOverDraw(false);
    PicTransition1->SetColor(QColor(0xc0, 0xc0, 0xc0));
    PicTransition1->SetBgMode(TCustomPicTransition::bmTiled);
    PicTransition1->OnClick = [this](TCustomPicTransition *) {
        ly::RunGuarded([this] { PicTransition1Click(); });
    };

    GroupBox1 = placed(named(new QGroupBox(this), "GroupBox1"), 314, 354, kPreviewWidth, 74);
    LblFilename = placed(new QLabel(GroupBox1), 10, 22, 70, 20);
    LblFilePath = placed(named(new QLabel(GroupBox1), "LblFilePath"), 80, 22, 380, 20);
    LblFilePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblPro = placed(new QLabel(GroupBox1), 10, 46, 70, 20);
    LblPixel = placed(named(new QLabel(GroupBox1), "LblPixel"), 80, 46, 380, 20);

    // The icon list in the order gif, jpg, jpeg, bmp, ico, emf, wmf.
    for (const char *ext : ly::THUMB_EXTENSIONS)
        ly::AddFileTypeIcon(QStringLiteral("c:\\aaa.") + QLatin1String(ext), m_icons, ly::SmallIcon);

    LoadTexts();
    Notebook1->setCurrentWidget(LoadPic);
    LayOutPreview();
    Reset();
    ly::EnsureDir(ProjectFolder() + QStringLiteral("Picture"));
    FillFrameList();

    connect(BtnPicAdd, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnPicAddClick));
    connect(BtnDelOne, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnDelOneClick));
    connect(BtnDelAll, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnDelAllClick));
    connect(BtnUp, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnUpClick));
    connect(BtnDown, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnDownClick));
    connect(BtnPicStyle, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnPicStyleClick));
    connect(BtnApply, &QPushButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnApplyClick));
    connect(BtnPicDo, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPicture::BtnPicDoClick));
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this,
            ly::Guarded(this, &TFrmPicture::ListView1Click));
    connect(ListView1, &QTreeWidget::itemClicked, this, [this] {
        // A click on the row that was selected already plays it again; a click that selects
        // a row has played it through the selection change.
        if (m_pressOnSelected)
            ly::RunGuarded([this] { ListView1Click(); });
        m_pressOnSelected = false;
    });
    connect(TreeView1, &QTreeWidget::itemSelectionChanged, this,
            ly::Guarded(this, &TFrmPicture::TreeView1Change));
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this,
            ly::Guarded(this, &TFrmPicture::TreeView1DblClick));
    connect(ComboBoxEx, &QComboBox::currentIndexChanged, this,
            [this](int index) { ly::RunGuarded([this, index] { ComboBoxExChange(index); }); });
    connect(m_measurer, &ly::AlbumPictureMeasurer::Measured, this, &TFrmPicture::RowMeasured);
    connect(m_pictureLoader, &ly::PictureLoader::Loaded, this, &TFrmPicture::PictureLoaded);
    connect(m_fillLoader, &ly::PictureLoader::Loaded, this, &TFrmPicture::FillLoaded);
}

TFrmPicture::~TFrmPicture()
{
    PicTransition1->Stop();
}

void TFrmPicture::BuildEffectTree()
{
    m_effectNames = ly::ReadAlbumEffectNames();
    TreeView1->clear();
    QList<QTreeWidgetItem *> nodes;
    for (const QString &name : m_effectNames)
        nodes.append(new QTreeWidgetItem(QStringList{name}));
    TreeView1->addTopLevelItems(nodes);
}

void TFrmPicture::LoadTexts()
{
    BuildEffectTree();
    BtnPicAdd->setToolTip(QStringLiteral("Load Picture"));
    BtnDelOne->setToolTip(QStringLiteral("Delete"));
    BtnDelAll->setToolTip(QStringLiteral("Delete All"));
    BtnUp->setToolTip(QStringLiteral("Move Up"));
    BtnDown->setToolTip(QStringLiteral("Move Down"));
    BtnPicStyle->setToolTip(QStringLiteral("Effect"));
    GroupBox1->setTitle(QStringLiteral("             Picture Property"));
    GroupBox2->setTitle(QStringLiteral("             Windows Property"));
    LblFilename->setText(QStringLiteral("Filename:"));
    LblPro->setText(QStringLiteral("Property:"));
    LblWindowPix->setText(QStringLiteral("Window Size(Pix):"));
    LblWidth->setText(QStringLiteral("Width:"));
    LblHeight->setText(QStringLiteral("Height:"));
    LblPicBox->setText(QStringLiteral("Add Picture Frame:"));
    LblPicDo->setText(QStringLiteral("Add Fill Picture:"));
    RadioButton1->setText(QStringLiteral("Circulate Picture in Screen"));
    RadioButton2->setText(QStringLiteral("Twinkling Picture in Screen"));
    RadioButton3->setText(QStringLiteral("Picture is in Screen Center"));
    LblPlayTime->setText(QStringLiteral("Picture Interval Time"));
    LblSecond->setText(QStringLiteral("Second"));
    LblStyle->setText(QStringLiteral("Please Select effect of the Picture"));
    BtnApply->setText(QStringLiteral("Return"));
    ListView1->setHeaderLabels({QStringLiteral("Filename:"), QStringLiteral("Size:"),
                                QStringLiteral("Effect"), QString(), QString(), QString()});
    Preview_Lbl->setText(QStringLiteral(" Preview "));
    CheckScreen->setText(QStringLiteral("Full Reach"));
    // Labels name the fields they stand before, so a screen reader reads them together.
    LblWidth->setBuddy(Edt_pix1);
    LblHeight->setBuddy(Edt_pix2);
    LblPicBox->setBuddy(ComboBoxEx);
    LblPicDo->setBuddy(Edit1);
    LblPlayTime->setBuddy(EdtSecond);
    BtnPicDo->setAccessibleName(BtnPicDo->text());
}

QString TFrmPicture::ProjectFolder() const
{
    return m_main.Project().ProjectFolder();
}

// ---- Frame list and preview -----------------------------------------------------------------

void TFrmPicture::FillFrameList()
{
    const QSignalBlocker block(ComboBoxEx);
    ComboBoxEx->clear();
    ComboBoxEx->addItem(QString());
    ComboBoxEx->addItems(ly::ListFrameSets(ly::FrameSetsFolder()));
    ComboBoxEx->setCurrentIndex(0);
    m_frameIndex = 0;
}

QString TFrmPicture::FrameFolderOf(int index) const
{
    if (index <= 0)
        return QString();
    // The project's own entry carries a mark, so a shipped set that happens to be called
    // "PicBox" still means the shipped one.
    if (ComboBoxEx->itemData(index).toBool())
        return ProjectFolder() + QStringLiteral("PicBox/");
    return ly::FrameSetsFolder() + ComboBoxEx->itemText(index) + QLatin1Char('/');
}

void TFrmPicture::ComboBoxExChange(int index)
{
    const QString folder = FrameFolderOf(index);
    const bool projectFrame = index > 0 && ComboBoxEx->itemData(index).toBool();
    if (!folder.isEmpty() && !projectFrame) {
        // A shipped set must be whole: copying part of it would give the card half a frame.
        const QStringList missing = ly::MissingFramePieces(folder);
        if (!missing.isEmpty()) {
            ly::ShowNotice(ly::NoticeWarning,
                           QStringLiteral("The picture frame \"%1\" cannot be used: %2 is missing or damaged.")
                               .arg(ComboBoxEx->itemText(index), missing.join(QStringLiteral(", "))));
            const QSignalBlocker block(ComboBoxEx);
            ComboBoxEx->setCurrentIndex(m_frameIndex);
            return;
        }
    }
    m_frameIndex = index;
    ShowFrame(folder);
}

void TFrmPicture::ShowFrame(const QString &folder)
{
    for (int i = 0; i < 8; ++i) {
        TLyFullPicture *piece = ImgPieces[size_t(i)];
        if (folder.isEmpty()) {
            piece->setLyLoadPicture(QPixmap());
            piece->hide();
            continue;
        }
        // Frame pieces are small strips and corners; a damaged one shows as nothing.
        const ly::PictureFile file =
            ly::ReadPictureFile(ly::FileInFolder(folder, QLatin1String(ly::kFramePieces[size_t(i)])));
        piece->setLyLoadPicture(file.ok() ? QPixmap::fromImage(file.image) : QPixmap());
        piece->setVisible(file.ok());
    }
    LayOutPreview();
}

void TFrmPicture::LayOutPreview()
{
    const auto pieceSize = [this](int i) {
        const TLyFullPicture *p = ImgPieces[size_t(i)];
        return p->isVisibleTo(PnlPreview) ? p->LyLoadPicture().size() / p->LyLoadPicture().devicePixelRatio()
                                          : QSize(0, 0);
    };
    const int w = kPreviewWidth;
    const int h = kPreviewHeight;
    const int top = pieceSize(Top).height();
    const int bottom = pieceSize(Bottom).height();
    const int left = pieceSize(Left).width();
    const int right = pieceSize(Right).width();
    ImgPieces[Top]->setGeometry(0, 0, w, top);
    ImgPieces[Bottom]->setGeometry(0, h - bottom, w, bottom);
    ImgPieces[Left]->setGeometry(0, top, left, h - top - bottom);
    ImgPieces[Right]->setGeometry(w - right, top, right, h - top - bottom);
    const QSize tl = pieceSize(TopLeft), tr = pieceSize(TopRight);
    const QSize bl = pieceSize(BtmLeft), br = pieceSize(BtmRight);
    ImgPieces[TopLeft]->setGeometry(0, 0, tl.width(), tl.height());
    ImgPieces[TopRight]->setGeometry(w - tr.width(), 0, tr.width(), tr.height());
    ImgPieces[BtmLeft]->setGeometry(0, h - bl.height(), bl.width(), bl.height());
    ImgPieces[BtmRight]->setGeometry(w - br.width(), h - br.height(), br.width(), br.height());
    for (int i = TopLeft; i <= BtmRight; ++i)
        ImgPieces[size_t(i)]->raise();
    PnlPicture->setGeometry(left, top, std::max(1, w - left - right), std::max(1, h - top - bottom));
}

void TFrmPicture::SetFill(const QString &file)
{
    Edit1->setText(file);
    m_wantedFill = file;
    m_fillLoader->Read(file, QSize(ly::PICTURE_MAX_SIDE, ly::PICTURE_MAX_SIDE));
}

void TFrmPicture::FillLoaded(const ly::PictureFile &picture)
{
    if (picture.file != m_wantedFill)
        return;
    m_wantedFill.clear();
    m_fill = picture.ok() ? picture.image : QImage();
    PnlPicture->setLyLoadPicture(m_fill.isNull() ? QPixmap() : QPixmap::fromImage(m_fill));
    PicTransition1->SetBgPicture(m_fill);
}

void TFrmPicture::BtnPicDoClick()
{
    const QString chosen =
        TFrmLoadOnePic::Choose(this, QStringLiteral("DirBlkSet"), 0, ly::ALL_PICTURE_TYPES);
    if (!chosen.isEmpty())
        SetFill(chosen);
}

// ---- The picture list -----------------------------------------------------------------------

QTreeWidgetItem *TFrmPicture::SelectedRow() const
{
    const QList<QTreeWidgetItem *> selected = ListView1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString TFrmPicture::RowPath(const QTreeWidgetItem *row) const
{
    return row->text(ColFolder) + row->text(ColName);
}

bool TFrmPicture::Lists(const QString &fileName) const
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(ColName).compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TFrmPicture::RowMarked(int row) const
{
    const QTreeWidgetItem *item = ListView1->topLevelItem(row);
    return item && item->data(ColName, kMarkedRole).toBool();
}

bool TFrmPicture::Loading() const
{
    return m_measurer->Pending() > 0 || m_pictureLoader->Busy() || m_fillLoader->Busy()
           || !m_wantedPicture.isEmpty() || !m_wantedFill.isEmpty();
}

QTreeWidgetItem *TFrmPicture::AddPicture(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || Lists(name))
        return nullptr;
    auto *row = new QTreeWidgetItem;
    row->setText(ColName, name);
    row->setIcon(ColName, m_icons.value(IconIndexOf(name)));
    row->setText(ColEffect, m_effectNames.value(0));
    row->setText(ColFolder, ly::AddTrailingBackslash(info.absolutePath()));
    row->setText(ColEffectIndex, QStringLiteral("0"));
    const quint64 id = m_nextRowId++;
    row->setData(ColName, kRowIdRole, id);
    ListView1->addTopLevelItem(row);
    // Size and pixel size come from the file, which may be large and slow to reach.
    m_measurer->Measure(id, path);
    FollowSelection();
    return row;
}

void TFrmPicture::RowMeasured(quint64 id, const ly::AlbumPictureInfo &info)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = ListView1->topLevelItem(i);
        if (row->data(ColName, kRowIdRole).toULongLong() != id)
            continue;
        row->setText(ColSize, info.sizeText);
        row->setText(ColPixels, info.pixelText());
        const bool marked = !info.exists || !info.readable;
        // A missing or damaged picture keeps its row (and its place in the album), marked.
        row->setData(ColName, kMarkedRole, marked);
        for (int c = 0; c < ColumnCount; ++c)
            row->setForeground(c, marked ? QBrush(kMarkedColor) : QBrush());
        row->setToolTip(ColName, !info.exists     ? QStringLiteral("The picture file is missing.")
                                 : !info.readable ? QStringLiteral("The picture file cannot be read.")
                                                  : QString());
        if (row == SelectedRow())
            LblPixel->setText(row->text(ColPixels));
        return;
    }
}

void TFrmPicture::Reset()
{
    for (QWidget *w : std::initializer_list<QWidget *>{BtnDelOne, BtnDelAll, BtnUp, BtnDown, BtnPicStyle})
        w->setEnabled(false);
    BtnDelAll->setEnabled(ListView1->topLevelItemCount() > 0);
    PicTransition1->hide();
    LblFilePath->clear();
    LblPixel->clear();
}

void TFrmPicture::FollowSelection()
{
    const bool rows = ListView1->topLevelItemCount() > 0;
    const bool selected = SelectedRow() != nullptr;
    BtnDelAll->setEnabled(rows);
    for (QWidget *w : std::initializer_list<QWidget *>{BtnDelOne, BtnUp, BtnDown, BtnPicStyle})
        w->setEnabled(rows && selected);
}

bool TFrmPicture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *e = static_cast<QMouseEvent *>(event);
        QTreeWidgetItem *at = ListView1->itemAt(e->position().toPoint());
        m_pressOnSelected = at && at == SelectedRow();
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmPicture::SetStyleOfIndex(int index)
{
    const int style = ly::AlbumStyleOfIndex(index);
    PicTransition1->SetStyle(style != 0 ? style
                                        : 1 + int(QRandomGenerator::global()->bounded(ly::kAlbumStyleCount)));
}

void TFrmPicture::ListView1Click()
{
    FollowSelection();
    QTreeWidgetItem *row = SelectedRow();
    if (!row) {
        if (ListView1->topLevelItemCount() == 0)
            Reset();
        return;
    }
    PlayRow(row);
}

void TFrmPicture::PlayRow(QTreeWidgetItem *row)
{
    // A transition still running gives way to the picture now chosen.
    if (PicTransition1->Busy())
        PicTransition1->Stop();
    const QString path = RowPath(row);
    LblFilePath->setText(path);
    LblPixel->setText(row->text(ColPixels));
    SetStyleOfIndex(row->text(ColEffectIndex).toInt());
    m_wantedPicture = path;
    m_pictureLoader->Read(path, PnlPicture->size());
}

void TFrmPicture::PictureLoaded(const ly::PictureFile &picture)
{
    if (picture.file != m_wantedPicture)
        return;
    m_wantedPicture.clear();
    if (!picture.ok()) {
        PicTransition1->hide();
        return;
    }
    if (PicTransition1->Busy())
        PicTransition1->Stop();
    PicTransition1->setGeometry(ly::FitPictureRect(picture.fullSize, PnlPicture->size()));
    PicTransition1->SetPicture(picture.image);
    PicTransition1->show();
    if (!PicTransition1->Busy() && !PicTransition1->Empty())
        PicTransition1->Execute();
}

void TFrmPicture::PicTransition1Click()
{
    if (!LblFilePath->text().isEmpty())
        m_main.ShowPicturePreview(LblFilePath->text());
}

void TFrmPicture::StopMedia()
{
    PicTransition1->Stop();
}

void TFrmPicture::BtnPicAddClick()
{
    TFrmLoadMorePic chooser(this);
    chooser.setLibrarySection(QStringLiteral("DirPicSet"));
    chooser.setTargetFolder(ProjectFolder() + QStringLiteral("Picture"));
    chooser.setAddPicture([this](const QString &path) { AddPicture(path); });
    chooser.setIsListed([this](const QString &name) { return Lists(name); });
    chooser.ShowModal();
}

void TFrmPicture::BtnDelOneClick()
{
    QTreeWidgetItem *row = SelectedRow();
    if (ListView1->topLevelItemCount() == 0 || !row)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"),
                    QStringLiteral("Do you really need to delete this document?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes)
        return;
    PicTransition1->Stop();
    if (!ly::RemoveRowSelectingNeighbour(ListView1, row)) {
        Reset();
        return;
    }
    ListView1Click();
}

void TFrmPicture::BtnDelAllClick()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"),
                    QStringLiteral("Do you really need to delete All document"),
                    QMessageBox::Yes | QMessageBox::No, this);
    if (box.exec() != QMessageBox::Yes)
        return;
    PicTransition1->Stop();
    m_wantedPicture.clear();
    ListView1->clear();
    Reset();
}

void TFrmPicture::BtnUpClick()
{
    ly::MoveListItemUp(ListView1, BtnUp, BtnDown);
}

void TFrmPicture::BtnDownClick()
{
    ly::MoveListItemDown(ListView1, BtnUp, BtnDown);
}

// ---- Effect page ----------------------------------------------------------------------------

void TFrmPicture::BtnPicStyleClick()
{
    QTreeWidgetItem *row = SelectedRow();
    if (!row)
        return;
    m_rememberedName = row->text(ColEffect);
    m_rememberedIndex = std::clamp(row->text(ColEffectIndex).toInt(), 0, TreeView1->topLevelItemCount() - 1);
    {
        const QSignalBlocker block(TreeView1);
        TreeView1->clearSelection();
        if (QTreeWidgetItem *node = TreeView1->topLevelItem(m_rememberedIndex)) {
            TreeView1->setCurrentItem(node);
            node->setSelected(true);
            TreeView1->scrollToItem(node, QAbstractItemView::PositionAtCenter);
        }
    }
    Notebook1->setCurrentWidget(StylePic);
}

void TFrmPicture::TreeView1Change()
{
    const QList<QTreeWidgetItem *> selected = TreeView1->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem *node = selected.first();
    const int index = TreeView1->indexOfTopLevelItem(node);
    SetStyleOfIndex(index);
    if (PicTransition1->Busy())
        PicTransition1->Stop();
    if (!PicTransition1->Empty() && PicTransition1->isVisible())
        PicTransition1->Execute();
    m_rememberedName = node->text(0);
    m_rememberedIndex = index;
}

void TFrmPicture::TreeView1DblClick()
{
    TreeView1Change();
    BtnApplyClick();
}

void TFrmPicture::BtnApplyClick()
{
    Notebook1->setCurrentWidget(LoadPic);
    if (QTreeWidgetItem *row = SelectedRow()) {
        row->setText(ColEffect, m_rememberedName);
        row->setText(ColEffectIndex, QString::number(m_rememberedIndex));
    }
}

// ---- Load and save --------------------------------------------------------------------------

void TFrmPicture::LoadStep(const ly::ProjectDocument &project)
{
    const QString file = project.CurrentProjectFile();
    if (!ly::ini::hasSection(file, kSection))
        return;
    const QString folder = project.ProjectFolder();
    const ly::FrmPictureSection s = ly::ReadFrmPictureSection(file);
    Edt_pix1->setValue(s.clientWidth);
    Edt_pix2->setValue(s.clientHeight);
    if (s.frame) {
        ComboBoxEx->addItem(ly::kProjectFrameEntry, true);
        ComboBoxEx->setCurrentIndex(ComboBoxEx->count() - 1);
    }
    if (!s.fillPicture.isEmpty()) {
        const QString fill = ly::FileInFolder(folder + QStringLiteral("Res"), s.fillPicture);
        Edit1->setText(fill);
        if (QFileInfo(fill).isFile())
            SetFill(fill);
    }
    (s.showMode == 3 ? RadioButton3 : s.showMode == 2 ? RadioButton2 : RadioButton1)->setChecked(true);
    CheckScreen->setChecked(s.fullScreen);
    EdtSecond->setValue(s.seconds);
    for (const ly::AlbumPicture &picture : s.pictures) {
        QTreeWidgetItem *row =
            AddPicture(ly::FileInFolder(folder + QStringLiteral("Picture"), picture.name));
        if (!row)
            continue;
        row->setText(ColEffect, picture.styleName);
        row->setText(ColEffectIndex, QString::number(picture.styleIndex));
    }
}

void TFrmPicture::SaveStep(const ly::ProjectDocument &project)
{
    const QString folder = project.ProjectFolder();
    ly::FrmPictureSection s;
    s.clientWidth = Edt_pix1->value();
    s.clientHeight = Edt_pix2->value();
    const int frame = ComboBoxEx->currentIndex();
    s.frame = frame > 0;
    // Copy failures are not reported: the keys still say what the user chose.
    if (s.frame && !ComboBoxEx->itemData(frame).toBool())
        ly::CopyFrameSet(FrameFolderOf(frame), folder);
    const QString fill = Edit1->text().trimmed();
    if (!fill.isEmpty())
        s.fillPicture = ly::CopyFillPicture(fill, folder);
    s.showMode = RadioButton3->isChecked() ? 3 : RadioButton2->isChecked() ? 2 : 1;
    s.seconds = EdtSecond->value();
    s.fullScreen = CheckScreen->isChecked();
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ListView1->topLevelItem(i);
        ly::CopyAlbumPicture(row->text(ColFolder), row->text(ColName), folder);
        s.pictures.append({row->text(ColName), row->text(ColEffect), row->text(ColEffectIndex).toInt()});
    }
    ly::WriteFrmPictureSection(project.CurrentProjectFile(), s);
}
