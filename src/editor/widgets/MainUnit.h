#pragma once

#include "editor/ProjectDocument.h"
#include "editor/widgets/EditorWindow.h"
#include "shared/widgets/ListHelpers.h"

#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TFrmProcess;
class TLyFullPicture;
class TlyImgBtn;
struct MainPage;

// The editor's main window. It owns the open project (a ProjectDocument, for which it is the
// ProjectWindow), shows one content page at a time in its docking area, and offers the
// program's commands through its menu bar (a tool bar), the page buttons, two pop-up menus,
// the title bar and the system menu. The window draws its own frame:
//
//   title bar (28)   icon, title over its shadow, "Click Here==>>", help, minimise, exit
//   ToolBar1         the menus " &File ", " &Setting ", " &Project ", " &Help "
//   PnlTop (62)      page buttons of 64 × 58, placed by PrepareProject; hidden without project
//   PnlDock          the editor windows, docked; a picture while it is empty
//   status bar (20)  the material download button and the status line (the project's path)
//   frame            4-pixel strips at the left, right and bottom
class TFrmMain : public QWidget, public ly::ProjectWindow
{
    Q_OBJECT

public:
    static constexpr int kTitleHeight = 28;
    static constexpr int kPageBarHeight = 62;
    static constexpr int kStatusHeight = 20;
    static constexpr int kFrame = 4;
    static constexpr int kPageButtonWidth = 64;
    static constexpr int kPageButtonHeight = 58;
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 570;
    // The commands the system menu gains.
    static constexpr int kSysHomePage = 99;
    static constexpr int kSysAbout = 100;

    // `arguments`: the command line without the program itself. Exactly one argument names a
    // project to open when the window is first shown.
    explicit TFrmMain(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TFrmMain() override;

    // The state editors read.
    ly::ProjectDocument &Project() { return m_project; }
    const QString &CurrentProjectFile() const { return m_project.CurrentProjectFile(); }
    bool Modified() const { return m_project.Modified(); }
    bool OpenMark(ly::ProjectModule module) const { return m_project.OpenMark(module); }
    // 0 system menu, 1 background, 2 album, 3 Flash, 4 movie, 5 frame card, 6 build settings,
    // mail menu or quick help; chooses the help topic.
    int PageType = 0;
    // The quick start window's answer: "New", "Open", a project path, or empty.
    QString QuickStartChoice;

    // The editor window of a kind, or nullptr when it does not exist.
    EditorWindow *Editor(ly::ProjectEditorKind kind) const;

    // Operations other windows call.
    void OpenProject(const QString &path);
    void PrepareProject(bool album, bool flash, bool frameCard, bool movie);
    void QuerySaveProject();
    void StopEditorMedia();
    void DeleteWhenUnlocked(const QString &file);
    // Shows the picture full screen, modally (the album editor and the picture choosers).
    void ShowPicturePreview(const QString &file);
    // The system menu's commands 99 (home page) and 100 (About); false for other commands.
    bool HandleAppMessage(int command);

    // The windows of each page; DefaultEditorFactory unless replaced.
    void setEditorFactory(ly::ProjectEditorKind kind, EditorFactory factory);
    // What the STARTUP_AIDS message runs: the quick start, tips and material download unless
    // replaced.
    void setStartupAids(std::function<void()> aids) { m_startupAids = std::move(aids); }
    // The file-open dialog: returns the chosen file or an empty text.
    using OpenFilePicker = std::function<QString(QWidget *owner, const QString &folder)>;
    void setOpenFilePicker(OpenFilePicker picker) { m_openFilePicker = std::move(picker); }

    // Hidden pictures that other windows copy, and the menu icons.
    QPixmap ImgBGTop;
    QPixmap ImgToolTop;
    QPixmap ImgLeft;
    ly::ImageList LstImgMenu;

    // Title bar.
    TLyFullPicture *PnlTitle;
    QToolButton *ImgIcon;
    QLabel *Lbl_Title2;
    QLabel *LblTitle;
    QLabel *LblHelpTitle;
    TlyImgBtn *Ttl_BtnHelp;
    TlyImgBtn *Ttl_BtnMin;
    TlyImgBtn *Ttl_BtnExit;
    QTimer *TimerBlink;
    QMenu *SystemMenu;
    QAction *SysMinimize;
    QAction *SysClose;
    QAction *SysHomePage;
    QAction *SysAbout;

    // Menu bar and menus.
    QToolBar *ToolBar1;
    QList<QMenu *> MainMenu1;
    QMenu *File1;
    QAction *New1;
    QAction *AddProject1;
    QAction *Open1;
    QMenu *Repont1;
    QAction *Save1;
    QAction *MemuClose;
    QAction *Exit1;
    QMenu *Settings;
    QAction *Background1;
    QAction *Album1;
    QAction *Flash1;
    QAction *Filems1;
    QAction *Frame1;
    QAction *SendMail1;
    QMenu *Project1;
    QAction *Preview1;
    QAction *Builder1;
    QAction *Option;
    QMenu *Help1;
    QAction *About;
    QAction *Index;
    QAction *Help;
    QAction *MainHttp;
    QAction *MyMail;
    QAction *UpdateSoft;
    QMenu *PopupMenu2;
    QAction *PopuOption;
    QAction *PopuQuickHelp;
    QAction *PopuUpdate;
    QMenu *PopupMenu_Mail;
    QAction *MenuOutlook;
    QAction *MenuQuillpost;

    // Page buttons.
    TLyFullPicture *PnlTop;
    QButtonGroup *PageGroup;
    QToolButton *SbnBlk;
    QToolButton *SbnPhoto;
    QToolButton *SbnFlash;
    QToolButton *SbnRealPlay;
    QToolButton *SbnPicText;
    QToolButton *SbnBuilder;
    QToolButton *SbnEmail;
    QToolButton *SbnSystem;

    TLyFullPicture *PnlDock;

    // Status bar and frame.
    TLyFullPicture *PnlBottom;
    TlyImgBtn *BtnDownLoad;
    QLabel *LblBtmText;
    TLyFullPicture *ImgFrameLeft;
    TLyFullPicture *ImgFrameRight;
    TLyFullPicture *ImgFrameBottom;

    // Created by the first PrepareProject.
    TFrmProcess *FrmProcess = nullptr;

public Q_SLOTS:
    void New1Click();
    void AddProject1Click();
    void Open1Click();
    void Save1Click();
    void MemuCloseClick();
    void Exit1Click();
    void SbnBlkClick();
    void SbnPhotoClick();
    void SbnFlashClick();
    void SbnRealPlayClick();
    void SbnPicTextClick();
    void SbnBuilderClick();
    void SbnEmailClick();
    void SbnSystemClick();
    void AboutClick();
    void IndexClick();
    void HelpClick();
    void MainHttpClick();
    void MyMailClick();
    void UpdateSoftClick();
    void OptionClick();
    void MenuQuillpostClick();
    void MenuOutlookClick();
    void Preview2Click();
    void Builder2Click();
    void Ttl_BtnHelpClick();
    void Ttl_BtnMinClick();
    void Ttl_BtnExitClick();
    void TimerBlinkTimer();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    // ly::ProjectWindow
    ly::SaveAnswer AskSaveProject(const QString &projectFileName) override;
    void PrepareModule(ly::ProjectModule module, bool chosen) override;
    void ModulesPrepared() override;
    ly::ProjectEditor *ExistingEditor(ly::ProjectEditorKind kind) override;
    void AddRecentProject(const QString &projectFile) override;
    void DestroyEditors() override;

private:
    struct DockedEditor
    {
        EditorWindow *editor = nullptr;
        QPointer<QWidget> window;
    };

    void BuildTitleBar();
    void BuildMenus();
    void BuildPageButtons();
    void BuildStatusBar();
    void BuildMenuIcons();
    void LoadTexts();
    void AlignParts();

    void FormCreate();
    void FormShow();
    void FormClose();
    void HandleAppException(const QString &text);
    void StartupAids();
    void LoadRecentProjects();
    void ReopenClick(const QString &projectFile);

    void PressPage(const MainPage &page);
    void ShowPage(const MainPage &page);
    EditorWindow *CreateEditor(ly::ProjectEditorKind kind);
    void DestroyEditor(ly::ProjectEditorKind kind);
    void HideFloatingWindows();
    // Preview and Build refuse a project without a chosen background: a warning, and the
    // background page comes in front. True when the background is there.
    bool CheckBackgroundChosen();
    void ProcessPendingMessages();
    void PlacePageButton(QToolButton *button);

    // The menu states of a closed and of an open project.
    void EnterNoProjectState();
    void EnterProjectOpenState();
    // What a failed New, Open or Edit Project leaves: no progress window, and no half-open
    // project.
    void RecoverFromFailedPrepare();

    void TitleMouseDown(QMouseEvent *event);
    void connectCommand(QAction *action, void (TFrmMain::*handler)());

    ly::ProjectDocument m_project;
    QStringList m_arguments;
    std::array<EditorFactory, 6> m_factories;
    std::array<DockedEditor, 6> m_editors;
    std::function<void()> m_startupAids;
    OpenFilePicker m_openFilePicker;
    QWidget *m_column = nullptr;
    int m_nextButtonX = 0;
    bool m_shownOnce = false;
    bool m_exitAtOnce = false;
    bool m_closing = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
