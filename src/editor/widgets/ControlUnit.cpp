#include "editor/widgets/ControlUnit.h"

#include "control/widgets/LyBevel.h"
#include "control/widgets/LyControlSize.h"
#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImage.h"
#include "control/widgets/LyLinkLabel.h"
#include "control/widgets/LyPanel.h"
#include "control/widgets/RzLabel.h"
#include "control/widgets/Skin.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/PictureTextUnit.h"
#include "shared/Maker.h"
#include "shared/Paths.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/Notice.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QWindow>

namespace fc = ly::framecard;
using fc::ComponentId;
using fc::Kind;

namespace {

std::optional<ComponentId> idOf(const QWidget *control)
{
    return control ? fc::ParseComponentName(control->objectName()) : std::nullopt;
}

TlyBevel::TBevelShape bevelShapeOf(int index)
{
    // The model numbers the shapes as the bevel does.
    static_assert(int(fc::BevelShape::Box) == TlyBevel::bsBox
                  && int(fc::BevelShape::Spacer) == TlyBevel::bsSpacer
                  && int(fc::BevelShape::TopLine) == TlyBevel::bsTopLine);
    return TlyBevel::TBevelShape(int(fc::BevelShapeOfIndex(index)));
}

TLyPanel::TLyStyle motionOf(int index)
{
    static_assert(int(fc::TextMotion::LeftToRight) == TLyPanel::LyLToR
                  && int(fc::TextMotion::BottomToTop) == TLyPanel::LyBToT);
    return TLyPanel::TLyStyle(int(fc::TextMotionOfIndex(index)));
}

// Draws the picture of a file into a picture control; the built-in one when it cannot be read.
void loadPictureOrBuiltIn(TLyImage *image, const QString &file, Kind kind)
{
    if (file == fc::kNoFile || !image->LoadFromFile(file))
        image->setPicture(fc::BuiltInPicture(kind));
}

} // namespace

TFrmControl::TFrmControl(TFrmPictureText &designer)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("FrmControl"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *title = new TLyFullPicture(this);
    title->setLyLoadPicture(ly::SkinPicture(QStringLiteral("TitleBar")));
    title->setColor(QColor(0x57, 0x3b, 0x9c));
    PnlTitle = ly::Named(title, QStringLiteral("PnlTitle"));
    ImgIcon = ly::Named(new QLabel(PnlTitle), QStringLiteral("ImgIcon"));
    ImgIcon->setGeometry(5, 5, 20, 20);
    ImgIcon->setScaledContents(true);
    ImgIcon->setPixmap(ly::SkinPicture(QStringLiteral("Icon")));
    Label35 = new QLabel(PnlTitle);
    Label36 = new QLabel(PnlTitle);
    QPalette shadow = Label35->palette();
    shadow.setColor(QPalette::WindowText, Qt::black);
    Label35->setPalette(shadow);
    QPalette white = Label36->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label36->setPalette(white);
    BtnClose = ly::Named(new QToolButton(PnlTitle), QStringLiteral("BtnClose"));
    BtnClose->setAutoRaise(true);
    BtnClose->setIcon(QIcon(ly::SkinPicture(QStringLiteral("BtnExitIdle"))));
    BtnClose->setFocusPolicy(Qt::NoFocus);

    const auto edge = [this](const char *name, const char *picture, Qt::CursorShape cursor) {
        auto *panel = new TLyFullPicture(this);
        panel->setLyLoadPicture(ly::SkinPicture(QLatin1String(picture)));
        panel->setColor(QColor(0x3e, 0x28, 0x78));
        panel->setCursor(cursor);
        panel->installEventFilter(this);
        return ly::Named(panel, QLatin1String(name));
    };
    PnlLeft = edge("PnlLeft", "EdgeLeft", Qt::SizeHorCursor);
    PnlRight = edge("PnlRight", "EdgeRight", Qt::SizeHorCursor);
    PnlBottom = edge("PnlBottom", "EdgeBottom", Qt::SizeVerCursor);
    PnlMain = ly::Named(new TLyFullPicture(this), QStringLiteral("PnlMain"));
    PnlMain->setColor(ly::ToQColor(m_color));
    for (QWidget *part : {PnlTitle, static_cast<QWidget *>(ImgIcon), static_cast<QWidget *>(Label35),
                          static_cast<QWidget *>(Label36), static_cast<QWidget *>(PnlMain)})
        part->installEventFilter(this);

    m_handles = new TlyControlSize(PnlMain);
    m_handles->setGridX(kGrid);
    m_handles->setGridY(kGrid);
    connect(m_handles, &TlyControlSize::OnMouseDown, this,
            ly::Guarded(this, &TFrmControl::HandlesMouseDown));
    connect(m_handles, &TlyControlSize::OnMouseUp, this,
            ly::Guarded(this, &TFrmControl::HandlesMouseUp));
    connect(m_handles, &TlyControlSize::OnKeyDown, this,
            [this](QKeyEvent *event) { ly::RunGuarded([&] { HandlesKeyDown(event); }); });

    PopupMenu1 = new QMenu(this);
    Copy1 = PopupMenu1->addAction(QString());
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = PopupMenu1->addAction(QString());
    Paste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    MenuDelete = PopupMenu1->addAction(QString());
    MenuDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    for (QAction *action : {Copy1, Paste1, MenuDelete}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    m_handles->setPopupMenu(PopupMenu1);
    connect(Copy1, &QAction::triggered, this, ly::Guarded(this, &TFrmControl::Copy1Click));
    connect(Paste1, &QAction::triggered, this, ly::Guarded(this, &TFrmControl::Paste1Click));
    connect(MenuDelete, &QAction::triggered, this, ly::Guarded(this, &TFrmControl::MenuDeleteClick));

    LoadTexts();
    SetClientSize(QSize(320, 240));
}

TFrmControl::~TFrmControl()
{
    // The handles go first, so that no control they frame outlives them half-destroyed.
    delete m_handles;
    m_handles = nullptr;
}

void TFrmControl::LoadTexts()
{
    Label35->setText(QStringLiteral("Window"));
    Label36->setText(Label35->text());
    Label35->adjustSize();
    Label36->adjustSize();
    setWindowTitle(Label35->text());
    Copy1->setText(QStringLiteral("Copy"));
    Paste1->setText(QStringLiteral("Paste"));
    MenuDelete->setText(QStringLiteral("Delete"));
}

// ---- The card window ------------------------------------------------------------------------

QSize TFrmControl::ClientSize() const
{
    return PnlMain->size();
}

void TFrmControl::SetClientSize(const QSize &size)
{
    const QSize client = size.expandedTo(QSize(1, 1));
    if (m_style == 0)
        resize(client.width() + 2 * kBorder, client.height() + kTitleHeight + kBorder);
    else
        resize(client);
    LayOutParts();
}

void TFrmControl::LayOutParts()
{
    const int w = width();
    const int h = height();
    const bool framed = m_style == 0;
    for (QWidget *part : {PnlTitle, PnlLeft, PnlRight, PnlBottom})
        part->setVisible(framed);
    if (framed) {
        PnlTitle->setGeometry(0, 0, w, kTitleHeight);
        PnlLeft->setGeometry(0, kTitleHeight, kBorder, h - kTitleHeight - kBorder);
        PnlRight->setGeometry(w - kBorder, kTitleHeight, kBorder, h - kTitleHeight - kBorder);
        PnlBottom->setGeometry(0, h - kBorder, w, kBorder);
        PnlMain->setGeometry(kBorder, kTitleHeight, std::max(1, w - 2 * kBorder),
                             std::max(1, h - kTitleHeight - kBorder));
        BtnClose->setGeometry(w - 26, 4, 22, 22);
    } else {
        PnlMain->setGeometry(0, 0, w, h);
    }
    // The title over its shadow: the shadow one pixel left and one down.
    Label36->move(32, 7);
    Label35->move(31, 8);
    FitFrame();
}

void TFrmControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayOutParts();
    m_designer.SurfaceResized(ClientSize());
}

void TFrmControl::SetCardColor(ly::TColor color)
{
    m_color = color;
    PnlMain->setLyLoadPicture(QPixmap());
    PnlMain->setColor(ly::ToQColor(color));
}

QString TFrmControl::Title() const
{
    return Label36->text();
}

void TFrmControl::SetTitle(const QString &title)
{
    Label36->setText(title);
    Label35->setText(title);
    Label35->adjustSize();
    Label36->adjustSize();
    setWindowTitle(title);
}

void TFrmControl::SetWindowStyle(int style)
{
    const QSize client = ClientSize();
    m_style = style == 1 ? 1 : 0;
    SetClientSize(client);
}

bool TFrmControl::SetTitleIcon(const QString &file)
{
    QImageReader reader(file);
    const QImage icon = reader.read();
    if (icon.isNull())
        return false;
    ImgIcon->setPixmap(QPixmap::fromImage(icon));
    return true;
}

// The frame picture from the project covers the client area whatever its stored bounds.
void TFrmControl::FitFrame()
{
    if (!m_aligned || m_fitting)
        return;
    m_fitting = true;
    m_aligned->setGeometry(PnlMain->rect());
    m_fitting = false;
}

// ---- The controls ---------------------------------------------------------------------------

QWidget *TFrmControl::Control(ComponentId id) const
{
    if (id.slot < 1 || id.slot > fc::kMaxSlots)
        return nullptr;
    return m_controls[size_t(id.kind)][size_t(id.slot)];
}

QWidget *TFrmControl::Control(const QString &componentName) const
{
    const std::optional<ComponentId> id = fc::ParseComponentName(componentName);
    return id ? Control(*id) : nullptr;
}

ly::TFont TFrmControl::SurfaceFont() const
{
    ly::TFont font;
    font.assignQFont(this->font());
    font.Color = ly::clBlack;
    return font;
}

ly::TFont TFrmControl::ControlFont(QWidget *control) const
{
    return m_fonts.value(control, SurfaceFont());
}

void TFrmControl::SetControlFont(QWidget *control, const ly::TFont &font)
{
    const std::optional<ComponentId> id = idOf(control);
    if (!id)
        return;
    m_fonts.insert(control, font);
    const QFont qfont = font.toQFont(this->font());
    switch (id->kind) {
    case Kind::StaticText:
        static_cast<TRzLabel *>(control)->setTextFont(qfont, ly::ToQColor(font.Color));
        break;
    case Kind::AniText:
        static_cast<TLyPanel *>(control)->setLyFont(qfont, ly::ToQColor(font.Color));
        break;
    case Kind::UrlText: {
        auto *link = static_cast<TlyLinkLabel *>(control);
        link->setTextFont(qfont);
        link->setLinkColor(ly::ToQColor(font.Color));
        break;
    }
    default:
        break;
    }
}

void TFrmControl::Adopt(QWidget *control, ComponentId id)
{
    control->setParent(PnlMain);
    // Text controls are known by their captions (they set them), the others by their names.
    control->setObjectName(fc::ComponentName(id));
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(control->objectName());
    control->installEventFilter(this);
    m_controls[size_t(id.kind)][size_t(id.slot)] = control;
    m_slots.take(id);
    control->show();
    control->raise();
    if (m_handles->isVisible())
        m_handles->raise();
}

QWidget *TFrmControl::CreateNew(Kind kind, int slot, QPoint at)
{
    const ComponentId id{kind, slot};
    QWidget *control = nullptr;
    switch (kind) {
    case Kind::SkinPic:
    case Kind::Picture: {
        auto *image = new TLyImage(PnlMain);
        image->setAutoSize(true);
        image->setPicture(fc::BuiltInPicture(kind));
        image->setAutoSize(false);
        image->setStretch(true);
        image->setTransparent(kind == Kind::Picture);
        control = image;
        break;
    }
    case Kind::StaticText: {
        auto *label = new TRzLabel(PnlMain);
        label->setTransparent(true);
        label->setAutoSize(true);
        label->setCaption(fc::DisplayName(id));
        control = label;
        control->setObjectName(fc::ComponentName(id));
        SetControlFont(control, SurfaceFont());
        break;
    }
    case Kind::AniText: {
        auto *panel = new TLyPanel(PnlMain);
        panel->setLyTransparent(true);
        control = panel;
        control->setObjectName(fc::ComponentName(id));
        SetControlFont(control, SurfaceFont());
        const QString folder = fc::ResFolder(m_designer.ProjectFolder());
        ly::EnsureDir(folder);
        fc::WriteTextLines(folder + fc::AniTextFileName(id), panel->LyText());
        break;
    }
    case Kind::UrlText: {
        auto *link = new TlyLinkLabel(PnlMain);
        link->setTransparent(true);
        link->setCaption(QLatin1String(ly::maker::kHomePage));
        control = link;
        ly::TFont font = SurfaceFont();
        font.Color = ly::clBlue;
        control->setObjectName(fc::ComponentName(id));
        SetControlFont(control, font);
        break;
    }
    case Kind::Bevel: {
        auto *bevel = new TlyBevel(PnlMain);
        bevel->resize(50, 50);
        bevel->setShape(TlyBevel::bsBox);
        bevel->setStyle(TlyBevel::bsLowered);
        control = bevel;
        break;
    }
    }
    control->move(at);
    Adopt(control, id);
    return control;
}

QWidget *TFrmControl::CreateStored(const fc::FrameControl &v, const QString &caption)
{
    const ComponentId id = v.id;
    if (m_slots.used(id) || Control(id))
        return nullptr;
    const QString folder = m_designer.ProjectFolder();
    const QRect bounds(v.left, v.top, v.width, v.height);
    QWidget *control = nullptr;
    switch (id.kind) {
    case Kind::SkinPic: {
        auto *image = new TLyImage(PnlMain);
        image->setAutoSize(true);
        loadPictureOrBuiltIn(image, fc::ResolvedPath(folder, v.picture), id.kind);
        image->setGeometry(bounds);
        image->setAutoSize(false);
        image->setStretch(true);
        control = image;
        m_aligned = image;
        break;
    }
    case Kind::Picture: {
        auto *image = new TLyImage(PnlMain);
        loadPictureOrBuiltIn(image, fc::ResolvedPath(folder, v.picture), id.kind);
        image->setAutoSize(v.autoSize == 0);
        image->setStretch(v.stretch == 0);
        image->setTransparent(v.pictureTrans == 0);
        // The stored bounds are what the card shows, also for a picture of another size now.
        image->setGeometry(bounds);
        control = image;
        break;
    }
    case Kind::StaticText: {
        auto *label = new TRzLabel(PnlMain);
        label->setCaption(v.caption);
        label->setTransparent(v.transparent == 0);
        label->setAutoSize(true);
        label->setHighlightColor(ly::ToQColor(v.color));
        control = label;
        control->setObjectName(fc::ComponentName(id));
        SetControlFont(control, fc::FontOfString(v.font, SurfaceFont()));
        // The label keeps the size it was saved with (sized to its text under the fonts of the
        // machine that saved it); it follows its text again when the text or font changes.
        if (v.width > 0 && v.height > 0)
            label->setGeometry(bounds);
        else
            label->move(bounds.topLeft());
        break;
    }
    case Kind::AniText: {
        auto *panel = new TLyPanel(PnlMain);
        control = panel;
        control->setObjectName(fc::ComponentName(id));
        panel->setSingleBorder(v.border != 0);
        SetControlFont(control, fc::FontOfString(v.font, SurfaceFont()));
        QStringList lines;
        const QString file = fc::ResolvedPath(folder, v.text);
        if (file != fc::kNoFile)
            lines = fc::ReadTextLines(file);
        panel->setLyText(lines.isEmpty() ? QStringList{QString()} : lines);
        panel->setGeometry(bounds);
        panel->setColor(ly::ToQColor(v.color));
        panel->setLyStyle(motionOf(v.motion));
        panel->setLyInterval(v.interval);
        panel->setLyEnabled(v.enabled == 0);
        panel->setLyTransparent(v.transparent == 0);
        break;
    }
    case Kind::UrlText: {
        auto *link = new TlyLinkLabel(PnlMain);
        link->setCaption(v.caption);
        link->setTransparent(true);
        link->move(v.left, v.top);
        control = link;
        control->setObjectName(fc::ComponentName(id));
        ly::TFont font = SurfaceFont();
        font.Color = ly::clBlue;
        SetControlFont(control, fc::FontOfString(v.font, font));
        break;
    }
    case Kind::Bevel: {
        auto *bevel = new TlyBevel(PnlMain);
        bevel->setGeometry(bounds);
        bevel->setStyle(v.bevelStyle != 0 ? TlyBevel::bsRaised : TlyBevel::bsLowered);
        bevel->setShape(bevelShapeOf(v.shape));
        control = bevel;
        break;
    }
    }
    Adopt(control, id);
    FitFrame();
    m_designer.AddRow(caption, fc::InfoOf(id.kind).image, fc::ComponentName(id));
    return control;
}

fc::FrameControl TFrmControl::ControlValues(QWidget *control) const
{
    fc::FrameControl v;
    const std::optional<ComponentId> id = idOf(control);
    if (!id)
        return v;
    v.id = *id;
    v.top = control->y();
    v.left = control->x();
    v.width = control->width();
    v.height = control->height();
    const auto onIndex = [](bool on) { return on ? 0 : 1; };
    switch (id->kind) {
    case Kind::SkinPic:
        break;
    case Kind::Picture: {
        const auto *image = static_cast<const TLyImage *>(control);
        v.autoSize = onIndex(image->AutoSize());
        v.stretch = onIndex(image->Stretch());
        v.pictureTrans = onIndex(image->Transparent());
        break;
    }
    case Kind::StaticText: {
        const auto *label = static_cast<const TRzLabel *>(control);
        v.caption = label->Caption();
        v.color = ly::FromQColor(label->HighlightColor());
        v.font = ly::FontToString(ControlFont(control));
        v.transparent = onIndex(label->Transparent());
        break;
    }
    case Kind::AniText: {
        const auto *panel = static_cast<const TLyPanel *>(control);
        v.color = ly::FromQColor(panel->Color());
        v.font = ly::FontToString(ControlFont(control));
        v.enabled = onIndex(panel->LyEnabled());
        v.interval = panel->LyInterval();
        v.border = panel->SingleBorder() ? 1 : 0;
        v.transparent = onIndex(panel->LyTransparent());
        v.text = fc::AniTextFileName(*id);
        break;
    }
    case Kind::UrlText: {
        const auto *link = static_cast<const TlyLinkLabel *>(control);
        v.caption = link->Caption();
        v.font = ly::FontToString(ControlFont(control));
        break;
    }
    case Kind::Bevel: {
        const auto *bevel = static_cast<const TlyBevel *>(control);
        v.bevelStyle = bevel->Style() == TlyBevel::bsRaised ? 1 : 0;
        v.shape = fc::IndexOfBevelShape(fc::BevelShape(int(bevel->Shape())));
        break;
    }
    }
    return v;
}

// ---- Selecting, creating, deleting ----------------------------------------------------------

void TFrmControl::Select(QWidget *control)
{
    if (m_selected)
        m_handles->Detach(m_selected);
    m_selected = control;
    m_handles->Attach(control);
}

void TFrmControl::Release()
{
    m_selected = nullptr;
    m_handles->DetachAll();
}

void TFrmControl::Reattach()
{
    if (!m_selected)
        return;
    QWidget *control = m_selected;
    m_handles->DetachAll();
    m_handles->Attach(control);
}

void TFrmControl::SelectByName(const QString &componentName, int image)
{
    if (m_selected)
        m_handles->Detach(m_selected);
    m_selected = nullptr;
    if (image >= 1) {
        if (QWidget *control = Control(componentName))
            Select(control);
    } else {
        m_handles->DetachAll();
    }
    m_designer.ShowKindPage(image);
}

void TFrmControl::ClientClick(QPoint windowPos)
{
    Release();
    const int tool = m_designer.CurrentTool();
    const std::optional<Kind> kind = fc::KindOfImage(tool);
    int slot = 0;
    if (kind) {
        slot = m_slots.lowestFree(*kind);
        if (slot == 0) {
            ly::ShowNotice(ly::NoticeWarning, kNoRoomText);
            return;
        }
    }
    const QPoint at = windowPos - kPlaceOffset;
    if (!kind) {
        m_designer.Mark(QStringLiteral("PnlMain"));
        m_designer.ShowKindPage(fc::kBackgroundImage);
        return;
    }
    const ComponentId id{*kind, slot};
    QWidget *control = CreateNew(*kind, slot, at);
    Select(control);
    m_designer.FillAndWrite(control, fc::DisplayName(id));
    m_designer.SetTool(TFrmPictureText::ToolSelect);
    m_designer.AddRow(fc::DisplayName(id), fc::InfoOf(*kind).image, fc::ComponentName(id));
    m_designer.Mark(fc::ComponentName(id));
    m_designer.ShowKindPage(fc::InfoOf(*kind).image);
}

void TFrmControl::ControlClicked(QWidget *control, QPoint windowPos)
{
    QPointer<QWidget> clicked(control);
    ClientClick(windowPos);
    if (!clicked)
        return;
    const std::optional<ComponentId> id = idOf(clicked);
    if (!id)
        return;
    Select(clicked);
    m_designer.Mark(clicked->objectName());
    m_designer.ShowKindPage(fc::InfoOf(id->kind).image);
}

void TFrmControl::DeleteSelected()
{
    if (m_selected)
        DeleteControl(m_selected);
}

void TFrmControl::DeleteControl(QWidget *control)
{
    const std::optional<ComponentId> id = idOf(control);
    if (!id || Control(*id) != control)
        return;
    m_handles->DetachAll();
    m_selected = nullptr;
    fc::EraseFrameControl(m_designer.ProjectFile(), *id);
    m_slots.release(*id);
    m_designer.RemoveRow(control->objectName());
    m_controls[size_t(id->kind)][size_t(id->slot)] = nullptr;
    m_fonts.remove(control);
    if (m_aligned == control)
        m_aligned = nullptr;
    if (m_armed == control)
        m_armed = nullptr;
    control->hide();
    control->deleteLater();
}

void TFrmControl::Restack(const QList<QWidget *> &backToFront)
{
    for (QWidget *control : backToFront)
        if (control)
            control->raise();
    if (m_handles->isVisible())
        m_handles->raise();
}

bool TFrmControl::LoadFramePicture(QWidget *frame, const QString &file)
{
    auto *image = qobject_cast<TLyImage *>(frame);
    if (!image || !image->LoadFromFile(file))
        return false;
    const QSize size = image->PictureSize();
    m_aligned = nullptr;
    image->setAutoSize(false);
    image->setGeometry(QRect(QPoint(0, 0), size));
    m_style = 1;
    SetClientSize(size);
    image->setStretch(true);
    m_aligned = image;
    FitFrame();
    if (m_selected == frame)
        Reattach();
    return true;
}

// ---- Handles --------------------------------------------------------------------------------

void TFrmControl::HandlesMouseDown()
{
    // The squares stay while a picture is dragged: hiding the handles would end their drag.
}

void TFrmControl::HandlesMouseUp()
{
    FillAndWriteSelected();
}

void TFrmControl::HandlesKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        DeleteSelected();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        FillAndWriteSelected();
        break;
    default:
        break;
    }
}

void TFrmControl::FillAndWriteSelected()
{
    const std::optional<ComponentId> id = idOf(m_selected);
    if (!id)
        return;
    FitFrame();
    m_designer.FillAndWrite(m_selected, m_designer.PageName(id->kind));
}

// ---- The pop-up menu ------------------------------------------------------------------------

void TFrmControl::Copy1Click()
{
    if (const std::optional<ComponentId> id = idOf(m_selected))
        m_copiedKind = fc::InfoOf(id->kind).image;
}

void TFrmControl::Paste1Click()
{
    if (m_copiedKind < 1)
        return;
    m_designer.SetTool(m_copiedKind);
    ClientClick(mapFromGlobal(QCursor::pos()));
}

void TFrmControl::MenuDeleteClick()
{
    DeleteSelected();
}

void TFrmControl::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}

// ---- Mouse ----------------------------------------------------------------------------------

bool TFrmControl::StartWindowDrag(QWidget *part, QMouseEvent *event)
{
    QWindow *window = windowHandle();
    bool system = false;
    if (window) {
        if (part == PnlLeft)
            system = window->startSystemResize(Qt::LeftEdge);
        else if (part == PnlRight)
            system = window->startSystemResize(Qt::RightEdge);
        else if (part == PnlBottom)
            system = window->startSystemResize(Qt::BottomEdge);
        else
            system = window->startSystemMove();
    }
    if (!system) {
        m_dragPart = part;
        m_dragStart = event->globalPosition().toPoint();
        m_dragGeometry = geometry();
    }
    return true;
}

bool TFrmControl::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (watched == m_aligned && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        QMetaObject::invokeMethod(this, [this] { FitFrame(); }, Qt::QueuedConnection);
    if (watched == PnlMain && event->type() == QEvent::Resize)
        FitFrame();
    const bool windowPart = watched == PnlTitle || watched == ImgIcon || watched == Label35
                            || watched == Label36 || watched == PnlLeft || watched == PnlRight
                            || watched == PnlBottom;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (windowPart)
            return StartWindowDrag(widget, mouse);
        if (watched == PnlMain || idOf(widget))
            m_armed = widget;
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!windowPart || !m_dragPart || !(mouse->buttons() & Qt::LeftButton))
            break;
        const QPoint d = mouse->globalPosition().toPoint() - m_dragStart;
        QRect g = m_dragGeometry;
        if (m_dragPart == PnlLeft)
            g.setLeft(std::min(g.left() + d.x(), g.right() - 2 * kBorder));
        else if (m_dragPart == PnlRight)
            g.setRight(std::max(g.right() + d.x(), g.left() + 2 * kBorder));
        else if (m_dragPart == PnlBottom)
            g.setBottom(std::max(g.bottom() + d.y(), g.top() + kTitleHeight + kBorder));
        else
            g.translate(d);
        setGeometry(g);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (windowPart) {
            m_dragPart = nullptr;
            update();
            return true;
        }
        if (!widget || m_armed != widget)
            break;
        m_armed = nullptr;
        if (!widget->rect().contains(mouse->position().toPoint()))
            break;
        const QPoint at = widget->mapTo(this, mouse->position().toPoint());
        ly::RunGuarded([&] {
            if (widget == PnlMain)
                ClientClick(at);
            else
                ControlClicked(widget, at);
        });
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
