#include "editor/widgets/MainUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/LyImgBtn.h"
#include "control/widgets/Ly_Form.h"
#include "control/widgets/Skin.h"
#include "editor/BatchFiles.h"
#include "editor/BuilderUnit.h"
#include "editor/CardMail.h"
#include "editor/RecentProjects.h"
#include "editor/widgets/AddProUnit.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/BuilderUnit.h"
#include "editor/widgets/NewUnit.h"
#include "editor/widgets/OptionUnit.h"
#include "editor/widgets/PreviewPicUnit.h"
#include "editor/widgets/ProcessUnit.h"
#include "editor/widgets/ShowUnit.h"
#include "editor/widgets/StartupAidsUnit.h"
#include "platform/FileAssociation.h"
#include "platform/ProfileFiles.h"
#include "platform/Shell.h"
#include "platform/widgets/HtmlHelp.h"
#include "shared/FileHelpers.h"
#include "shared/Ini.h"
#include "shared/Log.h"
#include "shared/Maker.h"
#include "shared/Messages.h"
#include "shared/Paths.h"
#include "shared/Version.h"
#include "shared/widgets/Notice.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

using ly::ProjectEditorKind;
using ly::ProjectModule;

// One content page: its PageType, editor, page button, Settings item and help page.
struct MainPage
{
    int pageType;
    ProjectEditorKind kind;
    QToolButton *TFrmMain::*button;
    QAction *TFrmMain::*item; // the build settings page has none
    const char *helpPage;
};

namespace {

// In ProjectEditorKind order, which is also ProjectModule order for the first five.
const MainPage kPages[] = {
    {1, ProjectEditorKind::Background, &TFrmMain::SbnBlk, &TFrmMain::Background1, "CardBlk.htm"},
    {2, ProjectEditorKind::Album, &TFrmMain::SbnPhoto, &TFrmMain::Album1, "CardPicture.htm"},
    {3, ProjectEditorKind::Flash, &TFrmMain::SbnFlash, &TFrmMain::Flash1, "CardFlash.htm"},
    {4, ProjectEditorKind::Movie, &TFrmMain::SbnRealPlay, &TFrmMain::Filems1, "CardMovie.htm"},
    {5, ProjectEditorKind::FrameCard, &TFrmMain::SbnPicText, &TFrmMain::Frame1, "CardForm.htm"},
    {6, ProjectEditorKind::BuildSettings, &TFrmMain::SbnBuilder, nullptr, "quick.htm"},
};

// The section of the project file that each editor's load step reads, in ProjectEditorKind
// order (the build settings page always loads).
const char *const kEditorSections[] = {"FrmBlk",      "FrmPicture", "FrmFlash",
                                       "FrmMovie",    "PictureText", "System"};

const MainPage &pageOf(ProjectEditorKind kind)
{
    return kPages[int(kind)];
}

constexpr QRgb kBlinkYellow = 0xFFFF00;

QString defaultOpenFile(QWidget *owner, const QString &folder)
{
    return QFileDialog::getOpenFileName(owner, QString(), folder,
                                        QStringLiteral("Lyrabell(*.zpj)"));
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

TLyFullPicture *skinPanel(QWidget *parent, const char *picture)
{
    auto *panel = new TLyFullPicture(parent);
    panel->setLyLoadPicture(ly::SkinPicture(QLatin1String(picture)));
    return panel;
}

} // namespace

TFrmMain::TFrmMain(const QStringList &arguments, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_project(*this)
    , m_arguments(arguments)
    , m_startupAids([this] { RunMainStartupAids(*this); })
    , m_openFilePicker(defaultOpenFile)
{
    for (int k = 0; k < int(m_factories.size()); ++k)
        m_factories[k] = DefaultEditorFactory(ProjectEditorKind(k));

    ImgBGTop = ly::SkinPicture(QStringLiteral("HeaderTop"));
    ImgToolTop = ly::SkinPicture(QStringLiteral("ToolTop"));
    ImgLeft = ly::SkinPicture(QStringLiteral("SideLeft"));
    setWindowIcon(ly::SkinPicture(QStringLiteral("Icon48")));

    m_column = new QWidget(this);
    BuildTitleBar();
    BuildMenus();
    BuildPageButtons();
    PnlDock = skinPanel(m_column, "Dock");
    auto *dock = new QGridLayout(PnlDock);
    dock->setContentsMargins(0, 0, 0, 0);
    BuildStatusBar();
    ImgFrameLeft = skinPanel(this, "EdgeLeft");
    ImgFrameRight = skinPanel(this, "EdgeRight");
    ImgFrameBottom = skinPanel(this, "EdgeBottom");

    auto *column = new QVBoxLayout(m_column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ToolBar1->parentWidget());
    column->addWidget(PnlTop);
    column->addWidget(PnlDock, 1);
    column->addWidget(PnlBottom);

    TimerBlink = new QTimer(this);
    TimerBlink->setInterval(1000);
    connect(TimerBlink, &QTimer::timeout, this, &TFrmMain::TimerBlinkTimer);

    resize(kClientWidth, kClientHeight);
    AlignParts();
    FormCreate();
}

TFrmMain::~TFrmMain()
{
    ly::SetAppExceptionHandler(nullptr);
    for (int k = 0; k < int(m_editors.size()); ++k)
        DestroyEditor(ProjectEditorKind(k));
}

// ---- Building the window -------------------------------------------------------------------

void TFrmMain::BuildTitleBar()
{
    PnlTitle = skinPanel(this, "TitleBar");
    ImgIcon = new QToolButton(PnlTitle);
    ImgIcon->setGeometry(3, 3, 22, 22);
    ImgIcon->setAutoRaise(true);
    ImgIcon->setIconSize(QSize(20, 20));
    ImgIcon->setIcon(ly::SkinPicture(QStringLiteral("Icon")));
    ImgIcon->setFocusPolicy(Qt::NoFocus);

    Lbl_Title2 = new QLabel(PnlTitle);
    LblTitle = new QLabel(PnlTitle);
    LblHelpTitle = new QLabel(PnlTitle);
    for (QLabel *label : {Lbl_Title2, LblTitle, LblHelpTitle}) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        // Presses on the labels drag the window like presses on the title picture.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    setTextColor(Lbl_Title2, Qt::black);
    setTextColor(LblTitle, Qt::white);
    setTextColor(LblHelpTitle, Qt::black);
    Lbl_Title2->setGeometry(31, 7, 300, 18);
    LblTitle->setGeometry(30, 6, 300, 18);
    LblHelpTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const struct { TlyImgBtn **button; const char *skin; } buttons[] = {
        {&Ttl_BtnHelp, "BtnHelp"}, {&Ttl_BtnMin, "BtnMin"}, {&Ttl_BtnExit, "BtnExit"}};
    for (const auto &b : buttons) {
        *b.button = new TlyImgBtn(PnlTitle);
        LoadSkinButton(*b.button, QLatin1String(b.skin));
    }

    SystemMenu = new QMenu(this);
    SysMinimize = SystemMenu->addAction(QStringLiteral("Mi&nimize"));
    SysClose = SystemMenu->addAction(QStringLiteral("&Close"));
    SystemMenu->addSeparator();
    SysHomePage = SystemMenu->addAction(QString());
    SysAbout = SystemMenu->addAction(QString());
    auto *systemKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);

    connect(PnlTitle, &TLyFullPicture::OnMouseDown, this, &TFrmMain::TitleMouseDown);
    connect(ImgIcon, &QToolButton::clicked, this,
            [this] { SystemMenu->popup(ImgIcon->mapToGlobal(QPoint(0, ImgIcon->height()))); });
    connect(systemKey, &QShortcut::activated, this,
            [this] { SystemMenu->popup(mapToGlobal(QPoint(kFrame, kTitleHeight))); });
    connect(SysMinimize, &QAction::triggered, this, &TFrmMain::Ttl_BtnMinClick);
    connect(SysClose, &QAction::triggered, this, &TFrmMain::Ttl_BtnExitClick);
    connect(SysHomePage, &QAction::triggered, this,
            [this] { ly::RunGuarded([this] { HandleAppMessage(kSysHomePage); }); });
    connect(SysAbout, &QAction::triggered, this,
            [this] { ly::RunGuarded([this] { HandleAppMessage(kSysAbout); }); });
    connect(Ttl_BtnHelp, &TlyImgBtn::OnClick, this, ly::Guarded(this, &TFrmMain::Ttl_BtnHelpClick));
    connect(Ttl_BtnMin, &TlyImgBtn::OnClick, this, &TFrmMain::Ttl_BtnMinClick);
    connect(Ttl_BtnExit, &TlyImgBtn::OnClick, this, &TFrmMain::Ttl_BtnExitClick);
}

void TFrmMain::connectCommand(QAction *action, void (TFrmMain::*handler)())
{
    connect(action, &QAction::triggered, this, ly::Guarded(this, handler));
}

void TFrmMain::BuildMenus()
{
    File1 = new QMenu(this);
    New1 = File1->addAction(QString());
    AddProject1 = File1->addAction(QString());
    Open1 = File1->addAction(QString());
    Repont1 = File1->addMenu(QString());
    Repont1->setToolTipsVisible(true);
    File1->addSeparator();
    Save1 = File1->addAction(QString());
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // The shortcut works while the menu is closed.
    addAction(Save1);
    MemuClose = File1->addAction(QString());
    File1->addSeparator();
    Exit1 = File1->addAction(QString());

    Settings = new QMenu(this);
    Background1 = Settings->addAction(QString());
    Album1 = Settings->addAction(QString());
    Flash1 = Settings->addAction(QString());
    Filems1 = Settings->addAction(QString());
    Frame1 = Settings->addAction(QString());
    Settings->addSeparator();
    SendMail1 = Settings->addAction(QString());

    Project1 = new QMenu(this);
    Preview1 = Project1->addAction(QString());
    Builder1 = Project1->addAction(QString());
    Project1->addSeparator();
    Option = Project1->addAction(QString());

    Help1 = new QMenu(this);
    About = Help1->addAction(QString());
    Help1->addSeparator();
    Index = Help1->addAction(QString());
    Help = Help1->addAction(QString());
    Help1->addSeparator();
    MainHttp = Help1->addAction(QString());
    MyMail = Help1->addAction(QString());
    UpdateSoft = Help1->addAction(QString());

    MainMenu1 = {File1, Settings, Project1, Help1};

    PopupMenu2 = new QMenu(this);
    PopuOption = PopupMenu2->addAction(QString());
    PopuQuickHelp = PopupMenu2->addAction(QString());
    PopuUpdate = PopupMenu2->addAction(QString());

    PopupMenu_Mail = new QMenu(this);
    MenuOutlook = PopupMenu_Mail->addAction(QString());
    MenuQuillpost = PopupMenu_Mail->addAction(QString());

    // The menu bar: a flat tool bar on the tool bar picture, one text button per menu.
    auto *menuBar = new TLyFullPicture(m_column);
    menuBar->setLyLoadPicture(ImgToolTop);
    menuBar->setFixedHeight(24);
    ToolBar1 = new QToolBar(menuBar);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar1->setStyleSheet(QStringLiteral(
        "QToolBar { background: transparent; border: 0px; spacing: 0px; padding: 0px; }"
        "QToolButton { padding: 2px 4px; border: 1px solid transparent; }"
        "QToolButton:hover, QToolButton:pressed { border: 1px solid #8a78b8;"
        " background: rgba(255, 255, 255, 120); }"
        "QToolButton::menu-indicator { image: none; width: 0px; }"));
    auto *menuLayout = new QVBoxLayout(menuBar);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    menuLayout->addWidget(ToolBar1);
    for (QMenu *menu : MainMenu1) {
        auto *button = new QToolButton(ToolBar1);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        ToolBar1->addWidget(button);
    }

    connectCommand(New1, &TFrmMain::New1Click);
    connectCommand(AddProject1, &TFrmMain::AddProject1Click);
    connectCommand(Open1, &TFrmMain::Open1Click);
    connectCommand(Save1, &TFrmMain::Save1Click);
    connectCommand(MemuClose, &TFrmMain::MemuCloseClick);
    connectCommand(Exit1, &TFrmMain::Exit1Click);
    for (int k = 0; k < 5; ++k) {
        const MainPage &page = kPages[k];
        connect(this->*page.item, &QAction::triggered, this,
                [this, &page] { (this->*page.button)->click(); });
    }
    connectCommand(About, &TFrmMain::AboutClick);
    connectCommand(Index, &TFrmMain::IndexClick);
    connectCommand(Help, &TFrmMain::HelpClick);
    connectCommand(MainHttp, &TFrmMain::MainHttpClick);
    connectCommand(MyMail, &TFrmMain::MyMailClick);
    connectCommand(UpdateSoft, &TFrmMain::UpdateSoftClick);
    connectCommand(SendMail1, &TFrmMain::MenuQuillpostClick);
    connectCommand(MenuQuillpost, &TFrmMain::MenuQuillpostClick);
    connectCommand(MenuOutlook, &TFrmMain::MenuOutlookClick);
    connectCommand(Preview1, &TFrmMain::Preview2Click);
    connectCommand(Builder1, &TFrmMain::Builder2Click);
    connectCommand(PopuQuickHelp, &TFrmMain::IndexClick);
    connectCommand(PopuUpdate, &TFrmMain::UpdateSoftClick);
    connectCommand(Option, &TFrmMain::OptionClick);
    connectCommand(PopuOption, &TFrmMain::OptionClick);
}

void TFrmMain::BuildPageButtons()
{
    PnlTop = skinPanel(m_column, "PageBar");
    PnlTop->setFixedHeight(kPageBarHeight);
    PageGroup = new QButtonGroup(this);
    PageGroup->setExclusive(true);
    // Captions such as "Set System" fit the 64-pixel buttons.
    QFont captionFont = font();
    captionFont.setPixelSize(10);
    const struct { QToolButton **button; const char *glyph; bool page; } buttons[] = {
        {&SbnBlk, "PageBlk", true},         {&SbnPhoto, "PageAlbum", true},
        {&SbnFlash, "PageFlash", true},     {&SbnRealPlay, "PageMovie", true},
        {&SbnPicText, "PageFrame", true},   {&SbnBuilder, "PageBuilder", true},
        {&SbnEmail, "PageMail", false},     {&SbnSystem, "PageSystem", false},
    };
    for (const auto &b : buttons) {
        auto *button = new QToolButton(PnlTop);
        button->setFixedSize(kPageButtonWidth, kPageButtonHeight);
        button->setFont(captionFont);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setIcon(ly::SkinPicture(QLatin1String(b.glyph)));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->move(0, (kPageBarHeight - kPageButtonHeight) / 2);
        if (b.page) {
            button->setCheckable(true);
            PageGroup->addButton(button);
        }
        *b.button = button;
    }
    const struct { QToolButton *button; void (TFrmMain::*handler)(); } handlers[] = {
        {SbnBlk, &TFrmMain::SbnBlkClick},           {SbnPhoto, &TFrmMain::SbnPhotoClick},
        {SbnFlash, &TFrmMain::SbnFlashClick},       {SbnRealPlay, &TFrmMain::SbnRealPlayClick},
        {SbnPicText, &TFrmMain::SbnPicTextClick},   {SbnBuilder, &TFrmMain::SbnBuilderClick},
        {SbnEmail, &TFrmMain::SbnEmailClick},       {SbnSystem, &TFrmMain::SbnSystemClick},
    };
    for (const auto &h : handlers)
        connect(h.button, &QToolButton::clicked, this, ly::Guarded(this, h.handler));
}

void TFrmMain::BuildStatusBar()
{
    PnlBottom = skinPanel(m_column, "StatusBar");
    PnlBottom->setFixedHeight(kStatusHeight);
    BtnDownLoad = new TlyImgBtn(PnlBottom);
    LoadSkinButton(BtnDownLoad, QStringLiteral("BtnDownLoad"));
    BtnDownLoad->move(4, (kStatusHeight - BtnDownLoad->height()) / 2);
    LblBtmText = new QLabel(PnlBottom);
    setTextColor(LblBtmText, Qt::white);
    LblBtmText->setGeometry(28, 0, kClientWidth - 2 * kFrame - 32, kStatusHeight);
    connect(BtnDownLoad, &TlyImgBtn::OnClick, this, ly::Guarded(this, &TFrmMain::UpdateSoftClick));
}

// The icons of the menu items; the file-type icons of Flash and movies follow as 23 and 24.
void TFrmMain::BuildMenuIcons()
{
    QStyle *style = this->style();
    const auto standard = [style](QStyle::StandardPixmap pixmap) { return style->standardIcon(pixmap); };
    const auto skin = [](const char *name) { return QIcon(ly::SkinPicture(QLatin1String(name))); };
    LstImgMenu = {
        standard(QStyle::SP_FileIcon),                // 0 New Project
        standard(QStyle::SP_FileDialogDetailedView),  // 1 Edit Project
        standard(QStyle::SP_DialogOpenButton),        // 2 Open Project
        standard(QStyle::SP_BrowserReload),           // 3 Reopen
        skin("FolderOpen"),                           // 4 open folder
        skin("FolderClosed"),                         // 5 closed folder
        standard(QStyle::SP_DialogSaveButton),        // 6 Save Project
        standard(QStyle::SP_DialogCloseButton),       // 7 Close All
        standard(QStyle::SP_DialogCancelButton),      // 8 Exit Program
        skin("PageBlk"),                              // 9 Backdrop
        skin("PageAlbum"),                            // 10 Fly Album
        skin("PageFrame"),                            // 11 Set Frame
        skin("PageMail"),                             // 12 Send Mail
        standard(QStyle::SP_MediaPlay),               // 13 Preview
        skin("PageBuilder"),                          // 14 Builder
        skin("PageSystem"),                           // 15 Options
        standard(QStyle::SP_DialogHelpButton),        // 16 Quick Help
        standard(QStyle::SP_MessageBoxQuestion),      // 17 Help
        standard(QStyle::SP_DriveNetIcon),            // 18 Home Page
        skin("PageMail"),                             // 19 Send Mail To Author
        standard(QStyle::SP_ArrowDown),               // 20 Download Materials
        standard(QStyle::SP_MessageBoxInformation),   // 21 About
        skin("Icon"),                                 // 22 a project
    };
    ly::AddFileTypeIcon(QStringLiteral("c:\\aaa.swf"), LstImgMenu, ly::SmallIcon);
    ly::AddFileTypeIcon(QStringLiteral("c:\\aaa.avi"), LstImgMenu, ly::SmallIcon);

    const struct { QAction *item; int icon; } icons[] = {
        {New1, 0},      {AddProject1, 1}, {Open1, 2},     {Repont1->menuAction(), 3},
        {Save1, 6},     {MemuClose, 7},   {Exit1, 8},     {Background1, 9},
        {Album1, 10},   {Flash1, 23},     {Filems1, 24},  {Frame1, 11},
        {SendMail1, 12}, {Preview1, 13},  {Builder1, 14}, {Option, 15},
        {Index, 16},    {Help, 17},       {MainHttp, 18}, {MyMail, 19},
        {UpdateSoft, 20}, {About, 21},    {PopuOption, 15}, {PopuQuickHelp, 16},
        {PopuUpdate, 20}, {MenuQuillpost, 12},
    };
    for (const auto &i : icons)
        if (i.icon < LstImgMenu.size())
            i.item->setIcon(LstImgMenu[i.icon]);
}

void TFrmMain::LoadTexts()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Lyrabell "));
    SysHomePage->setText(QStringLiteral("Lyrabell &Home Page"));
    SysAbout->setText(QStringLiteral("&About Soft"));
    Ttl_BtnHelp->setToolTip(QStringLiteral("Help"));
    Ttl_BtnMin->setToolTip(QStringLiteral("Minimize"));
    Ttl_BtnExit->setToolTip(QStringLiteral("Exit"));
    BtnDownLoad->setToolTip(QStringLiteral("Download Materials"));
    LblTitle->setText(QString::fromLatin1(ly::kProductVersionText));
    Lbl_Title2->setText(LblTitle->text());
    LblHelpTitle->setText(QStringLiteral("Click Here==>>"));
    SbnBlk->setText(QStringLiteral("Backdrop"));
    SbnPhoto->setText(QStringLiteral("Fly Album"));
    SbnPicText->setText(QStringLiteral("Set Frame"));
    SbnFlash->setText(QStringLiteral("Set Flash"));
    SbnRealPlay->setText(QStringLiteral("Set Movie"));
    SbnBuilder->setText(QStringLiteral("Builder"));
    SbnEmail->setText(QStringLiteral("Send Mail"));
    SbnSystem->setText(QStringLiteral("Set System"));

    File1->setTitle(QStringLiteral(" &File "));
    New1->setText(QStringLiteral("New Project"));
    AddProject1->setText(QStringLiteral("Edit Project"));
    Open1->setText(QStringLiteral("Open Project"));
    Repont1->setTitle(QStringLiteral("Reopet Project"));
    Save1->setText(QStringLiteral("Save Project"));
    MemuClose->setText(QStringLiteral("Close All"));
    Exit1->setText(QStringLiteral("Exit Program"));
    Settings->setTitle(QStringLiteral(" &Setting "));
    Background1->setText(QStringLiteral("Backdrop"));
    Album1->setText(QStringLiteral("Fly Album"));
    Flash1->setText(QStringLiteral("Set Flash"));
    Filems1->setText(QStringLiteral("Set Movie"));
    Frame1->setText(QStringLiteral("Set Frame"));
    SendMail1->setText(QStringLiteral("Send Mail"));
    Project1->setTitle(QStringLiteral(" &Project "));
    Preview1->setText(QStringLiteral("Preview"));
    Builder1->setText(QStringLiteral("Builder"));
    Option->setText(QStringLiteral("Options"));
    Help1->setTitle(QStringLiteral(" &Help "));
    Index->setText(QStringLiteral("Quick Help"));
    Help->setText(QStringLiteral("Help"));
    MyMail->setText(QStringLiteral("Send Mail To Author"));
    MainHttp->setText(QStringLiteral("Home Page"));
    UpdateSoft->setText(QStringLiteral("Download Materials"));
    About->setText(QStringLiteral("About"));
    MenuOutlook->setText(QStringLiteral("Send out the mail with the MS Outlook"));
    MenuQuillpost->setText(QStringLiteral("Run my Quillpost to send out the mail"));
    PopuOption->setText(QStringLiteral("System Option"));
    PopuQuickHelp->setText(Index->text());
    PopuUpdate->setText(UpdateSoft->text());

    // The menu bar's buttons take the new captions of their menus.
    for (QAction *action : ToolBar1->actions())
        if (auto *button = qobject_cast<QToolButton *>(ToolBar1->widgetForAction(action)))
            button->setText(button->menu()->title());
}

void TFrmMain::AlignParts()
{
    const int w = width();
    const int h = height();
    PnlTitle->setGeometry(0, 0, w, kTitleHeight);
    Ttl_BtnExit->move(w - 8 - Ttl_BtnExit->width(), 6);
    Ttl_BtnMin->move(Ttl_BtnExit->x() - 3 - Ttl_BtnMin->width(), 6);
    Ttl_BtnHelp->move(Ttl_BtnMin->x() - 3 - Ttl_BtnHelp->width(), 6);
    LblHelpTitle->setGeometry(Ttl_BtnHelp->x() - 124, 5, 118, 18);
    const int inner = std::max(0, h - kTitleHeight - kFrame);
    ImgFrameLeft->setGeometry(0, kTitleHeight, kFrame, inner);
    ImgFrameRight->setGeometry(w - kFrame, kTitleHeight, kFrame, inner);
    ImgFrameBottom->setGeometry(0, h - kFrame, w, kFrame);
    m_column->setGeometry(kFrame, kTitleHeight, std::max(0, w - 2 * kFrame), inner);
    SbnSystem->move(m_column->width() - kPageButtonWidth - 2, SbnSystem->y());
    LblBtmText->resize(std::max(0, m_column->width() - LblBtmText->x() - 4), kStatusHeight);
}

void TFrmMain::resizeEvent(QResizeEvent *event)
{
    AlignParts();
    QWidget::resizeEvent(event);
}

// ---- Start and end --------------------------------------------------------------------------

void TFrmMain::FormCreate()
{
    ly::SetAppExceptionHandler([this](const QString &text) { HandleAppException(text); });
    const QString program = QCoreApplication::applicationFilePath();
    ly::RegisterFileType(QStringLiteral(".zpj"), QStringLiteral("zpjProject"),
                         QStringLiteral("Lyrabell"), 1, program);
    setWindowTitle(QStringLiteral("ly_Lyrabell"));
    ly::RegisterMciExtensions();

    if (QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        if (area.height() == 600)
            move(0, 0);
        else
            move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    QGuiApplication::setApplicationDisplayName(windowTitle());
    LoadTexts();
    LoadRecentProjects();
    resize(kClientWidth, kClientHeight);
    BuildMenuIcons();
    LblBtmText->clear();
    PnlTop->hide();
}

void TFrmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shownOnce) {
        m_shownOnce = true;
        ly::RunGuarded([this] { FormShow(); });
    }
}

void TFrmMain::FormShow()
{
    {
        TFrmShow splash(this);
        splash.exec();
    }
    resize(kClientWidth, kClientHeight);
    TimerBlink->start();
    EnterNoProjectState();
    if (m_arguments.size() == 1) {
        OpenProject(m_arguments.first());
    } else {
        QCoreApplication::postEvent(this, new QEvent(ly::STARTUP_AIDS));
        ly::CustomizeProgramFolder(QCoreApplication::applicationFilePath());
    }
}

bool TFrmMain::event(QEvent *event)
{
    if (event->type() == ly::STARTUP_AIDS) {
        ly::RunGuarded([this] { StartupAids(); });
        return true;
    }
    return QWidget::event(event);
}

void TFrmMain::StartupAids()
{
    if (m_startupAids)
        m_startupAids();
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    if (m_exitAtOnce || m_closing) {
        event->accept();
        return;
    }
    // Every way of closing the window asks the save question, as the title bar's exit does.
    if (!ly::RunGuarded([this] { m_project.LeaveByExitButton(); })) {
        event->ignore();
        return;
    }
    m_closing = true;
    FormClose();
    event->accept();
}

void TFrmMain::FormClose()
{
    TimerBlink->stop();
    ly::CloseHtmlHelp();
    QFile::remove(ly::AutoBatFile());
    QCoreApplication::quit();
}

void TFrmMain::HandleAppException(const QString &text)
{
    ly::WriteLog(text);
    ly::platform::ShellOpen(ly::ProgramDir() + QStringLiteral("Faultnote.exe"),
                            {QString::fromLatin1(ly::kProductVersionText)});
}

bool TFrmMain::HandleAppMessage(int command)
{
    switch (command) {
    case kSysHomePage:
        MainHttpClick();
        return true;
    case kSysAbout:
        AboutClick();
        return true;
    default:
        return false;
    }
}

// ---- Recent projects ------------------------------------------------------------------------

void TFrmMain::LoadRecentProjects()
{
    for (const QString &file : ly::RecentProjectFiles()) {
        QString caption = file;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = Repont1->addAction(caption);
        item->setToolTip(file);
        connect(item, &QAction::triggered, this,
                [this, file] { ly::RunGuarded([this, &file] { ReopenClick(file); }); });
    }
}

void TFrmMain::ReopenClick(const QString &projectFile)
{
    MemuCloseClick();
    OpenProject(projectFile);
}

void TFrmMain::AddRecentProject(const QString &projectFile)
{
    ly::AddRecentProjectFile(projectFile);
}

// ---- Project commands -----------------------------------------------------------------------

void TFrmMain::EnterNoProjectState()
{
    New1->setEnabled(true);
    Open1->setEnabled(true);
    Repont1->setEnabled(true);
    AddProject1->setEnabled(false);
    Save1->setEnabled(false);
    MemuClose->setEnabled(false);
    for (QAction *item : {Background1, Album1, Flash1, Filems1, Frame1, Preview1, Builder1})
        item->setEnabled(false);
    // The options are the program's, with or without a project.
    Option->setEnabled(true);
    PnlTop->hide();
    LblBtmText->clear();
}

void TFrmMain::EnterProjectOpenState()
{
    LblBtmText->setText(CurrentProjectFile());
    for (QAction *item : {New1, Open1, AddProject1, Save1, MemuClose, Exit1})
        item->setEnabled(true);
    Repont1->setEnabled(true);
    Preview1->setEnabled(true);
    Builder1->setEnabled(true);
}

void TFrmMain::New1Click()
{
    MemuCloseClick();
    TFrmNew dialog(m_project,
                   [this](bool album, bool flash, bool frameCard, bool movie) {
                       PrepareProject(album, flash, frameCard, movie);
                   },
                   this);
    if (dialog.ShowModal() != Tly_Form::mrOk)
        return;
    EnterProjectOpenState();
    ly::CopyFileReplacing(CurrentProjectFile(), m_project.WorkingCopyFile());
}

void TFrmMain::Open1Click()
{
    MemuCloseClick();
    const QString file = m_openFilePicker(this, ly::DefaultProjectLocation());
    if (!file.isEmpty())
        OpenProject(file);
}

void TFrmMain::OpenProject(const QString &path)
{
    try {
        m_project.OpenProject(path);
    } catch (...) {
        RecoverFromFailedPrepare();
        throw;
    }
    EnterProjectOpenState();
}

void TFrmMain::AddProject1Click()
{
    ly::ModuleChoice current;
    current.album = !SbnPhoto->isHidden();
    current.flash = !SbnFlash->isHidden();
    current.movie = !SbnRealPlay->isHidden();
    current.frameCard = !SbnPicText->isHidden();
    TFrmAddPro dialog(current,
                      [this](bool album, bool flash, bool frameCard, bool movie) {
                          PrepareProject(album, flash, frameCard, movie);
                      },
                      this);
    dialog.ShowModal();
}

void TFrmMain::PrepareProject(bool album, bool flash, bool frameCard, bool movie)
{
    try {
        m_project.PrepareProject(album, flash, frameCard, movie);
    } catch (...) {
        RecoverFromFailedPrepare();
        throw;
    }
}

void TFrmMain::RecoverFromFailedPrepare()
{
    if (FrmProcess) {
        FrmProcess->setFinished(true);
        FrmProcess->hide();
    }
    if (!m_project.IsOpen()) {
        DestroyEditors();
        EnterNoProjectState();
    }
}

void TFrmMain::Save1Click()
{
    m_project.Save1Click();
}

void TFrmMain::QuerySaveProject()
{
    m_project.QuerySaveProject();
}

void TFrmMain::MemuCloseClick()
{
    m_project.MemuCloseClick();
    EnterNoProjectState();
}

void TFrmMain::Exit1Click()
{
    m_exitAtOnce = true;
    QCoreApplication::exit(0);
}

void TFrmMain::Ttl_BtnExitClick()
{
    close();
}

void TFrmMain::Ttl_BtnMinClick()
{
    showMinimized();
}

ly::SaveAnswer TFrmMain::AskSaveProject(const QString &projectFileName)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"),
                    ly::SaveProjectQuestion(projectFileName),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return ly::SaveAnswer::Yes;
    case QMessageBox::No:
        return ly::SaveAnswer::No;
    default:
        return ly::SaveAnswer::Cancel;
    }
}

// ---- PrepareProject, window side ------------------------------------------------------------

void TFrmMain::ProcessPendingMessages()
{
    // Windows paint and timers run; the user's input waits, so that no command can close the
    // project while its editors are being opened.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmMain::PlacePageButton(QToolButton *button)
{
    button->move(m_nextButtonX, (kPageBarHeight - kPageButtonHeight) / 2);
    m_nextButtonX += kPageButtonWidth;
}

void TFrmMain::PrepareModule(ProjectModule module, bool chosen)
{
    const MainPage &page = pageOf(ProjectEditorKind(int(module)));
    if (module == ProjectModule::Background) {
        if (!FrmProcess)
            FrmProcess = new TFrmProcess(this);
        FrmProcess->show();
        FrmProcess->repaint();
        PnlTop->show();
        ProcessPendingMessages();
        m_nextButtonX = 0;
    }
    QToolButton *button = this->*page.button;
    button->setVisible(chosen);
    (this->*page.item)->setEnabled(chosen);
    if (!chosen)
        return;
    PlacePageButton(button);
    PressPage(page);
    ProcessPendingMessages();
}

void TFrmMain::ModulesPrepared()
{
    PlacePageButton(SbnBuilder);
    SbnBuilder->show();
    PressPage(pageOf(ProjectEditorKind::BuildSettings));
    ProcessPendingMessages();
    SbnEmail->move(SbnBuilder->x() + kPageButtonWidth, SbnBuilder->y());
    SbnEmail->show();

    FrmProcess->setFinished(true);
    FrmProcess->ProgressBar1->setValue(TFrmProcess::kSteps);
    FrmProcess->hide();

    PressPage(pageOf(ProjectEditorKind::Background));
    show();
    raise();
    activateWindow();
    repaint();
}

// ---- Pages and editors ----------------------------------------------------------------------

void TFrmMain::setEditorFactory(ProjectEditorKind kind, EditorFactory factory)
{
    m_factories[size_t(kind)] = std::move(factory);
}

EditorWindow *TFrmMain::Editor(ProjectEditorKind kind) const
{
    const DockedEditor &docked = m_editors[size_t(kind)];
    return docked.window ? docked.editor : nullptr;
}

ly::ProjectEditor *TFrmMain::ExistingEditor(ProjectEditorKind kind)
{
    return Editor(kind);
}

EditorWindow *TFrmMain::CreateEditor(ProjectEditorKind kind)
{
    if (EditorWindow *existing = Editor(kind))
        return existing;
    const EditorFactory &factory = m_factories[size_t(kind)];
    if (!factory)
        return nullptr;
    EditorWindow *editor = factory(*this);
    if (!editor)
        return nullptr;
    QWidget *window = editor->Window();
    if (window->parentWidget() != PnlDock)
        window->setParent(PnlDock);
    static_cast<QGridLayout *>(PnlDock->layout())->addWidget(window, 0, 0);
    m_editors[size_t(kind)] = {editor, window};
    // An editor loads when its open mark is set, and also whenever the project file holds its
    // section from an earlier session (a module switched off and on again through Edit
    // Project): its first save would otherwise replace what is stored there by an empty
    // section, and the build would then tidy away the media the old one lists.
    const bool loads = kind == ProjectEditorKind::BuildSettings
                       || m_project.OpenMark(ProjectModule(int(kind)))
                       || ly::ini::hasSection(m_project.CurrentProjectFile(),
                                              QLatin1String(kEditorSections[size_t(kind)]));
    if (loads)
        editor->LoadStep(m_project);
    return editor;
}

void TFrmMain::DestroyEditor(ProjectEditorKind kind)
{
    DockedEditor docked = m_editors[size_t(kind)];
    m_editors[size_t(kind)] = {};
    if (docked.window)
        delete docked.editor;
}

void TFrmMain::DestroyEditors()
{
    for (ProjectEditorKind kind :
         {ProjectEditorKind::Movie, ProjectEditorKind::Flash, ProjectEditorKind::Album,
          ProjectEditorKind::FrameCard, ProjectEditorKind::Background,
          ProjectEditorKind::BuildSettings})
        DestroyEditor(kind);
}

void TFrmMain::HideFloatingWindows()
{
    for (int k = 0; k < int(m_editors.size()); ++k)
        if (EditorWindow *editor = Editor(ProjectEditorKind(k)))
            editor->HideFloatingWindows();
}

// The button goes down and its page comes in front. An error of the page's editor goes to the
// caller, so that PrepareProject stops with it.
void TFrmMain::PressPage(const MainPage &page)
{
    (this->*page.button)->setChecked(true);
    ShowPage(page);
}

void TFrmMain::ShowPage(const MainPage &page)
{
    PageType = page.pageType;
    m_project.SetModified(true);
    if (page.kind != ProjectEditorKind::FrameCard)
        if (EditorWindow *frameCard = Editor(ProjectEditorKind::FrameCard))
            frameCard->HideFloatingWindows();
    if (EditorWindow *editor = CreateEditor(page.kind))
        editor->ShowPage();
}

void TFrmMain::SbnBlkClick() { ShowPage(pageOf(ProjectEditorKind::Background)); }
void TFrmMain::SbnPhotoClick() { ShowPage(pageOf(ProjectEditorKind::Album)); }
void TFrmMain::SbnFlashClick() { ShowPage(pageOf(ProjectEditorKind::Flash)); }
void TFrmMain::SbnRealPlayClick() { ShowPage(pageOf(ProjectEditorKind::Movie)); }
void TFrmMain::SbnPicTextClick() { ShowPage(pageOf(ProjectEditorKind::FrameCard)); }
void TFrmMain::SbnBuilderClick() { ShowPage(pageOf(ProjectEditorKind::BuildSettings)); }

void TFrmMain::SbnEmailClick()
{
    PageType = 6;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    PopupMenu_Mail->popup(QPoint(origin.x() + kFrame + SbnEmail->x(),
                                 origin.y() + kTitleHeight + ToolBar1->parentWidget()->height()
                                     + SbnEmail->height()));
}

void TFrmMain::SbnSystemClick()
{
    PageType = 0;
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    PopupMenu2->popup(QPoint(origin.x() + SbnSystem->x() - SbnSystem->width() / 2,
                             origin.y() + kTitleHeight + ToolBar1->parentWidget()->height()
                                 + SbnSystem->height()));
}

void TFrmMain::StopEditorMedia()
{
    for (ProjectEditorKind kind :
         {ProjectEditorKind::Background, ProjectEditorKind::Flash, ProjectEditorKind::Movie})
        if (EditorWindow *editor = Editor(kind))
            editor->StopMedia();
}

void TFrmMain::DeleteWhenUnlocked(const QString &file)
{
    ly::DeleteWhenUnlocked(file);
}

void TFrmMain::ShowPicturePreview(const QString &file)
{
    ::ShowPicturePreview(file, this);
}

// ---- Help and the maker ---------------------------------------------------------------------

void TFrmMain::Ttl_BtnHelpClick()
{
    HideFloatingWindows();
    if (PageType >= 1 && PageType <= 6)
        ly::ShowHtmlHelp(this,
                         ly::ProgramDir() + QStringLiteral("Guidebook.chm::/")
                             + QLatin1String(kPages[PageType - 1].helpPage),
                         ly::platform::HH_DISPLAY_TOPIC, 0);
    else
        ly::OpenWithShell(this, ly::ProgramDir() + QStringLiteral("Guidebook.chm"));
}

void TFrmMain::IndexClick()
{
    PageType = 6;
    Ttl_BtnHelpClick();
}

void TFrmMain::HelpClick()
{
    ly::OpenWithShell(this, ly::ProgramDir() + QStringLiteral("Guidebook.chm"));
}

void TFrmMain::MainHttpClick()
{
    ly::OpenWithShell(qApp, QLatin1String(ly::maker::kHomePage));
}

void TFrmMain::MyMailClick()
{
    ly::OpenWithShell(this, QStringLiteral("mailto:") + QLatin1String(ly::maker::kSupportMail)
                                + QStringLiteral("?Subject=Lyrabell "));
}

void TFrmMain::UpdateSoftClick()
{
    ly::OpenWithShell(this, ly::ProgramDir() + QStringLiteral("Fetchkit.exe"));
}

void TFrmMain::OptionClick()
{
    TFrmOption dialog(this);
    dialog.ShowModal();
}

// The mail program finds the last built card itself.
void TFrmMain::MenuQuillpostClick()
{
    ly::OpenWithShell(qApp, ly::ProgramDir() + QStringLiteral("Quillpost.exe"));
}

// The last built card goes to the user's mail program as a new mail.
void TFrmMain::MenuOutlookClick()
{
    ly::MailFinishedCard(qApp);
}

// ---- Preview and Build ----------------------------------------------------------------------

bool TFrmMain::CheckBackgroundChosen()
{
    const ly::BuilderCheck check = ly::CheckBackground(CurrentProjectFile());
    if (check == ly::BuilderCheck::Ok)
        return true;
    ly::ShowNotice(ly::BuilderCheckKind(check), ly::BuilderCheckText(check));
    PressPage(pageOf(ProjectEditorKind::Background));
    return false;
}

// The project runs from its folder through a copy of the player, which goes again once the
// preview has ended.
void TFrmMain::Preview2Click()
{
    Save1Click();
    StopEditorMedia();
    if (!CheckBackgroundChosen())
        return;
    const ly::BuilderCheck check = ly::PreparePreview(CurrentProjectFile());
    if (check != ly::BuilderCheck::Ok) {
        ly::ShowNotice(ly::BuilderCheckKind(check), ly::BuilderCheckText(check));
        return;
    }
    const QString preview = ly::PreviewExeFile(CurrentProjectFile());
    ly::OpenWithShell(this, preview);
    DeleteWhenUnlocked(preview);
}

void TFrmMain::Builder2Click()
{
    Save1Click();
    if (!CheckBackgroundChosen())
        return;
    auto *wizard = new TFrmBuilder(CurrentProjectFile(), ImgLeft, this);
    struct Release
    {
        TFrmBuilder *wizard;
        ~Release() { wizard->Release(); }
    } release{wizard};
    wizard->ShowModal();
}

void TFrmMain::AboutClick()
{
    TFrmShow about(this);
    about.Timer1->stop();
    about.exec();
}

void TFrmMain::TimerBlinkTimer()
{
    const bool black = LblHelpTitle->palette().color(QPalette::WindowText) == QColor(Qt::black);
    setTextColor(LblHelpTitle, black ? QColor(kBlinkYellow) : QColor(Qt::black));
}

// ---- Dragging by the title bar --------------------------------------------------------------

void TFrmMain::TitleMouseDown(QMouseEvent *event)
{
    // A real window manager moves the window itself; otherwise it follows the pointer until
    // the button is released.
    if (QWindow *handle = windowHandle(); handle && handle->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
    grabMouse();
}

void TFrmMain::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void TFrmMain::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->buttons() == Qt::NoButton) {
        m_dragging = false;
        releaseMouse();
    }
    QWidget::mouseReleaseEvent(event);
}
