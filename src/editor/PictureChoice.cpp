#include "editor/PictureChoice.h"

#include "shared/FileHelpers.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ly {

namespace {

QString canonicalFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QString() : AddTrailingBackslash(canonical);
}

bool isBelow(const QString &path, const QString &folder)
{
    return !folder.isEmpty() && path.startsWith(folder);
}

// The file lies in a library folder that is part of the program folder.
bool inProgramLibrary(const QString &file, const QStringList &libraryFolders)
{
    const QString program = canonicalFolder(ProgramDir());
    const QString where = canonicalFolder(QFileInfo(file).absolutePath());
    for (const QString &folder : libraryFolders) {
        const QString library = canonicalFolder(folder);
        if (isBelow(library, program) && isBelow(where, library))
            return true;
    }
    return false;
}

QString copyFailed(const QString &file, const QString &target)
{
    return QStringLiteral("Cannot copy the picture \"%1\" to \"%2\".").arg(file, target);
}

} // namespace

ChosenPicture TakeOnePicture(const QString &file, const QStringList &libraryFolders)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return {{}, QStringLiteral("The picture \"%1\" does not exist.").arg(file)};
    const QString name = SanitizedFileName(info.fileName());
    if (name == info.fileName())
        return {file, {}};
    if (inProgramLibrary(file, libraryFolders)) {
        const QString renamed = SanitizeFileName(file);
        if (QFileInfo(renamed).isFile() && !QFileInfo::exists(file))
            return {renamed, {}};
    }
    QTemporaryDir folder(TempDir() + QStringLiteral("picture-XXXXXX"));
    if (!folder.isValid())
        return {{}, copyFailed(file, TempDir())};
    const QString target = AddTrailingBackslash(folder.path()) + name;
    if (!CopyFileReplacing(file, target))
        return {{}, copyFailed(file, target)};
    // The copy lives on for the editor that takes it.
    folder.setAutoRemove(false);
    return {target, {}};
}

ChosenPicture AddPictureToFolder(const QString &file, const QString &targetFolder,
                                 const std::function<bool(const QString &)> &isListed)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return {{}, QStringLiteral("The picture \"%1\" does not exist.").arg(file)};
    EnsureDir(targetFolder);
    const QString name = SanitizedFileName(info.fileName());
    const QString target = AddTrailingBackslash(targetFolder) + name;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists()) {
        if (targetInfo.canonicalFilePath() == info.canonicalFilePath()
            || SameFileContent(file, target) || (isListed && isListed(name)))
            return {target, {}};
    }
    if (!CopyFileReplacing(file, target))
        return {{}, copyFailed(file, target)};
    return {target, {}};
}

} // namespace ly
