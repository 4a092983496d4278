#include "editor/BackgroundMedia.h"

#include "card/Package.h"
#include "card/StoredPath.h"
#include "editor/VoiceRecording.h"
#include "shared/Error.h"
#include "shared/FileHelpers.h"
#include "shared/FileText.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace ly {

namespace {

// Two folders are the same when their cleaned absolute paths are.
bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
           == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

QString bareNameOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return package::isBareFileName(name) ? name : QString();
}

} // namespace

QString MusicRow::path() const
{
    return AddTrailingBackslash(folder) + name;
}

QString BlkPackageName(int index)
{
    const QString n = ReadConfig(QStringLiteral("BlkCartoon"),
                                 QStringLiteral("Cartoon") + QString::number(index));
    if (n.isEmpty() || !package::isBareFileName(n + QStringLiteral(".tmp")))
        return QString();
    return n + QStringLiteral(".tmp");
}

QString BlkPackageFile(int index)
{
    const QString name = BlkPackageName(index);
    return name.isEmpty() ? QString() : ProgramDir() + QStringLiteral("Blk/") + name;
}

int MusicIconIndex(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    static const char *const types[] = {"mid", "wav", "mp3", "wma"};
    for (int i = 0; i < 4; ++i)
        if (ext == QLatin1String(types[i]))
            return i;
    return -1;
}

QString SizeTextOrEmpty(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return QString();
    try {
        return SizeText(file);
    } catch (const Error &) {
        return QString();
    }
}

BackgroundPaths PathsOfBackground(const FrmBlkSection &s, const QString &projectFolder)
{
    const QString folder = AddTrailingBackslash(projectFolder);
    BackgroundPaths paths;
    if (!s.fillPicture.isEmpty())
        paths.fillPicture = folder + storedpath::kRes + QLatin1Char('/') + s.fillPicture;
    for (const QString &name : s.musicItems)
        paths.music.append({name, folder + storedpath::kMusic + QLatin1Char('/')});
    if (!s.recordName.isEmpty())
        paths.recordFile = folder + storedpath::kMusic + QLatin1Char('/') + s.recordName;
    return paths;
}

bool CopyIntoFolder(const QString &file, const QString &folder)
{
    const QFileInfo source(file);
    const QString name = bareNameOf(file);
    if (name.isEmpty() || !source.isFile() || sameFolder(source.absolutePath(), folder))
        return false;
    EnsureDir(folder);
    return CopyFileIfAbsent(file, AddTrailingBackslash(folder) + name);
}

void SaveBackground(const BackgroundSave &save, const QString &projectFolder,
                    const QString &projectFile)
{
    using Kind = FrmBlkSection::Kind;
    const QString folder = AddTrailingBackslash(projectFolder);
    FrmBlkSection s = save.section;

    s.blkTmpName.clear();
    if (s.kind == Kind::Animation) {
        s.blkTmpName = BlkPackageName(s.blkIndex);
        if (!s.blkTmpName.isEmpty())
            CopyIntoFolder(BlkPackageFile(s.blkIndex), folder + QStringLiteral("BlkTmp"));
    }

    s.fillPicture.clear();
    if (s.kind == Kind::Picture) {
        const QString picture = save.fillPicture.trimmed();
        s.fillPicture = bareNameOf(picture);
        if (!s.fillPicture.isEmpty())
            CopyIntoFolder(picture, folder + storedpath::kRes);
    }

    const QString music = folder + storedpath::kMusic;
    s.musicItems.clear();
    if (s.music) {
        for (const MusicRow &row : save.music) {
            if (!package::isBareFileName(row.name))
                continue;
            s.musicItems.append(row.name);
            CopyIntoFolder(row.path(), music);
        }
    }

    // A recording whose file is gone leaves the stored name and moment as they were.
    s.recordName.clear();
    if (s.record) {
        const QString record = save.recordFile.trimmed();
        if (!record.isEmpty() && QFileInfo(record).isFile()) {
            s.recordName = bareNameOf(record);
            // The working file of the recording dialog holds the newest recording: its copy
            // in "Music" is brought up to date, where any other file is never replaced.
            if (!s.recordName.isEmpty() && IsVoiceWorkingFile(record)) {
                EnsureDir(music);
                CopyFileReplacing(record, AddTrailingBackslash(music) + s.recordName);
            } else if (!s.recordName.isEmpty()) {
                CopyIntoFolder(record, music);
            }
        }
    }

    WriteFrmBlkSection(projectFile, s);
}

} // namespace ly
