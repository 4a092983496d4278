#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The open project on disk: the project folder, the project file (an INI file named after the
// project) and its working copy (project file + ".tmp"), which holds the state of the last
// save so that the user can leave without saving. The main window owns one ProjectDocument
// and implements ProjectWindow for the steps that need windows; each editor window
// implements ProjectEditor for its save step.
namespace ly {

enum class ProjectModule { Background, Album, Flash, Movie, FrameCard };

// The windows that write the project file, in the order in which Save runs them.
enum class ProjectEditorKind { Background, Album, Flash, Movie, FrameCard, BuildSettings };

// The optional modules of a project; the background is always present.
struct ModuleChoice
{
    bool album = false;
    bool flash = false;
    bool frameCard = false;
    bool movie = false;

    bool any() const { return album || flash || frameCard || movie; }
    bool operator==(const ModuleChoice &) const = default;
};

enum class SaveAnswer { Yes, No, Cancel };

class ProjectDocument;

class ProjectEditor
{
public:
    virtual ~ProjectEditor() = default;
    // Writes the editor's own sections of the project file.
    virtual void SaveStep(const ProjectDocument &project) = 0;
};

class ProjectWindow
{
public:
    virtual ~ProjectWindow() = default;
    // Asks SaveProjectQuestion(projectFileName) with Yes, No and Cancel.
    virtual SaveAnswer AskSaveProject(const QString &projectFileName) = 0;
    // PrepareProject has just written the module's key: the window shows or hides its page
    // button and, when chosen, opens its editor (which loads its sections when its open mark
    // is set).
    virtual void PrepareModule(ProjectModule module, bool chosen) = 0;
    // PrepareProject has written every module key: the window opens the build settings page
    // and brings the background page to the front.
    virtual void ModulesPrepared() = 0;
    // The editor window of that kind, or nullptr when it does not exist.
    virtual ProjectEditor *ExistingEditor(ProjectEditorKind kind) = 0;
    // Save puts the project at the top of the recent-projects list.
    virtual void AddRecentProject(const QString &projectFile) = 0;
    // Close destroys every editor window and its dialogs.
    virtual void DestroyEditors() = 0;
};

// The outcome of CreateProject. EmptyName, NoModule and CannotWrite leave everything as it
// was (CannotWrite: the location does not exist, the name is no valid file name or the
// template could not be written); AlreadyExists means a project file of that name is there
// and was not touched.
enum class NewProjectResult { Created, EmptyName, NoModule, AlreadyExists, CannotWrite };
enum class ExistingProject { Keep, Replace };

struct NewProjectPaths
{
    QString folder;      // location + name + separator
    QString projectFile; // folder + name + ".zpj"
};

// The [Application] key of a module ("FrmBlk", "FrmPicture", "FrmFlash", "FrmMovie",
// "FrmPictureText").
QString ModuleKey(ProjectModule module);
// True when the project file holds "1" for the module's key; anything else means absent.
bool ReadModuleKey(const QString &projectFile, ProjectModule module);

QString WorkingCopyOf(const QString &projectFile);
// Folder and file of a new project; the location may end with a separator or not. Both
// texts are trimmed.
NewProjectPaths NewProjectPathsOf(const QString &location, const QString &name);
// The default location of New and start folder of Open: config.ini [System] OpenDir, empty
// meaning ProgramDir() + "Project", a program-relative value expanded.
QString DefaultProjectLocation();
// The template that a new project file starts from (CR LF line ends).
QByteArray ProjectTemplate();
// "Do you want to save this document [%s]?"
QString SaveProjectQuestion(const QString &projectFileName);

class ProjectDocument
{
public:
    explicit ProjectDocument(ProjectWindow &window);

    // The project file's path; it keeps its value after Close.
    const QString &CurrentProjectFile() const { return m_currentProjectFile; }
    // Whether a project is open (the window shows its path in the status line).
    bool IsOpen() const { return m_open; }
    bool Modified() const { return m_modified; }
    // The window's page buttons mark the project modified.
    void SetModified(bool modified) { m_modified = modified; }
    // Set for the modules of an opened project; an editor created while its mark is set
    // loads its sections. Nothing clears the marks while the program runs.
    bool OpenMark(ProjectModule module) const { return m_openMarks[size_t(module)]; }
    ModuleChoice Modules() const { return m_modules; }

    // The project folder with a trailing separator, the bare project file name, and the
    // working copy's path.
    QString ProjectFolder() const;
    QString ProjectFileName() const;
    QString WorkingCopyFile() const;

    // New, first step: checks the dialog's input, writes the template into
    // location/name/name.zpj (one folder level is made) and makes it the current project
    // file. An existing project file is replaced only with ExistingProject::Replace. On
    // Created the dialog hides and runs PrepareProject with the same modules.
    NewProjectResult CreateProject(const QString &location, const QString &name,
                                   ModuleChoice modules,
                                   ExistingProject existing = ExistingProject::Keep);
    // Opens an existing project file; a missing one is not reported (PrepareProject's first
    // write creates it).
    void OpenProject(const QString &path);
    // Records the module keys (each just before the window opens that module's editor) and
    // refreshes the working copy; the project is open afterwards. Runs for New, Open and Edit
    // Project.
    void PrepareProject(bool album, bool flash, bool frameCard, bool movie);
    // Save: every existing editor writes its sections, in ProjectEditorKind order; then the
    // working copy is refreshed and the recent list updated (both only when the working copy
    // exists).
    void Save1Click();
    // The save prompt, when a project is open and modified. Yes saves; No restores the
    // project file from the working copy and deletes the working copy (when the project file
    // cannot be restored, ly::Error "Unable to write to <project file>" stops the command and
    // the working copy stays); Cancel throws ly::SilentAbort, which stops the asking command
    // without any further step.
    void QuerySaveProject();
    // Close All: the prompt, then the editors go, the project counts as closed and its
    // working copy is deleted.
    void MemuCloseClick();
    // The title bar's exit: the prompt, then the working copy of an open project is deleted.
    // ("Exit Program" ends the program without any of this and leaves the working copy.)
    void LeaveByExitButton();

private:
    void RevertToWorkingCopy();

    ProjectWindow &m_window;
    QString m_currentProjectFile;
    bool m_open = false;
    bool m_modified = false;
    std::array<bool, 5> m_openMarks{};
    ModuleChoice m_modules;
};

} // namespace ly
