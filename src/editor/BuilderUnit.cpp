#include "editor/BuilderUnit.h"

#include "card/CardFile.h"
#include "card/Package.h"
#include "card/Packer.h"
#include "card/StagedFile.h"
#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/FileHelpers.h"
#include "shared/Ini.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ly {

namespace {

const QString kSystem = QStringLiteral("System");
const QString kFrmBlk = QStringLiteral("FrmBlk");
const QString kFrmPicture = QStringLiteral("FrmPicture");
const QString kFrmFlash = QStringLiteral("FrmFlash");
const QString kFrmMovie = QStringLiteral("FrmMovie");
constexpr int kFileBarMaximum = 15;

// One row of the build: its kind, the texts the wizard shows and the step bar's positions
// after the entry's line is added (-1: not moved) and after its data is appended.
struct Step
{
    const char *id;
    const char *zipShow;
    int barAfterLine;
    int barAfterAppend;
    const char *fileShow;
};

enum StepIndex { BlkTmpStep, MusicStep, PictureStep, ResStep, FlashStep, PicBoxStep, MovieStep, ZpjStep };

constexpr Step kSteps[] = {
    {"BlkTmp", "Compress the background animation", -1, 1, "Join the background animation success"},
    {"Music", "Compress the music document", 2, 3, "Join music  document success"},
    {"Picture", "Compress the greeting card picture", 4, 5, "Join the greeting card picture success"},
    {"Res", "Compress the resources document", 6, 7, "Join the resources document success"},
    {"Flash", "Compress the animation of Flash", 8, 9, "Join the Flash animation success"},
    {"PicBox", "Compress the frame picture", 10, 11, "Join the frame picture success"},
    {"Movie", "Compress the film", 12, 13, "Join the film success"},
    {"zpj", "The check installs the document", -1, 14, "Join to install the document success"},
};

// The package files the build leaves in the project folder while it runs.
const char *const kPackageFiles[] = {"Flash.tmp", "Music.tmp", "PicBox.tmp", "Picture.tmp",
                                     "Res.tmp"};

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString projectFolderOf(const QString &projectFile)
{
    return AddTrailingBackslash(QDir::cleanPath(QFileInfo(projectFile).absolutePath()));
}

// The file name part of a stored path ("\Music\a.mp3" gives "a.mp3").
QString bareName(const QString &stored)
{
    const qsizetype cut = std::max(stored.lastIndexOf(QLatin1Char('\\')),
                                   stored.lastIndexOf(QLatin1Char('/')));
    return stored.mid(cut + 1);
}

// An integer key as the profile functions read it: 0 when absent or not a number.
int readInteger(const QString &file, const QString &section, const QString &key)
{
    return ReadIni(section, key, file).toInt();
}

// The bare names of the keys prefix + 0 ... prefix + count - 1 of a section. Only the keys the
// section has are read, so a wild count costs nothing.
QStringList listedNames(const QString &file, const QString &section, const QString &prefix,
                        int count)
{
    QStringList names;
    for (const QString &key : ini::keys(file, section)) {
        if (!key.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString digits = key.mid(prefix.size());
        const qint64 index = package::decimalValue(digits);
        if (index < 0 || index >= count || (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))))
            continue;
        names.append(bareName(ReadIni(section, key, file)));
    }
    return names;
}

// Deletes the files directly in folder that the referenced names do not account for, when
// their number differs from the number of items the project lists.
void tidyFolder(const QString &folder, int listed, const QStringList &referenced,
                const QString &kept = QString())
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    if (files.size() == listed)
        return;
    for (const QString &name : referenced)
        files.removeOne(name);
    for (const QString &name : files)
        if (name != kept)
            QFile::remove(AddTrailingBackslash(folder) + name);
}

// The recorded voice is deleted only where its stored path says: below the project folder.
void deleteRecordedVoice(const QString &projectFile, const QString &projectFolder)
{
    if (readInteger(projectFile, kFrmBlk, QStringLiteral("RecordCheckFlag")) != 0)
        return;
    const QString stored = ReadIni(kFrmBlk, QStringLiteral("RecordEdtName"), projectFile);
    if (!stored.startsWith(QLatin1Char('\\')))
        return;
    const QString path = QDir::cleanPath(StoredToNative(stored, projectFolder));
    if (path.startsWith(projectFolder) && QFileInfo(path).isFile())
        QFile::remove(path);
}

// The bare name of the recorded voice when the project uses one stored in its Music folder
// ([FrmBlk] RecordCheckFlag not 0, RecordEdtName "\Music\" + name); else empty.
QString usedRecording(const QString &projectFile)
{
    if (readInteger(projectFile, kFrmBlk, QStringLiteral("RecordCheckFlag")) == 0)
        return QString();
    const QString stored = ReadIni(kFrmBlk, QStringLiteral("RecordEdtName"), projectFile);
    const QString prefix = QStringLiteral("\\Music\\");
    if (!stored.startsWith(prefix, Qt::CaseInsensitive))
        return QString();
    const QString name = stored.mid(prefix.size());
    return package::isBareFileName(name) ? name : QString();
}

// The folders whose files go into the card.
const char *const kMediaFolders[] = {"BlkTmp", "Music", "Picture", "Res", "Flash", "PicBox",
                                     "Movie"};

// Whether path lies in one of the project's media folders (or below one), where the build
// would pack the card into itself and the next tidy would delete it.
bool insideMediaFolder(const QString &projectFile, const QString &path)
{
    const QString folder = projectFolderOf(projectFile);
    QString at = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    if (at.isEmpty())
        return false;
    at = AddTrailingBackslash(at);
    for (const char *name : kMediaFolders) {
        const QString media = QFileInfo(folder + QLatin1String(name)).canonicalFilePath();
        if (!media.isEmpty() && at.startsWith(AddTrailingBackslash(media)))
            return true;
    }
    return false;
}

bool hasExeExtension(const QString &path)
{
    return path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

void copyStub(const QString &target)
{
    QFile stub(CardStubFile());
    if (!stub.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read the player \"%1\". %2")
                        .arg(stub.fileName(), stub.errorString()));
    const QByteArray bytes = stub.readAll();
    StagedFile out(target);
    out.open();
    out.writeAll(bytes);
    out.commit();
    // The copy is a program that anyone who may read it may run.
    QFile::setPermissions(target, stub.permissions() | QFile::WriteOwner | QFile::ExeOwner
                                      | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
}

void writeTextFile(const QString &path, const QString &text)
{
    StagedFile out(path);
    out.open();
    out.writeAll(codepage::fromUnicode(text));
    out.commit();
}

void processPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

QString BuilderCheckText(BuilderCheck check)
{
    switch (check) {
    case BuilderCheck::Ok:
        break;
    case BuilderCheck::NoBackground:
        return kChooseBackgroundText;
    case BuilderCheck::BadOutputPath:
        return kSaveCardText;
    case BuilderCheck::StubMissing:
        return kStubMissingText;
    }
    return QString();
}

int BuilderCheckKind(BuilderCheck check)
{
    switch (check) {
    case BuilderCheck::Ok:
        break;
    case BuilderCheck::NoBackground:
    case BuilderCheck::BadOutputPath:
        return 2;
    case BuilderCheck::StubMissing:
        return 1;
    }
    return 0;
}

QString CardStubFile()
{
    return ProgramDir() + QStringLiteral("Cardstub.dll");
}

BuilderCheck CheckBackground(const QString &projectFile)
{
    return ReadIni(kFrmBlk, QStringLiteral("BlkCheckName"), projectFile).isEmpty()
               ? BuilderCheck::NoBackground
               : BuilderCheck::Ok;
}

QString SavedOutputFile(const QString &projectFile)
{
    return ReadIni(kSystem, QStringLiteral("SaveToFileName"), projectFile);
}

void TidyProjectFolder(const QString &projectFile)
{
    // A project file that cannot be read lists nothing: the folder is left alone rather than
    // emptied.
    QFile file(projectFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = package::splitLines(codepage::toUnicode(file.readAll()));
    file.close();

    const QString folder = projectFolderOf(projectFile);
    const auto tidyListed = [&](const QString &name, const QString &section,
                                const QString &countKey, const QString &prefix,
                                const QString &kept = QString()) {
        const int count = readInteger(projectFile, section, countKey);
        tidyFolder(folder + name, count, listedNames(projectFile, section, prefix, count), kept);
    };
    tidyListed(QStringLiteral("Movie"), kFrmMovie, QStringLiteral("Number"), QStringLiteral("Item"));
    deleteRecordedVoice(projectFile, folder);
    // A recording the project uses lies in Music beside the songs: it counts as one more
    // listed item there, so the tidy keeps it and the card carries it.
    {
        const int songs = readInteger(projectFile, kFrmBlk, QStringLiteral("MusicNumber"));
        QStringList music = listedNames(projectFile, kFrmBlk, QStringLiteral("MusicItem"), songs);
        const QString voice = usedRecording(projectFile);
        if (!voice.isEmpty())
            music.append(voice);
        tidyFolder(folder + QStringLiteral("Music"), int(songs + !voice.isEmpty()), music,
                   QStringLiteral("Temp.wav"));
    }
    tidyListed(QStringLiteral("Flash"), kFrmFlash, QStringLiteral("Number"),
               QStringLiteral("SwfItem_"));
    tidyListed(QStringLiteral("Picture"), kFrmPicture, QStringLiteral("PicShowNum"),
               QStringLiteral("Item"));

    // The frame card and the other editors refer to Res files by "\Res\" paths anywhere in
    // the project file: every such line counts once.
    QStringList resNames;
    for (const QString &line : lines) {
        const qsizetype at = line.indexOf(QLatin1String("\\res\\"), 0, Qt::CaseInsensitive);
        if (at >= 0)
            resNames.append(bareName(line.mid(at)).trimmed());
    }
    tidyFolder(folder + QStringLiteral("Res"), int(resNames.size()), resNames);
}

QString BrowseInitialFolder(const QString &projectFile)
{
    const QString projectFolder = projectFolderOf(projectFile);
    const QString saveDir = ReadConfig(kSystem, QStringLiteral("SaveDir"));
    if (saveDir.isEmpty())
        return projectFolder;
    const QString folder = StoredToNative(saveDir, projectFolder);
    EnsureDir(folder);
    return QFileInfo(folder).isDir() ? folder : projectFolder;
}

QString BrowseProposedName(const QString &projectFile)
{
    return QFileInfo(projectFile).fileName().chopped(4);
}

QString BrowsedOutputFile(const QString &chosen)
{
    if (hasExeExtension(chosen))
        return chosen;
    return chosen + QStringLiteral(".exe");
}

BuilderCheck CheckOutput(const QString &projectFile, const QString &outputPath)
{
    const qsizetype slash = outputPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || slash == outputPath.size() - 1 || !hasExeExtension(outputPath)
        || !QFileInfo(slash == 0 ? QStringLiteral("/") : outputPath.left(slash)).isDir()
        || insideMediaFolder(projectFile, outputPath))
        return BuilderCheck::BadOutputPath;
    if (!QFileInfo(CardStubFile()).isFile())
        return BuilderCheck::StubMissing;
    return BuilderCheck::Ok;
}

void StartCard(const QString &projectFile, const QString &outputPath)
{
    const QString folder = projectFolderOf(projectFile);
    if (ReadIni(kSystem, QStringLiteral("FlashOcxFlag"), projectFile) == QLatin1String("1")) {
        EnsureDir(folder + QStringLiteral("Flash"));
        CopyFileReplacing(ProgramDir() + QStringLiteral("ocx/Flash.ocx"),
                          folder + QStringLiteral("Flash/Flash.ocx"));
    }
    WriteIni(kSystem, QStringLiteral("SaveToFileName"), outputPath, projectFile);
    WriteIni(kSystem, QStringLiteral("BuilderDate"), today(), projectFile);
    copyStub(outputPath);
}

// One entry of the card: the row of the build it belongs to, its FileName, the file its data
// comes from and, for a package, the folder to pack into that file first.
struct CardBuilder::Planned
{
    int step;
    QString fileName;
    QString dataPath;
    QString packFolder;
};

CardBuilder::CardBuilder(const QString &projectFile, const QString &outputPath,
                         BuildProgress &progress)
    : m_projectFile(projectFile)
    , m_projectFolder(projectFolderOf(projectFile))
    , m_outputPath(outputPath)
    , m_progress(progress)
{
}

void CardBuilder::Cancel()
{
    // PackFolder clears StopRequest when it returns, so the builder keeps its own record.
    m_cancelled = true;
    StopRequest = 1;
}

QList<CardBuilder::Planned> CardBuilder::plan() const
{
    const auto key = [this](const QString &section, const char *name) {
        return ReadIni(section, QLatin1String(name), m_projectFile);
    };
    const auto holdsFiles = [this](const QString &name) {
        return CountFiles(m_projectFolder + name) > 0;
    };
    const QString zero = QStringLiteral("0");
    QList<Planned> entries;
    const auto addPackage = [&](int step, bool condition) {
        const QString name = QLatin1String(kSteps[step].id);
        if (condition && holdsFiles(name))
            entries.append({step, name + QStringLiteral(".Tmp"),
                            PackagePathOf(m_projectFolder + name), m_projectFolder + name});
    };

    if (holdsFiles(QStringLiteral("BlkTmp")) && key(kFrmBlk, "BlkCheckName") == QLatin1String("1")) {
        const QString name = key(kFrmBlk, "BlkTmpName");
        entries.append({BlkTmpStep, name, m_projectFolder + QStringLiteral("BlkTmp/") + name, {}});
    }
    addPackage(MusicStep, true);
    addPackage(PictureStep, key(kFrmPicture, "PicShowNum") != zero);
    addPackage(ResStep, true);
    addPackage(FlashStep, key(kFrmFlash, "Number") != zero);
    addPackage(PicBoxStep, key(kFrmPicture, "FillBoxPicFlag") != zero);
    if (holdsFiles(QStringLiteral("Movie")) && key(kFrmMovie, "Number") != zero) {
        const int count = key(kFrmMovie, "Number").toInt();
        for (int i = 0; i < count; ++i) {
            const QString name = bareName(ReadIni(kFrmMovie, QStringLiteral("Item%1").arg(i), m_projectFile));
            entries.append({MovieStep, name, m_projectFolder + QStringLiteral("Movie/") + name, {}});
            // A missing movie ends the build here, before anything is packed.
            if (!QFileInfo(entries.last().dataPath).isFile())
                break;
        }
    }
    entries.append({ZpjStep, QFileInfo(m_projectFile).fileName(), m_projectFile, {}});

    // Everything is checked before the first package is made, so a build that cannot finish
    // fails at once.
    for (const Planned &entry : entries) {
        if (entry.packFolder.isEmpty() && !QFileInfo(entry.dataPath).isFile())
            throw Error(QStringLiteral("Did not find the file \"%1\".").arg(entry.dataPath));
        if (!package::isBareFileName(entry.fileName) || !package::isStorableName(entry.fileName))
            throw Error(QStringLiteral("The name \"%1\" cannot be stored in the card.")
                            .arg(entry.fileName));
    }
    return entries;
}

bool CardBuilder::cancelled()
{
    if (StopRequest == 1)
        m_cancelled = true;
    return m_cancelled;
}

CardBuilder::Outcome CardBuilder::Build()
{
    // Whatever happens, the packages made for the card do not stay in the project folder.
    struct PackageCleanup
    {
        CardBuilder *builder;
        ~PackageCleanup() { builder->deletePackages(); }
    } packageCleanup{this};

    // A stop asked for before the build started is recorded by Cancel(); a stale flag is not.
    StopRequest = 0;
    m_entryTable.clear();
    m_progress.SetFileBar(0, kFileBarMaximum);
    try {
        m_cardSize = QFileInfo(m_outputPath).size();
        const QList<Planned> entries = plan();
        int shownStep = -1;
        for (const Planned &entry : entries) {
            if (cancelled())
                break;
            if (entry.step != shownStep) {
                m_progress.SetZipShow(QLatin1String(kSteps[entry.step].zipShow));
                shownStep = entry.step;
            }
            if (!entry.packFolder.isEmpty()) {
                PackFolder(entry.packFolder);
                if (cancelled())
                    break;
            }
            append(entry);
            processPendingMessages();
        }
        if (cancelled()) {
            QFile::remove(m_outputPath);
            // The stop was for this build; it must not linger for the next pack.
            StopRequest = 0;
            return Outcome::Cancelled;
        }
        writeTable();
    } catch (const Error &e) {
        QFile::remove(m_outputPath);
        throw Error(QStringLiteral("The greeting card was not built. ") + e.text());
    } catch (...) {
        QFile::remove(m_outputPath);
        throw;
    }
    m_progress.SetFileBar(kFileBarMaximum, kFileBarMaximum);
    m_progress.SetFileShow(QStringLiteral("Born success of greeting card"));
    m_progress.SetZipShow(QString());

    WriteConfig(QStringLiteral("Finished"), QStringLiteral("FinishedExe"), m_outputPath);
    const QString outputName = QFileInfo(m_outputPath).fileName();
    try {
        writeTextFile(QFileInfo(m_outputPath).absolutePath() + QStringLiteral("/readme.txt"),
                      QStringLiteral("Elucidation:\r\n\r\nThis application procedure [%1] have "
                                     "already packed all materials, it can computing in the "
                                     "other on board circulate alone\r\n")
                          .arg(outputName));
    } catch (const Error &) {
        // The note is a courtesy: the card is complete without it.
    }
    return Outcome::Built;
}

void CardBuilder::append(const Planned &entry)
{
    const Step &step = kSteps[entry.step];
    const QFileInfo data(entry.dataPath);
    if (!data.isFile())
        throw Error(QStringLiteral("Did not find the file \"%1\".").arg(entry.dataPath));
    const qint64 size = data.size();
    m_entryTable.append(card::entryLine(QLatin1String(step.id), entry.fileName, size));
    if (step.barAfterLine >= 0)
        m_progress.SetFileBar(step.barAfterLine, kFileBarMaximum);
    // The player reads sizes and offsets as 32-bit signed values.
    if (m_cardSize + size + card::tableAndTrailer(m_entryTable).size() >= kPackageSizeLimit)
        throw Error(QStringLiteral("The card would reach 2 GB."));
    if (!AppendFile(entry.dataPath, m_outputPath))
        throw Error(QStringLiteral("Could not join \"%1\" to \"%2\".")
                        .arg(entry.dataPath, m_outputPath));
    m_cardSize += size;
    m_progress.SetFileBar(step.barAfterAppend, kFileBarMaximum);
    m_progress.SetFileShow(QLatin1String(step.fileShow));
}

void CardBuilder::writeTable()
{
    const QByteArray bytes = card::tableAndTrailer(m_entryTable);
    QFile out(m_outputPath);
    if (!out.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) || !out.seek(out.size())
        || out.write(bytes) != bytes.size() || !out.flush())
        throw Error(QStringLiteral("Could not write the entry table to \"%1\". %2")
                        .arg(m_outputPath, out.errorString()));
}

void CardBuilder::deletePackages()
{
    for (const char *name : kPackageFiles)
        QFile::remove(m_projectFolder + QLatin1String(name));
}

QString PreviewExeFile(const QString &projectFile)
{
    return projectFolderOf(projectFile) + QStringLiteral("Preview.exe");
}

BuilderCheck PreparePreview(const QString &projectFile)
{
    if (CheckBackground(projectFile) != BuilderCheck::Ok)
        return BuilderCheck::NoBackground;
    // Without the stub there would be nothing to start.
    if (!QFileInfo(CardStubFile()).isFile())
        return BuilderCheck::StubMissing;
    WriteIni(kSystem, QStringLiteral("BuilderDate"), today(), projectFile);
    copyStub(PreviewExeFile(projectFile));
    writeTextFile(projectFolderOf(projectFile) + QStringLiteral("Preview.qrj"),
                  QFileInfo(projectFile).fileName() + QStringLiteral("\r\n"));
    return BuilderCheck::Ok;
}

} // namespace ly
