#include "editor/widgets/PictureTextUnit.h"

#include "control/widgets/LyBevel.h"
#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyControlSize.h"
#include "control/widgets/LyFontDialog.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImage.h"
#include "control/widgets/LyLinkLabel.h"
#include "control/widgets/LyPanel.h"
#include "control/widgets/RzLabel.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/ControlUnit.h"
#include "editor/widgets/LoadOnePicUnit.h"
#include "editor/widgets/LoadTextUnit.h"
#include "editor/widgets/MainUnit.h"
#include "shared/Error.h"
#include "shared/Ini.h"
#include "shared/Maker.h"
#include "shared/Paths.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/Notice.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace fc = ly::framecard;
using fc::ComponentId;
using fc::Field;
using fc::Kind;

namespace {

constexpr int kImageRole = Qt::UserRole + 1;
const QString kBackgroundName = QStringLiteral("PnlMain");
const QString kEnterHint = QStringLiteral("Please click the Enter key");

// The left column: the object list, then the property pages.
constexpr int kLeftWidth = 330;
constexpr int kPageTop = 176;
constexpr int kRowPitch = 24;
constexpr int kLabelWidth = 86;
constexpr int kControlWidth = 72;
constexpr int kColumnWidth = kLabelWidth + kControlWidth + 6;

enum class W { Spin, Edit, ReadOnly, Combo, Color, Chooser };

// One row of a property page: the label, the page control named by its key, and for a chooser
// the "..." button.
struct PageRow
{
    const char *label;
    const char *caption;
    Field field;
    W widget;
    const char *button = nullptr;
    QStringList items = {};
    int defaultIndex = 0;
};

const QStringList kTrueFalse = {QStringLiteral("True"), QStringLiteral("False")};

QList<PageRow> rowsOf(Kind kind)
{
    using F = Field;
    switch (kind) {
    case Kind::SkinPic:
        return {{"FrmPic_LblTop", "Top", F::Top, W::Spin},
                {"FrmPic_LblLeft", "Left", F::Left, W::Spin},
                {"FrmPic_LblWidth", "Width", F::Width, W::Spin},
                {"FrmPic_LblHeight", "Height", F::Height, W::Spin},
                {"FrmPic_LblName", "Name", F::Name, W::ReadOnly},
                {"FrmPic_LblLoadPic", "Load Image", F::Picture, W::Chooser, "FrmPic_BtnPic"},
                {"FrmPic_LblColor", "TransparentColor", F::TransparentColor, W::Color}};
    case Kind::Picture:
        return {{"Pic_LblTop", "Top", F::Top, W::Spin},
                {"Pic_LblLeft", "Left", F::Left, W::Spin},
                {"Pic_LblWidth", "Width", F::Width, W::Spin},
                {"Pic_LblHeight", "Height", F::Height, W::Spin},
                {"Pic_LblName", "Name", F::Name, W::ReadOnly},
                {"Pic_LblPicture", "Filename", F::Picture, W::Chooser, "Pic_BtnPicture"},
                {"Pic_LblAutoSize", "AutoSize", F::AutoSize, W::Combo, nullptr, kTrueFalse, 0},
                {"Pic_LblStrech", "Stretch", F::Stretch, W::Combo, nullptr, kTrueFalse, 1},
                {"Pic_LblTrans", "Transparent", F::PictureTrans, W::Combo, nullptr, kTrueFalse, 0}};
    case Kind::StaticText:
        return {{"StaticLbl_LblTop", "Top", F::Top, W::Spin},
                {"StaticLbl_LblLeft", "Left", F::Left, W::Spin},
                {"StaticLbl_LblWidth", "Width", F::Width, W::Spin},
                {"StaticLbl_LblHeight", "Height", F::Height, W::Spin},
                {"StaticLbl_LblCaption", "Caption", F::Caption, W::Edit},
                {"StaticLbl_LblColor", "Font Color", F::Color, W::Color},
                {"StaticLbl_LblFont", "Font", F::Font, W::Chooser, "StaticLbl_BtnFont"},
                {"StaticLbl_LblName", "Name", F::Name, W::ReadOnly},
                {"StaticLbl_LblTreansparent", "Transparent", F::Transparent, W::Combo, nullptr,
                 kTrueFalse, 0}};
    case Kind::AniText:
        return {{"AniLbl_LblText", "Load Text", F::Text, W::Chooser, "AniLbl_BtnText"},
                {"AniLbl_LblColor", "BackColor", F::Color, W::Color},
                {"AniLbl_LblFont", "Font", F::Font, W::Chooser, "AniLbl_BtnFont"},
                {"AniLbl_LblBorder", "Style", F::Border, W::Combo, nullptr,
                 {QStringLiteral("None"), QStringLiteral("Single")}, 0},
                {"AniLbl_LblEnabled", "MoveFlag", F::Enabled, W::Combo, nullptr, kTrueFalse, 0},
                {"AniLbl_LblInterval", "Interval", F::Interval, W::Spin},
                {"AniLbl_LblAniStyle", "Move Direction", F::Motion, W::Combo, nullptr,
                 {QStringLiteral("BtmToTop"), QStringLiteral("LeftToRight"),
                  QStringLiteral("RightToLeft"), QStringLiteral("TtopToBtm")}, 0},
                {"AniLbl_LblTrans", "Transparent", F::Transparent, W::Combo, nullptr, kTrueFalse, 0},
                {"AniLbl_LblTop", "Top", F::Top, W::Spin},
                {"AniLbl_LblLeft", "Left", F::Left, W::Spin},
                {"AniLbl_LblWidth", "Width", F::Width, W::Spin},
                {"AniLbl_LblHeight", "Height", F::Height, W::Spin},
                {"AniLbl_LblName", "Name", F::Name, W::ReadOnly}};
    case Kind::UrlText:
        return {{"URLLbl_LblTop", "Top", F::Top, W::Spin},
                {"URLLbl_LblLeft", "Left", F::Left, W::Spin},
                {"URLLbl_LblName", "Name", F::Name, W::ReadOnly},
                {"URLLbl_LblCaption", "Caption", F::Caption, W::Edit},
                {"URLLbl_LblFont", "Font", F::Font, W::Chooser, "URLLbl_BtnFont"},
                {"URLLbl_LblLink", "LinkColor", F::LinkColor, W::Color},
                {"URLLbl_LblHover", "HoverColor", F::HoverColor, W::Color},
                {"URLLbl_LblUrl", "OpenURL", F::Url, W::Edit}};
    case Kind::Bevel:
        return {{"Bevel_LblTop", "Top", F::Top, W::Spin},
                {"Bevel_LblLeft", "Left", F::Left, W::Spin},
                {"Bevel_Width", "Width", F::Width, W::Spin},
                {"Bevel_LblHeight", "Height", F::Height, W::Spin},
                {"Bevel_LblName", "Name", F::Name, W::ReadOnly},
                {"Bevel_LblShape", "Shape", F::Shape, W::Combo, nullptr,
                 {QStringLiteral("bsBottomLine"), QStringLiteral("bsBox"), QStringLiteral("bsFrame"),
                  QStringLiteral("bsLeftLine"), QStringLiteral("bsRightLine"),
                  QStringLiteral("bsSpacer"), QStringLiteral("bsTopLine")}, 1},
                {"Bevel_LblStyle", "Style", F::BevelStyle, W::Combo, nullptr,
                 {QStringLiteral("bsLowered"), QStringLiteral("bsRaised")}, 0}};
    }
    return {};
}

bool isBound(Field field)
{
    return field == Field::Top || field == Field::Left || field == Field::Width
           || field == Field::Height;
}

// The kind images of the object list and the tools, drawn: a letter on a tinted square.
QIcon kindIcon(int image)
{
    static const struct { const char *glyph; QRgb tint; } looks[] = {
        {"B", 0x808080}, {"F", 0x573b9c}, {"P", 0x2e7d32}, {"T", 0x1565c0},
        {"M", 0xc62828}, {"U", 0x0277bd}, {"V", 0x6d4c41}};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(looks[image].tint));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QLatin1String(looks[image].glyph));
    p.end();
    return QIcon(pixmap);
}

QIcon selectIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const QPointF arrow[] = {{3, 1}, {3, 14}, {6.5, 10.5}, {9, 15}, {11, 14}, {8.5, 9.5}, {13, 9.5}};
    p.drawPolygon(arrow, 7);
    p.end();
    return QIcon(pixmap);
}

template <class Control>
Control *placed(Control *control, int x, int y, int w, int h)
{
    control->setGeometry(x, y, w, h);
    return control;
}

QSpinBox *spinField(QWidget *parent, const QString &name, int min, int max)
{
    auto *spin = ly::Named(new QSpinBox(parent), name);
    spin->setRange(min, max);
    spin->setGroupSeparatorShown(true);
    spin->setToolTip(kEnterHint);
    return spin;
}

void setQuietly(QSpinBox *spin, int value)
{
    const QSignalBlocker quiet(spin);
    spin->setValue(value);
}

void setQuietly(QComboBox *combo, int index)
{
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

void setQuietly(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker quiet(edit);
    edit->setText(text);
}

} // namespace

TFrmPictureText::TFrmPictureText(TFrmMain &main)
    : QWidget(main.PnlDock)
    , m_main(main)
    , m_projectFile(main.CurrentProjectFile())
{
    setObjectName(QStringLiteral("FrmPictureText"));
    setAutoFillBackground(true);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    // ---- Left: the object list ----
    LblObject = placed(new QLabel(this), 6, 4, 120, 22);
    const auto listButton = [this](const char *name, QStyle::StandardPixmap icon, int x) {
        auto *button = ly::Named(new QToolButton(this), QLatin1String(name));
        button->setAutoRaise(true);
        button->setIcon(style()->standardIcon(icon));
        button->setGeometry(x, 2, 26, 26);
        return button;
    };
    BtnUp = listButton("BtnUp", QStyle::SP_ArrowUp, 196);
    BtnDown = listButton("BtnDown", QStyle::SP_ArrowDown, 228);
    BtnDelete = listButton("BtnDelete", QStyle::SP_TrashIcon, 260);
    BtnPreview = listButton("BtnPreview", QStyle::SP_MediaPlay, 298);
    ListViewTitle = placed(ly::Named(new QTreeWidget(this), QStringLiteral("ListViewTitle")), 6,
                           30, kLeftWidth - 6, kListHeight);
    ListViewTitle->setColumnCount(ColumnCount);
    ListViewTitle->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Select"),
                                    QStringLiteral("Component")});
    ListViewTitle->setRootIsDecorated(false);
    ListViewTitle->setUniformRowHeights(true);
    ListViewTitle->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewTitle->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewTitle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewTitle->setColumnWidth(ColCaption, 130);
    ListViewTitle->setColumnWidth(ColMark, 50);
    ListViewTitle->installEventFilter(this);
    LblProperties = placed(new QLabel(this), 6, kPageTop - 22, 200, 20);

    Notebook = placed(ly::Named(new QStackedWidget(this), QStringLiteral("Notebook")), 6, kPageTop,
                      kLeftWidth - 6, kClientHeight - kPageTop - 4);
    BuildPages();

    // ---- Right: the tools and the surface's area ----
    ToolGroup = new QButtonGroup(this);
    ToolGroup->setExclusive(true);
    const struct { QToolButton **button; const char *name; int tool; } tools[] = {
        {&BtnSelect, "BtnSelect", ToolSelect},   {&BtnFrameBmp, "BtnFrameBmp", ToolFrameBmp},
        {&BtnPic, "BtnPic", ToolPic},            {&BtnText, "BtnText", ToolText},
        {&BtnLyText, "BtnLyText", ToolLyText},   {&BtnURLText, "BtnURLText", ToolURLText},
        {&BtnBevel, "BtnBevel", ToolBevel}};
    int x = kLeftWidth + 8;
    for (const auto &t : tools) {
        auto *button = ly::Named(new QToolButton(this), QLatin1String(t.name));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(t.tool == ToolSelect ? selectIcon() : kindIcon(t.tool));
        button->setGeometry(x, 2, 28, 28);
        x += 30;
        ToolGroup->addButton(button, t.tool);
        *t.button = button;
    }
    BtnSelect->setChecked(true);
    PnlControlTitle = placed(new QLabel(this), x + 12, 6, kClientWidth - x - 16, 20);
    ScrollBoxBlk = placed(ly::Named(new QFrame(this), QStringLiteral("ScrollBoxBlk")),
                          kLeftWidth + 6, 34, kClientWidth - kLeftWidth - 10, kClientHeight - 38);
    ScrollBoxBlk->setFrameShape(QFrame::StyledPanel);
    ScrollBoxBlk->setAutoFillBackground(true);
    ly::SetBaseColor(ScrollBoxBlk, QColor(0x80, 0x80, 0x80));
    QPalette grey = ScrollBoxBlk->palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    ScrollBoxBlk->setPalette(grey);

    connect(ListViewTitle, &QTreeWidget::itemClicked, this,
            ly::Guarded(this, &TFrmPictureText::ListViewTitleClick));
    connect(BtnUp, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPictureText::BtnUpClick));
    connect(BtnDown, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPictureText::BtnDownClick));
    connect(BtnDelete, &QToolButton::clicked, this,
            ly::Guarded(this, &TFrmPictureText::BtnDeleteClick));
    connect(BtnPreview, &QToolButton::clicked, this,
            ly::Guarded(this, &TFrmPictureText::BtnPreviewClick));
    connect(ToolGroup, &QButtonGroup::idClicked, this, ly::Guarded(this, &TFrmPictureText::ToolClick));

    LoadTexts();
    m_surface = new TFrmControl(*this);
    // The "Background" row and the card window page.
    AddRow(QStringLiteral("Background"), fc::kBackgroundImage, kBackgroundName);
    Mark(QString());
    ShowKindPage(fc::kBackgroundImage);
}

TFrmPictureText::~TFrmPictureText()
{
    delete m_surface;
}

// ---- The pages ------------------------------------------------------------------------------

void TFrmPictureText::BuildPages()
{
    // The card window page.
    auto *page = ly::Named(new QWidget, QStringLiteral("NoteMain"));
    const auto label = [this](QWidget *parent, const char *name, int row, int column) {
        // A label is known by its caption.
        auto *l = new QLabel(parent);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(column * kColumnWidth, 4 + row * kRowPitch, kLabelWidth, 20);
        m_fields.insert(QString::fromLatin1(name).toLower(), l);
        return l;
    };
    const auto at = [](QWidget *w, int row, int column, int width = kControlWidth) {
        w->setGeometry(column * kColumnWidth + kLabelWidth, 2 + row * kRowPitch, width, 22);
        return w;
    };
    const auto combo = [](QWidget *parent, const char *name) {
        return ly::Named(new QComboBox(parent), QLatin1String(name));
    };
    label(page, "NoteMain_LblWidth", 0, 0);
    NoteMain_EdtWidth = static_cast<QSpinBox *>(
        at(spinField(page, QStringLiteral("NoteMain_EdtWidth"), fc::PnlMainSection::kMinSide,
                     fc::PnlMainSection::kMaxSide), 0, 0));
    label(page, "NoteMain_LblHeight", 1, 0);
    NoteMain_EdtHeight = static_cast<QSpinBox *>(
        at(spinField(page, QStringLiteral("NoteMain_EdtHeight"), fc::PnlMainSection::kMinSide,
                     fc::PnlMainSection::kMaxSide), 1, 0));
    label(page, "NoteMain_LblColor", 2, 0);
    NoteMain_ColorBox = static_cast<TlyColorBox *>(
        at(ly::Named(new TlyColorBox(page), QStringLiteral("NoteMain_ColorBox")), 2, 0));
    label(page, "NoteMain_LblStyle", 3, 0);
    NoteMain_ComStyle = static_cast<QComboBox *>(at(combo(page, "NoteMain_ComStyle"), 3, 0));
    label(page, "NoteMain_LblName", 4, 0);
    NoteMain_EdtName = static_cast<QLineEdit *>(
        at(ly::Named(new QLineEdit(page), QStringLiteral("NoteMain_EdtName")), 4, 0));
    NoteMain_EdtName->setToolTip(kEnterHint);
    label(page, "NoteMain_LblStart", 0, 1);
    NoteMain_ComStart = static_cast<QComboBox *>(at(combo(page, "NoteMain_ComStart"), 0, 1));
    // The close location and the lock-up in the screen's centre have no setting behind them:
    // their labels exist with their texts but stay hidden.
    label(page, "NoteMain_LblEnd", 0, 1)->hide();
    label(page, "NoteMain_LblLock", 0, 1)->hide();
    label(page, "NoteMain_LblRandom", 1, 1);
    NoteMain_ComRadcom = static_cast<QComboBox *>(at(combo(page, "NoteMain_ComRadcom"), 1, 1));
    label(page, "NoteMain_LblRate", 2, 1);
    NoteMain_ComAni = static_cast<QComboBox *>(at(combo(page, "NoteMain_ComAni"), 2, 1));
    label(page, "NoteMain_LblIco", 3, 1);
    EdtIco = static_cast<QLineEdit *>(
        at(ly::Named(new QLineEdit(page), QStringLiteral("EdtIco")), 3, 1, kControlWidth - 24));
    EdtIco->setReadOnly(true);
    BtnIco = ly::Named(new QToolButton(page), QStringLiteral("BtnIco"));
    BtnIco->setText(QStringLiteral("..."));
    BtnIco->setGeometry(kColumnWidth + kLabelWidth + kControlWidth - 22, 2 + 3 * kRowPitch, 22, 22);
    for (QWidget *w : std::initializer_list<QWidget *>{
             NoteMain_EdtWidth, NoteMain_EdtHeight, NoteMain_ColorBox, NoteMain_ComStyle,
             NoteMain_EdtName, NoteMain_ComStart, NoteMain_ComRadcom, NoteMain_ComAni, EdtIco})
        m_fields.insert(w->objectName().toLower(), w);
    Notebook->addWidget(page);
    m_pages.insert(fc::kBackgroundImage, page);

    connect(NoteMain_EdtWidth, &QSpinBox::valueChanged, this,
            ly::Guarded(this, &TFrmPictureText::CardSizeEdited));
    connect(NoteMain_EdtHeight, &QSpinBox::valueChanged, this,
            ly::Guarded(this, &TFrmPictureText::CardSizeEdited));
    connect(NoteMain_ColorBox, &TlyColorBox::Change, this,
            ly::Guarded(this, &TFrmPictureText::CardColorChanged));
    connect(NoteMain_EdtName, &QLineEdit::textEdited, this,
            ly::Guarded(this, &TFrmPictureText::CardTitleEdited));
    connect(NoteMain_ComStyle, &QComboBox::activated, this,
            ly::Guarded(this, &TFrmPictureText::CardStyleChanged));
    connect(BtnIco, &QToolButton::clicked, this, ly::Guarded(this, &TFrmPictureText::BtnIcoClick));

    for (Kind kind : fc::kKinds) {
        QWidget *kindPage = BuildPage(kind);
        Notebook->addWidget(kindPage);
        m_pages.insert(fc::InfoOf(kind).image, kindPage);
    }
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->installEventFilter(this);
}

QWidget *TFrmPictureText::BuildPage(Kind kind)
{
    auto *page = ly::Named(new QWidget, QLatin1String(fc::InfoOf(kind).page));
    const QList<fc::KeyField> keys = fc::KeysOf(kind);
    const QList<PageRow> rows = rowsOf(kind);
    const int perColumn = (int(rows.size()) + 1) / 2;
    for (int i = 0; i < rows.size(); ++i) {
        const PageRow &r = rows.at(i);
        const QString key = fc::KeyOf(kind, r.field);
        const int row = i % perColumn;
        const int column = i / perColumn;
        auto *label = new QLabel(page);
        label->setObjectName(QLatin1String(r.label));
        label->setGeometry(column * kColumnWidth, 4 + row * kRowPitch, kLabelWidth, 20);
        label->setText(QLatin1String(r.caption));
        m_fields.insert(QString::fromLatin1(r.label).toLower(), label);
        const QRect box(column * kColumnWidth + kLabelWidth, 2 + row * kRowPitch, kControlWidth, 22);
        QWidget *field = nullptr;
        const auto edited = [this, kind, f = r.field] {
            ly::RunGuarded([&] { FieldEdited(kind, f); });
        };
        switch (r.widget) {
        case W::Spin: {
            const bool place = r.field == Field::Top || r.field == Field::Left;
            auto *spin = r.field == Field::Interval ? spinField(page, key, 1, 3600000)
                                                    : spinField(page, key, place ? -9999 : 0, 9999);
            connect(spin, &QSpinBox::valueChanged, this, edited);
            if (auto *edit = spin->findChild<QLineEdit *>())
                connect(edit, &QLineEdit::returnPressed, this, [this] {
                    ly::RunGuarded([&] { m_surface->Reattach(); });
                });
            field = spin;
            break;
        }
        case W::Edit:
        case W::ReadOnly:
        case W::Chooser: {
            auto *edit = ly::Named(new QLineEdit(page), key);
            edit->setReadOnly(r.widget != W::Edit);
            if (r.widget == W::Edit) {
                edit->setToolTip(kEnterHint);
                connect(edit, &QLineEdit::textEdited, this, edited);
                if (r.field == Field::Caption)
                    connect(edit, &QLineEdit::returnPressed, this, [this] {
                        ly::RunGuarded([&] { m_surface->Reattach(); });
                    });
            }
            field = edit;
            break;
        }
        case W::Combo: {
            auto *combo = ly::Named(new QComboBox(page), key);
            connect(combo, &QComboBox::activated, this, edited);
            field = combo;
            break;
        }
        case W::Color: {
            auto *color = ly::Named(new TlyColorBox(page), key);
            connect(color, &TlyColorBox::Change, this, edited);
            field = color;
            break;
        }
        }
        if (r.widget == W::Chooser) {
            field->setGeometry(box.adjusted(0, 0, -24, 0));
            auto *button = ly::Named(new QToolButton(page), QLatin1String(r.button));
            button->setText(QStringLiteral("..."));
            button->setGeometry(box.right() - 21, box.top(), 22, 22);
            m_fields.insert(QString::fromLatin1(r.button).toLower(), button);
            if (r.field == Field::Font)
                connect(button, &QToolButton::clicked, this,
                        [this, kind] { ly::RunGuarded([&] { FontClick(kind); }); });
            else if (kind == Kind::SkinPic)
                connect(button, &QToolButton::clicked, this,
                        ly::Guarded(this, &TFrmPictureText::FrmPicLoadClick));
            else if (kind == Kind::Picture)
                connect(button, &QToolButton::clicked, this,
                        ly::Guarded(this, &TFrmPictureText::PicLoadClick));
            else
                connect(button, &QToolButton::clicked, this,
                        ly::Guarded(this, &TFrmPictureText::AniTextLoadClick));
        } else {
            field->setGeometry(box);
        }
        m_fields.insert(key.toLower(), field);
    }
    Q_ASSERT(keys.size() == rows.size());
    return page;
}

void TFrmPictureText::LoadTexts()
{
    LblObject->setText(QStringLiteral("Control Tree"));
    PnlControlTitle->setText(QStringLiteral("Select a Control"));
    LblProperties->setText(QStringLiteral("Control Property"));
    BtnPreview->setToolTip(QStringLiteral("Preview"));
    BtnFrameBmp->setToolTip(QStringLiteral("FormImage"));
    BtnPic->setToolTip(QStringLiteral("Image"));
    BtnText->setToolTip(QStringLiteral("StaticText"));
    BtnLyText->setToolTip(QStringLiteral("WelterText"));
    BtnURLText->setToolTip(QStringLiteral("URLText"));
    BtnBevel->setToolTip(QStringLiteral("Bevel"));
    const char *const captions[][2] = {
        {"NoteMain_LblWidth", "Width Pix"}, {"NoteMain_LblHeight", "Height Pix"},
        {"NoteMain_LblColor", "Blk Color"}, {"NoteMain_LblStyle", "FormStyle"},
        {"NoteMain_LblName", "TitleText"},  {"NoteMain_LblStart", "Show Location"},
        {"NoteMain_LblEnd", "Close Location"}, {"NoteMain_LblLock", "Lockup in Screen Center"},
        {"NoteMain_LblRandom", "Random Move"}, {"NoteMain_LblRate", "Move Velocity"},
        {"NoteMain_LblIco", "Icon"}};
    for (const auto &c : captions)
        static_cast<QLabel *>(PageControl(QLatin1String(c[0])))->setText(QLatin1String(c[1]));
    const auto fill = [](QComboBox *combo, const QStringList &items, int selected) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(selected);
    };
    fill(NoteMain_ComStyle, {QStringLiteral("Dialog"), QStringLiteral("None")}, 0);
    fill(NoteMain_ComStart, {QStringLiteral("Center"), QStringLiteral("LeftTop"),
                             QStringLiteral("RightTop"), QStringLiteral("LeftBottom"),
                             QStringLiteral("RightBottom")}, 0);
    fill(NoteMain_ComRadcom, kTrueFalse, 0);
    fill(NoteMain_ComAni, {QStringLiteral("Standard"), QStringLiteral("Rapidness"),
                           QStringLiteral("Slow")}, 0);
    for (Kind kind : fc::kKinds)
        for (const PageRow &r : rowsOf(kind))
            if (r.widget == W::Combo)
                fill(static_cast<QComboBox *>(FieldOf(kind, r.field)), r.items, r.defaultIndex);
}

QWidget *TFrmPictureText::FieldOf(Kind kind, Field field) const
{
    return PageControl(fc::KeyOf(kind, field));
}

QString TFrmPictureText::PageName(Kind kind) const
{
    auto *edit = qobject_cast<QLineEdit *>(FieldOf(kind, Field::Name));
    return edit ? edit->text() : QString();
}

QString TFrmPictureText::ProjectFolder() const
{
    return QFileInfo(m_projectFile).path() + QLatin1Char('/');
}

void TFrmPictureText::ValuesToPage(const fc::FrameControl &v)
{
    m_filling = true;
    struct Done
    {
        bool &flag;
        ~Done() { flag = false; }
    } done{m_filling};
    m_pageId = v.id;
    const Kind kind = v.id.kind;
    for (const fc::KeyField &k : fc::KeysOf(kind)) {
        QWidget *w = FieldOf(kind, k.field);
        if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            const QString text = fc::StoredValue(v, k.field);
            setQuietly(spin, text.toInt());
        } else if (auto *color = qobject_cast<TlyColorBox *>(w)) {
            const QSignalBlocker quiet(color);
            color->setSelected(ly::StringToColor(fc::StoredValue(v, k.field)));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            setQuietly(combo, fc::StoredValue(v, k.field).toInt());
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            QString text = fc::StoredValue(v, k.field);
            if (k.field == Field::Picture)
                text = v.picture.isEmpty() ? QString()
                                           : fc::ResolvedPath(ProjectFolder(), v.picture);
            if (k.field == Field::Text) {
                const auto *panel = qobject_cast<TLyPanel *>(m_surface->Control(v.id));
                text = panel && !panel->LyText().isEmpty() ? panel->LyText().first() : QString();
            }
            setQuietly(edit, text);
        }
    }
}

fc::FrameControl TFrmPictureText::PageValues(Kind kind) const
{
    fc::FrameControl v;
    v.id = m_pageId.kind == kind ? m_pageId : ComponentId{kind, 1};
    for (const fc::KeyField &k : fc::KeysOf(kind)) {
        QWidget *w = FieldOf(kind, k.field);
        int number = 0;
        QString text;
        ly::TColor color = ly::clWhite;
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            number = spin->value();
        else if (auto *box = qobject_cast<TlyColorBox *>(w))
            color = box->Selected();
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            number = std::max(0, combo->currentIndex());
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            text = edit->text().trimmed();
        switch (k.field) {
        case Field::Top: v.top = number; break;
        case Field::Left: v.left = number; break;
        case Field::Width: v.width = number; break;
        case Field::Height: v.height = number; break;
        case Field::Name: v.name = text; break;
        case Field::Picture: v.picture = text.isEmpty() ? QString() : QFileInfo(text).fileName(); break;
        case Field::TransparentColor: v.transparentColor = color; break;
        case Field::AutoSize: v.autoSize = number; break;
        case Field::Stretch: v.stretch = number; break;
        case Field::PictureTrans: v.pictureTrans = number; break;
        case Field::Caption: v.caption = static_cast<QLineEdit *>(w)->text(); break;
        case Field::Color: v.color = color; break;
        case Field::Font: v.font = text; break;
        case Field::Transparent: v.transparent = number; break;
        case Field::Text: v.text = fc::AniTextFileName(v.id); break;
        case Field::Border: v.border = number; break;
        case Field::Enabled: v.enabled = number; break;
        case Field::Interval: v.interval = number; break;
        case Field::Motion: v.motion = number; break;
        case Field::LinkColor: v.linkColor = color; break;
        case Field::HoverColor: v.hoverColor = color; break;
        case Field::Url: v.url = fc::StoredUrl(text); break;
        case Field::Shape: v.shape = number; break;
        case Field::BevelStyle: v.bevelStyle = number; break;
        }
    }
    return v;
}

void TFrmPictureText::WritePage(Kind kind)
{
    if (kind == Kind::SkinPic || kind == Kind::Picture) {
        auto *edit = static_cast<QLineEdit *>(FieldOf(kind, Field::Picture));
        if (!edit->text().isEmpty()) {
            const QString name = fc::CopyIntoRes(edit->text(), ProjectFolder());
            setQuietly(edit, fc::ResolvedPath(ProjectFolder(), name));
        }
    }
    if (kind == Kind::AniText && !m_surface->Selected())
        return;
    fc::WriteFrameControl(m_projectFile, PageValues(kind));
}

void TFrmPictureText::WriteKey(Kind kind, Field field)
{
    fc::WriteFrameKey(m_projectFile, PageValues(kind), field);
}

QWidget *TFrmPictureText::SelectedOf(Kind kind) const
{
    QWidget *selected = m_surface->Selected();
    const std::optional<ComponentId> id =
        selected ? fc::ParseComponentName(selected->objectName()) : std::nullopt;
    return id && id->kind == kind && *id == m_pageId ? selected : nullptr;
}

void TFrmPictureText::FieldEdited(Kind kind, Field field)
{
    if (m_filling)
        return;
    QWidget *control = SelectedOf(kind);
    if (!control)
        return;
    QWidget *w = FieldOf(kind, field);
    const int number = [w] {
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            return spin->value();
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return std::max(0, combo->currentIndex());
        return 0;
    }();
    const ly::TColor color = qobject_cast<TlyColorBox *>(w)
                                 ? static_cast<TlyColorBox *>(w)->Selected()
                                 : ly::clWhite;
    const QString text = qobject_cast<QLineEdit *>(w) ? static_cast<QLineEdit *>(w)->text() : QString();
    if (isBound(field)) {
        QRect g = control->geometry();
        switch (field) {
        case Field::Top: g.moveTop(number); break;
        case Field::Left: g.moveLeft(number); break;
        case Field::Width: g.setWidth(number); break;
        default: g.setHeight(number); break;
        }
        control->setGeometry(g);
    }
    switch (kind) {
    case Kind::SkinPic:
        break;
    case Kind::Picture: {
        auto *image = static_cast<TLyImage *>(control);
        if (field == Field::AutoSize) {
            image->setAutoSize(number == 0);
            m_surface->Reattach();
        } else if (field == Field::Stretch) {
            image->setStretch(number == 0);
        } else if (field == Field::PictureTrans) {
            image->setTransparent(number == 0);
        }
        break;
    }
    case Kind::StaticText: {
        auto *label = static_cast<TRzLabel *>(control);
        if (field == Field::Caption)
            label->setCaption(text);
        else if (field == Field::Color)
            label->setHighlightColor(ly::ToQColor(color));
        else if (field == Field::Transparent)
            label->setTransparent(number == 0);
        break;
    }
    case Kind::AniText: {
        auto *panel = static_cast<TLyPanel *>(control);
        switch (field) {
        case Field::Interval: panel->setLyInterval(number); break;
        case Field::Color: panel->setColor(ly::ToQColor(color)); break;
        case Field::Border: panel->setSingleBorder(number != 0); break;
        case Field::Enabled: panel->setLyEnabled(number == 0); break;
        case Field::Motion:
            panel->setLyStyle(TLyPanel::TLyStyle(int(fc::TextMotionOfIndex(number))));
            break;
        case Field::Transparent:
            panel->setLyTransparent(number == 0);
            if (number != 0)
                panel->setColor(ly::ToQColor(
                    static_cast<TlyColorBox *>(FieldOf(kind, Field::Color))->Selected()));
            break;
        default: break;
        }
        break;
    }
    case Kind::UrlText:
        if (field == Field::Caption)
            static_cast<TlyLinkLabel *>(control)->setCaption(text);
        break;
    case Kind::Bevel: {
        auto *bevel = static_cast<TlyBevel *>(control);
        if (field == Field::Shape)
            bevel->setShape(TlyBevel::TBevelShape(int(fc::BevelShapeOfIndex(number))));
        else if (field == Field::BevelStyle)
            bevel->setStyle(number != 0 ? TlyBevel::bsRaised : TlyBevel::bsLowered);
        break;
    }
    }
    WriteKey(kind, field);
}

// ---- Load and save --------------------------------------------------------------------------

void TFrmPictureText::LoadStep(const ly::ProjectDocument &project)
{
    m_projectFile = project.CurrentProjectFile();
    LoadFrameCard(m_projectFile);
}

void TFrmPictureText::SaveStep(const ly::ProjectDocument &project)
{
    SaveFrameCard(project.CurrentProjectFile());
}

void TFrmPictureText::LoadFrameCard(const QString &projectFile)
{
    if (!fc::HasPnlMain(projectFile))
        return;
    const fc::PnlMainSection s = fc::ReadPnlMain(projectFile);
    setQuietly(NoteMain_EdtWidth, s.width);
    setQuietly(NoteMain_EdtHeight, s.height);
    {
        const QSignalBlocker quiet(NoteMain_ColorBox);
        NoteMain_ColorBox->setSelected(s.color);
    }
    setQuietly(NoteMain_ComStyle, s.style);
    setQuietly(NoteMain_EdtName, s.title);
    setQuietly(NoteMain_ComStart, s.start);
    setQuietly(NoteMain_ComRadcom, s.random);
    setQuietly(NoteMain_ComAni, s.velocity);
    const QString icon = s.icon.isEmpty() ? QString() : fc::ResolvedPath(ProjectFolder(), s.icon);
    setQuietly(EdtIco, icon);

    m_surface->SetWindowStyle(s.style);
    m_surface->SetClientSize(QSize(s.width, s.height));
    m_surface->SetCardColor(s.color);
    m_surface->SetTitle(s.title);
    if (!icon.isEmpty())
        m_surface->SetTitleIcon(icon);
    // Back-most first: each control comes in front of the ones before, and its row on top.
    for (const fc::FrameItem &item : fc::ReadPictureTextItems(projectFile))
        m_surface->CreateStored(fc::ReadFrameControl(projectFile, item.id), item.caption);
    setQuietly(NoteMain_EdtWidth, m_surface->ClientSize().width());
    setQuietly(NoteMain_EdtHeight, m_surface->ClientSize().height());
}

void TFrmPictureText::SaveFrameCard(const QString &projectFile)
{
    QList<fc::FrameItem> items;
    for (int row = ListViewTitle->topLevelItemCount() - 2; row >= 0; --row) {
        const QTreeWidgetItem *item = ListViewTitle->topLevelItem(row);
        if (const std::optional<ComponentId> id = fc::ParseComponentName(item->text(ColName)))
            items.append({*id, item->text(ColCaption)});
    }
    fc::WritePictureText(projectFile, items);
    fc::PnlMainSection s;
    s.width = NoteMain_EdtWidth->value();
    s.height = NoteMain_EdtHeight->value();
    s.color = NoteMain_ColorBox->Selected();
    s.style = std::max(0, NoteMain_ComStyle->currentIndex());
    s.title = NoteMain_EdtName->text();
    s.start = std::max(0, NoteMain_ComStart->currentIndex());
    s.random = std::max(0, NoteMain_ComRadcom->currentIndex());
    s.velocity = std::max(0, NoteMain_ComAni->currentIndex());
    if (!EdtIco->text().isEmpty()) {
        s.icon = fc::CopyIntoRes(EdtIco->text(), QFileInfo(projectFile).path());
        setQuietly(EdtIco, fc::ResolvedPath(QFileInfo(projectFile).path(), s.icon));
    }
    fc::WritePnlMain(projectFile, s);
}

// ---- Showing --------------------------------------------------------------------------------

void TFrmPictureText::ShowPage()
{
    EditorWindow::ShowPage();
    m_surface->show();
    m_surface->raise();
    PlaceSurface();
}

void TFrmPictureText::HideFloatingWindows()
{
    m_surface->hide();
}

void TFrmPictureText::PlaceSurface()
{
    m_surface->move(ScrollBoxBlk->mapToGlobal(ScrollBoxBlk->contentsRect().topLeft()));
}

void TFrmPictureText::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TFrmPictureText::FormShow()
{
    setQuietly(NoteMain_EdtWidth, m_surface->ClientSize().width());
    setQuietly(NoteMain_EdtHeight, m_surface->ClientSize().height());
    setQuietly(NoteMain_EdtName, m_surface->Title());
    const QSignalBlocker quiet(NoteMain_ColorBox);
    NoteMain_ColorBox->setSelected(m_surface->CardColor());
}

void TFrmPictureText::SurfaceResized(const QSize &clientSize)
{
    setQuietly(NoteMain_EdtWidth, clientSize.width());
    setQuietly(NoteMain_EdtHeight, clientSize.height());
}

bool TFrmPictureText::eventFilter(QObject *watched, QEvent *event)
{
    // Every edit selects its whole text when clicked.
    if (event->type() == QEvent::MouseButtonRelease)
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}

// ---- The object list ------------------------------------------------------------------------

QStringList TFrmPictureText::RowNames() const
{
    QStringList names;
    for (int row = 0; row < ListViewTitle->topLevelItemCount(); ++row)
        names.append(ListViewTitle->topLevelItem(row)->text(ColName));
    return names;
}

QTreeWidgetItem *TFrmPictureText::RowOf(const QString &componentName) const
{
    for (int row = 0; row < ListViewTitle->topLevelItemCount(); ++row)
        if (ListViewTitle->topLevelItem(row)->text(ColName) == componentName)
            return ListViewTitle->topLevelItem(row);
    return nullptr;
}

void TFrmPictureText::AddRow(const QString &caption, int image, const QString &componentName)
{
    auto *item = new QTreeWidgetItem;
    item->setText(ColCaption, caption);
    item->setIcon(ColCaption, kindIcon(image));
    item->setData(ColCaption, kImageRole, image);
    item->setText(ColName, componentName);
    ListViewTitle->insertTopLevelItem(0, item);
}

void TFrmPictureText::Mark(const QString &componentName)
{
    for (int row = 0; row < ListViewTitle->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = ListViewTitle->topLevelItem(row);
        item->setText(ColMark, item->text(ColName) == componentName && !componentName.isEmpty()
                                   ? QStringLiteral("Y")
                                   : QString());
    }
}

void TFrmPictureText::RemoveRow(const QString &componentName)
{
    delete RowOf(componentName);
}

int TFrmPictureText::MarkedRow() const
{
    for (int row = 0; row < ListViewTitle->topLevelItemCount(); ++row)
        if (ListViewTitle->topLevelItem(row)->text(ColMark) == QLatin1String("Y"))
            return row;
    return -1;
}

void TFrmPictureText::ListViewTitleClick()
{
    QTreeWidgetItem *item = ListViewTitle->currentItem();
    if (!item)
        return;
    BtnUp->setEnabled(true);
    BtnDown->setEnabled(true);
    Mark(item->text(ColName));
    m_surface->SelectByName(item->text(ColName), item->data(ColCaption, kImageRole).toInt());
}

void TFrmPictureText::SwapRows(int a, int b)
{
    QTreeWidgetItem *x = ListViewTitle->topLevelItem(a);
    QTreeWidgetItem *y = ListViewTitle->topLevelItem(b);
    for (int c = 0; c < ColumnCount; ++c) {
        const QString t = x->text(c);
        x->setText(c, y->text(c));
        y->setText(c, t);
    }
    const QIcon icon = x->icon(ColCaption);
    x->setIcon(ColCaption, y->icon(ColCaption));
    y->setIcon(ColCaption, icon);
    const QVariant image = x->data(ColCaption, kImageRole);
    x->setData(ColCaption, kImageRole, y->data(ColCaption, kImageRole));
    y->setData(ColCaption, kImageRole, image);
}

void TFrmPictureText::SelectRow(int row)
{
    ListViewTitle->setCurrentItem(ListViewTitle->topLevelItem(row));
}

void TFrmPictureText::RestackFromList()
{
    QList<QWidget *> backToFront;
    for (int row = ListViewTitle->topLevelItemCount() - 2; row >= 0; --row)
        if (QWidget *control = m_surface->Control(ListViewTitle->topLevelItem(row)->text(ColName)))
            backToFront.append(control);
    m_surface->Restack(backToFront);
}

void TFrmPictureText::BtnUpClick()
{
    const int last = ListViewTitle->topLevelItemCount() - 1;
    int i = MarkedRow();
    if (i < 0)
        i = 0;
    if (i == 0 || i == last) {
        BtnUp->setEnabled(false);
        BtnDown->setEnabled(true);
        return;
    }
    BtnUp->setEnabled(true);
    SwapRows(i, i - 1);
    SelectRow(i - 1);
    RestackFromList();
}

void TFrmPictureText::BtnDownClick()
{
    const int last = ListViewTitle->topLevelItemCount() - 1;
    int i = MarkedRow();
    if (i < 0)
        i = 0;
    if (i >= last - 1) {
        BtnUp->setEnabled(true);
        BtnDown->setEnabled(false);
        return;
    }
    BtnUp->setEnabled(true);
    SwapRows(i, i + 1);
    SelectRow(i + 1);
    RestackFromList();
}

void TFrmPictureText::BtnDeleteClick()
{
    for (int row = 0; row < ListViewTitle->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = ListViewTitle->topLevelItem(row);
        if (item->text(ColName) == kBackgroundName)
            return;
        if (item->text(ColMark) == QLatin1String("Y")) {
            if (QWidget *control = m_surface->Control(item->text(ColName)))
                m_surface->DeleteControl(control);
            return;
        }
    }
}

void TFrmPictureText::BtnPreviewClick()
{
    m_main.Preview2Click();
}

// ---- Tools and pages ------------------------------------------------------------------------

int TFrmPictureText::CurrentTool() const
{
    return std::max(0, ToolGroup->checkedId());
}

void TFrmPictureText::SetTool(int tool)
{
    if (QAbstractButton *button = ToolGroup->button(tool))
        button->setChecked(true);
}

void TFrmPictureText::ToolClick()
{
    m_surface->Release();
}

void TFrmPictureText::ShowKindPage(int image)
{
    if (image == fc::kBackgroundImage) {
        Notebook->setCurrentWidget(m_pages.value(fc::kBackgroundImage));
        return;
    }
    QWidget *selected = m_surface->Selected();
    const std::optional<ComponentId> id =
        selected ? fc::ParseComponentName(selected->objectName()) : std::nullopt;
    if (!id || fc::InfoOf(id->kind).image != image)
        return;
    Notebook->setCurrentWidget(m_pages.value(image));
    m_pageId = *id;
    if (ly::ini::hasSection(m_projectFile, fc::ComponentName(*id)))
        ValuesToPage(fc::ReadFrameControl(m_projectFile, *id));
    if (id->kind == Kind::AniText) {
        const auto *panel = static_cast<const TLyPanel *>(selected);
        setQuietly(static_cast<QLineEdit *>(FieldOf(Kind::AniText, Field::Text)),
                   panel->LyText().isEmpty() ? QString() : panel->LyText().first());
    }
}

void TFrmPictureText::FillAndWrite(QWidget *control, const QString &displayName)
{
    const std::optional<ComponentId> id = fc::ParseComponentName(control->objectName());
    if (!id)
        return;
    fc::FrameControl v = m_surface->ControlValues(control);
    v.name = displayName;
    const fc::FrameControl stored = fc::ReadFrameControl(m_projectFile, *id);
    switch (id->kind) {
    case Kind::SkinPic:
        v.picture = stored.picture;
        v.transparentColor = stored.transparentColor;
        break;
    case Kind::Picture:
        v.picture = stored.picture;
        break;
    case Kind::AniText:
        v.motion = stored.motion;
        break;
    case Kind::UrlText:
        v.url = stored.url.isEmpty() ? QString::fromLatin1(ly::maker::kHomePage) : stored.url;
        v.linkColor = stored.linkColor;
        v.hoverColor = stored.hoverColor;
        break;
    case Kind::StaticText:
    case Kind::Bevel:
        break;
    }
    ValuesToPage(v);
    WritePage(id->kind);
}

// ---- Choosers -------------------------------------------------------------------------------

QString TFrmPictureText::ChoosePicture(int initialEntry, const ly::PictureTypes &types)
{
    if (m_pictureChooser)
        return m_pictureChooser(this, initialEntry, types);
    return TFrmLoadOnePic::Choose(this, QStringLiteral("DirBlkSet"), initialEntry, types);
}

void TFrmPictureText::BtnIcoClick()
{
    // Icons only: gif, jpg, jpeg, bmp, ico, emf, wmf.
    const QString path = ChoosePicture(1, {false, false, false, false, true, false, false});
    if (path.isEmpty())
        return;
    setQuietly(EdtIco, path);
    m_surface->SetTitleIcon(path);
}

void TFrmPictureText::FrmPicLoadClick()
{
    QWidget *frame = SelectedOf(Kind::SkinPic);
    if (!frame)
        return;
    const QString path = ChoosePicture(2, {true, true, true, true, false, true, true});
    if (path.isEmpty())
        return;
    // A picture that cannot be shown is refused before anything changes: the card would
    // otherwise carry a frame it cannot draw.
    if (!m_surface->LoadFramePicture(frame, path)) {
        ly::ShowNotice(ly::NoticeError, kInvalidDocument);
        return;
    }
    auto *edit = static_cast<QLineEdit *>(FieldOf(Kind::SkinPic, Field::Picture));
    setQuietly(edit, fc::ResolvedPath(ProjectFolder(), fc::CopyIntoRes(path, ProjectFolder())));
    setQuietly(NoteMain_ComStyle, 1);
    WriteKey(Kind::SkinPic, Field::Picture);
    FillAndWrite(frame, PageName(Kind::SkinPic));
    // The frame becomes the back-most control: its row goes down to just above "Background".
    Mark(frame->objectName());
    const int rows = ListViewTitle->topLevelItemCount();
    for (int step = 0; step < rows && MarkedRow() >= 0 && MarkedRow() < rows - 2; ++step)
        BtnDownClick();
}

void TFrmPictureText::PicLoadClick()
{
    auto *image = qobject_cast<TLyImage *>(SelectedOf(Kind::Picture));
    if (!image)
        return;
    const QString path = ChoosePicture(3, ly::ALL_PICTURE_TYPES);
    if (path.isEmpty())
        return;
    if (!image->LoadFromFile(path)) {
        ly::ShowNotice(ly::NoticeError, kInvalidDocument);
        return;
    }
    image->setAutoSize(false);
    image->setStretch(true);
    auto *edit = static_cast<QLineEdit *>(FieldOf(Kind::Picture, Field::Picture));
    setQuietly(edit, fc::ResolvedPath(ProjectFolder(), fc::CopyIntoRes(path, ProjectFolder())));
    // The lists show what the control now does, and its section says the same.
    setQuietly(static_cast<QComboBox *>(FieldOf(Kind::Picture, Field::AutoSize)), 1);
    setQuietly(static_cast<QComboBox *>(FieldOf(Kind::Picture, Field::Stretch)), 0);
    WriteKey(Kind::Picture, Field::Picture);
    WriteKey(Kind::Picture, Field::AutoSize);
    WriteKey(Kind::Picture, Field::Stretch);
}

void TFrmPictureText::AniTextLoadClick()
{
    auto *panel = qobject_cast<TLyPanel *>(SelectedOf(Kind::AniText));
    if (!panel)
        return;
    TFrmLoadText_English dialog(panel->LyText(), this);
    if (dialog.ShowModal() != Tly_Form::mrOk)
        return;
    const QStringList lines = dialog.Result();
    panel->setLyText(lines);
    setQuietly(static_cast<QLineEdit *>(FieldOf(Kind::AniText, Field::Text)),
               lines.isEmpty() ? QString() : lines.first());
    const QString folder = fc::ResFolder(ProjectFolder());
    ly::EnsureDir(folder);
    fc::WriteTextLines(folder + fc::AniTextFileName(m_pageId), lines);
    WriteKey(Kind::AniText, Field::Text);
}

void TFrmPictureText::FontClick(Kind kind)
{
    QWidget *control = SelectedOf(kind);
    if (!control)
        return;
    ly::TFont font = m_surface->ControlFont(control);
    if (!TlyFontDialog::Execute(this, font))
        return;
    m_surface->SetControlFont(control, font);
    m_surface->Reattach();
    setQuietly(static_cast<QLineEdit *>(FieldOf(kind, Field::Font)), ly::FontToString(font));
    WriteKey(kind, Field::Font);
}

// ---- The card window page -------------------------------------------------------------------

void TFrmPictureText::CardSizeEdited()
{
    m_surface->SetClientSize(QSize(NoteMain_EdtWidth->value(), NoteMain_EdtHeight->value()));
}

void TFrmPictureText::CardColorChanged()
{
    m_surface->SetCardColor(NoteMain_ColorBox->Selected());
}

void TFrmPictureText::CardTitleEdited()
{
    m_surface->SetTitle(NoteMain_EdtName->text());
}

void TFrmPictureText::CardStyleChanged()
{
    m_surface->SetWindowStyle(std::max(0, NoteMain_ComStyle->currentIndex()));
}
