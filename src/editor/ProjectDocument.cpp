#include "editor/ProjectDocument.h"

#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/FileHelpers.h"
#include "shared/Maker.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace ly {

namespace {

const QString kApplication = QStringLiteral("Application");
constexpr int kHeadWidth = 59;

// A head line: the text, blanks up to column 58 and ";" as the 59th character.
QString headLine(const QString &text)
{
    return text.leftJustified(kHeadWidth - 1, QLatin1Char(' '), true) + QLatin1Char(';');
}

// A project name must be one folder level and a plain file name.
bool validProjectName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32)
            return false;
    return true;
}

bool writeTemplate(const QString &file)
{
    const QByteArray bytes = ProjectTemplate();
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

} // namespace

QString ModuleKey(ProjectModule module)
{
    switch (module) {
    case ProjectModule::Background:
        return QStringLiteral("FrmBlk");
    case ProjectModule::Album:
        return QStringLiteral("FrmPicture");
    case ProjectModule::Flash:
        return QStringLiteral("FrmFlash");
    case ProjectModule::Movie:
        return QStringLiteral("FrmMovie");
    case ProjectModule::FrameCard:
        return QStringLiteral("FrmPictureText");
    }
    return {};
}

bool ReadModuleKey(const QString &projectFile, ProjectModule module)
{
    return ReadIni(kApplication, ModuleKey(module), projectFile) == QLatin1String("1");
}

QString WorkingCopyOf(const QString &projectFile)
{
    return projectFile + QStringLiteral(".tmp");
}

NewProjectPaths NewProjectPathsOf(const QString &location, const QString &name)
{
    const QString bareName = name.trimmed();
    NewProjectPaths paths;
    paths.folder = AddTrailingBackslash(AddTrailingBackslash(location.trimmed()) + bareName);
    paths.projectFile = paths.folder + bareName + QStringLiteral(".zpj");
    return paths;
}

QString DefaultProjectLocation()
{
    const QString dir = ReadConfig(QStringLiteral("System"), QStringLiteral("OpenDir"));
    if (dir.isEmpty())
        return ProgramDir() + QStringLiteral("Project");
    return ProgramPathToNative(dir);
}

QByteArray ProjectTemplate()
{
    const QStringList lines = {
        QLatin1Char(';') + QString(kHeadWidth - 1, QLatin1Char('=')),
        headLine(QStringLiteral(";            Welcome you use the Lyrabell!")),
        headLine(QStringLiteral("; Software: Lyrabell")),
        headLine(QStringLiteral("; producer: ") + QLatin1String(maker::kName)),
        headLine(QStringLiteral("; WorkDate: 2005-05-01")),
        headLine(QStringLiteral("; Homepage: ") + QLatin1String(maker::kHomePage)),
        headLine(QStringLiteral("; HomeMail: ") + QLatin1String(maker::kMailAddresses)),
        QString(kHeadWidth, QLatin1Char('=')),
        QString(),
        QString(),
        QStringLiteral("[Application]"),
        QStringLiteral("FrmBlk=0"),
        QStringLiteral("FrmPicture=0"),
        QStringLiteral("FrmFlash=0"),
        QStringLiteral("FrmMovie=0"),
        QStringLiteral("FrmPictureText=0"),
        QString(),
        QStringLiteral("[System]"),
        QStringLiteral("AutoRun=0"),
        QStringLiteral("ShowMsg="),
        QStringLiteral("OpenHttp=http://"),
        QStringLiteral("SendMail="),
        QStringLiteral("ShowMsgFlag=0"),
        QStringLiteral("OpenHttpFlag=0"),
        QStringLiteral("SendMailFlag=0"),
        QStringLiteral("FlashOcxFlag=0"),
        QStringLiteral("ArrowPanelFlag=1"),
    };
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += codepage::fromUnicode(line) + "\r\n";
    return bytes;
}

QString SaveProjectQuestion(const QString &projectFileName)
{
    return QStringLiteral("Do you want to save this document [%1]?").arg(projectFileName);
}

ProjectDocument::ProjectDocument(ProjectWindow &window)
    : m_window(window)
{
}

QString ProjectDocument::ProjectFolder() const
{
    return AddTrailingBackslash(QFileInfo(m_currentProjectFile).path());
}

QString ProjectDocument::ProjectFileName() const
{
    return QFileInfo(m_currentProjectFile).fileName();
}

QString ProjectDocument::WorkingCopyFile() const
{
    return WorkingCopyOf(m_currentProjectFile);
}

NewProjectResult ProjectDocument::CreateProject(const QString &location, const QString &name,
                                                ModuleChoice modules, ExistingProject existing)
{
    if (name.trimmed().isEmpty())
        return NewProjectResult::EmptyName;
    if (!modules.any())
        return NewProjectResult::NoModule;
    if (location.trimmed().isEmpty() || !validProjectName(name.trimmed()))
        return NewProjectResult::CannotWrite;

    const NewProjectPaths paths = NewProjectPathsOf(location, name);
    const QFileInfo file(paths.projectFile);
    if ((file.exists() || file.isSymLink()) && existing == ExistingProject::Keep)
        return NewProjectResult::AlreadyExists;
    EnsureDir(paths.folder);
    if (!writeTemplate(paths.projectFile))
        return NewProjectResult::CannotWrite;

    m_currentProjectFile = paths.projectFile;
    return NewProjectResult::Created;
}

void ProjectDocument::OpenProject(const QString &path)
{
    m_currentProjectFile =
        path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    CopyFileIfAbsent(m_currentProjectFile, WorkingCopyFile());

    m_openMarks[size_t(ProjectModule::Background)] = true;
    ModuleChoice choice;
    const struct
    {
        ProjectModule module;
        bool ModuleChoice::*chosen;
    } optional[] = {
        {ProjectModule::Album, &ModuleChoice::album},
        {ProjectModule::Flash, &ModuleChoice::flash},
        {ProjectModule::Movie, &ModuleChoice::movie},
        {ProjectModule::FrameCard, &ModuleChoice::frameCard},
    };
    for (const auto &m : optional) {
        if (ReadModuleKey(m_currentProjectFile, m.module)) {
            choice.*m.chosen = true;
            m_openMarks[size_t(m.module)] = true;
        }
    }
    PrepareProject(choice.album, choice.flash, choice.frameCard, choice.movie);
}

void ProjectDocument::PrepareProject(bool album, bool flash, bool frameCard, bool movie)
{
    m_modules = {album, flash, frameCard, movie};
    const struct
    {
        ProjectModule module;
        bool chosen;
    } steps[] = {
        {ProjectModule::Background, true}, {ProjectModule::Album, album},
        {ProjectModule::Flash, flash},     {ProjectModule::Movie, movie},
        {ProjectModule::FrameCard, frameCard},
    };
    for (const auto &step : steps) {
        WriteIni(kApplication, ModuleKey(step.module),
                 step.chosen ? QStringLiteral("1") : QStringLiteral("0"), m_currentProjectFile);
        m_window.PrepareModule(step.module, step.chosen);
    }
    m_window.ModulesPrepared();
    // Entering the pages marks the project modified.
    m_modified = true;
    CopyFileReplacing(m_currentProjectFile, WorkingCopyFile());
    m_open = true;
}

void ProjectDocument::Save1Click()
{
    if (!m_open)
        return;
    for (ProjectEditorKind kind :
         {ProjectEditorKind::Background, ProjectEditorKind::Album, ProjectEditorKind::Flash,
          ProjectEditorKind::Movie, ProjectEditorKind::FrameCard,
          ProjectEditorKind::BuildSettings}) {
        if (ProjectEditor *editor = m_window.ExistingEditor(kind))
            editor->SaveStep(*this);
    }
    m_modified = false;
    if (QFileInfo::exists(WorkingCopyFile())) {
        CopyFileReplacing(m_currentProjectFile, WorkingCopyFile());
        m_window.AddRecentProject(m_currentProjectFile);
    }
}

void ProjectDocument::QuerySaveProject()
{
    if (!m_open || !m_modified)
        return;
    switch (m_window.AskSaveProject(ProjectFileName())) {
    case SaveAnswer::Yes:
        Save1Click();
        break;
    case SaveAnswer::No:
        RevertToWorkingCopy();
        break;
    case SaveAnswer::Cancel:
        throw SilentAbort();
    }
}

void ProjectDocument::RevertToWorkingCopy()
{
    const QString workingCopy = WorkingCopyFile();
    if (!QFileInfo::exists(workingCopy))
        return;
    // The working copy is the only record of the saved state: when the project file cannot
    // take it back, the command stops and both files stay as they are.
    if (!CopyFileReplacing(workingCopy, m_currentProjectFile))
        throw Error(QStringLiteral("Unable to write to %1").arg(m_currentProjectFile));
    QFile::remove(workingCopy);
}

void ProjectDocument::MemuCloseClick()
{
    QuerySaveProject();
    m_window.DestroyEditors();
    m_open = false;
    if (!m_currentProjectFile.isEmpty())
        QFile::remove(WorkingCopyFile());
}

void ProjectDocument::LeaveByExitButton()
{
    QuerySaveProject();
    if (m_open)
        QFile::remove(WorkingCopyFile());
    m_open = false;
}

} // namespace ly
