#include "editor/AlbumFiles.h"

#include "card/FrmPictureSection.h"
#include "control/PictureFile.h"
#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/Paths.h"
#include "shared/Settings.h"
#include "transitions/Effects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThread>

namespace ly {

namespace {

QStringList splitEffectList(const QString &value)
{
    QStringList names = value.split(QLatin1Char(';'));
    names.removeLast(); // the text after the last ";" (all of it when there is none)
    return names;
}

QString folderOf(const QString &path)
{
    return AddTrailingBackslash(QFileInfo(path).absolutePath());
}

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
           == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// Another spelling of the name in the folder (its case differs).
QStringList otherSpellings(const QString &folder, const QString &name)
{
    QStringList found;
    for (const QString &entry : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found.append(entry);
    return found;
}

} // namespace

// ---- Effect tree --------------------------------------------------------------------------

QStringList AlbumEffectNames(const QString &list1, const QString &list2, const QString &list3)
{
    QStringList joined = splitEffectList(list1) + splitEffectList(list2) + splitEffectList(list3);
    QStringList nodes;
    if (joined.size() == kAlbumEffectNodes) {
        for (qsizetype i = joined.size() - 1; i >= 0; --i)
            nodes.append(joined.at(i));
        return nodes;
    }
    nodes.append(kAlbumRandomName);
    for (int k = 1; k <= kAlbumStyleCount; ++k)
        nodes.append(transitions::styleName(AlbumStyleOfIndex(k)));
    return nodes;
}

QStringList ReadAlbumEffectNames()
{
    const QString section = QStringLiteral("FrmPicture");
    return AlbumEffectNames(ReadConfig(section, QStringLiteral("StyleName1")),
                            ReadConfig(section, QStringLiteral("StyleName2")),
                            ReadConfig(section, QStringLiteral("StyleName3")));
}

// ---- Frame sets ---------------------------------------------------------------------------

QString FrameSetsFolder()
{
    return ProgramDir() + QStringLiteral("BoxPicture/PicBoxFull/");
}

QStringList ListFrameSets(const QString &folder)
{
    QStringList sets;
    const QStringList entries =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &entry : entries)
        if (!entry.contains(QLatin1Char('.')))
            sets.append(entry);
    return sets;
}

QString FileInFolder(const QString &folder, const QString &name)
{
    const QString dir = AddTrailingBackslash(folder);
    if (QFileInfo::exists(dir + name))
        return dir + name;
    const QStringList others = otherSpellings(dir, name);
    return others.isEmpty() ? dir + name : dir + others.first();
}

QStringList MissingFramePieces(const QString &folder)
{
    QStringList missing;
    for (const char *piece : kFramePieces) {
        const QString file = FileInFolder(folder, QLatin1String(piece));
        QImageReader reader(file);
        if (!QFileInfo(file).isFile() || !reader.canRead() || !reader.size().isValid())
            missing.append(QLatin1String(piece));
    }
    return missing;
}

bool CopyFrameSet(const QString &setFolder, const QString &projectFolder, QString *error)
{
    const QString target = AddTrailingBackslash(projectFolder) + QStringLiteral("PicBox/");
    const auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    const QStringList missing = MissingFramePieces(setFolder);
    if (!missing.isEmpty())
        return fail(AddTrailingBackslash(setFolder) + missing.first());
    QDir().mkpath(target);
    // Every piece goes to a scratch name first; only when all eight are there do they take
    // their names, so a failed copy never leaves a frame of two sets.
    QStringList staged;
    const auto dropStaged = [&staged] {
        for (const QString &file : staged)
            QFile::remove(file);
    };
    for (const char *piece : kFramePieces) {
        const QString from = FileInFolder(setFolder, QLatin1String(piece));
        const QString scratch = target + QStringLiteral(".") + QLatin1String(piece) + QStringLiteral(".new");
        QFile::remove(scratch);
        if (!QFile::copy(from, scratch)) {
            dropStaged();
            return fail(from);
        }
        staged.append(scratch);
    }
    for (int i = 0; i < int(kFramePieces.size()); ++i) {
        const QString name = QLatin1String(kFramePieces[size_t(i)]);
        for (const QString &other : otherSpellings(target, name))
            QFile::remove(target + other);
        QFile::remove(target + name);
        QFile::rename(staged.at(i), target + name);
    }
    return true;
}

// ---- Copies of the save step --------------------------------------------------------------

QString CopyFillPicture(const QString &file, const QString &projectFolder)
{
    const QString name = QFileInfo(file).fileName();
    const QString res = AddTrailingBackslash(projectFolder) + QStringLiteral("Res/");
    if (sameFolder(folderOf(file), res))
        return name;
    QDir().mkpath(res);
    const QString there = FileInFolder(res, name);
    if (QFileInfo::exists(there))
        return QFileInfo(there).fileName();
    QFile::copy(file, res + name);
    return name;
}

bool CopyAlbumPicture(const QString &folder, const QString &name, const QString &projectFolder)
{
    const QString pictures = AddTrailingBackslash(projectFolder) + QStringLiteral("Picture/");
    if (sameFolder(folder, pictures))
        return true;
    QDir().mkpath(pictures);
    if (QFileInfo::exists(pictures + name))
        return true;
    return QFile::copy(AddTrailingBackslash(folder) + name, pictures + name);
}

// ---- Measuring added pictures -------------------------------------------------------------

QString AlbumPictureInfo::pixelText() const
{
    if (!pixels.isValid())
        return QString();
    return QString::number(pixels.width()) + QStringLiteral(" X ") + QString::number(pixels.height());
}

AlbumPictureInfo MeasureAlbumPicture(const QString &file)
{
    AlbumPictureInfo info;
    const QFileInfo fi(file);
    info.exists = fi.isFile();
    if (!info.exists)
        return info;
    try {
        info.sizeText = SizeText(file);
    } catch (const Error &) {
        info.exists = false;
        return info;
    }
    QImageReader reader(file);
    QSize size = reader.canRead() ? reader.size() : QSize();
    if (!size.isValid()) {
        // Metafiles and the few readers that give no size without decoding.
        const PictureFile picture = ReadPictureFile(file);
        if (picture.ok())
            size = picture.fullSize;
    }
    info.pixels = size;
    info.readable = size.isValid() && !size.isEmpty();
    if (!info.readable)
        info.pixels = QSize();
    return info;
}

AlbumPictureMeasurer::AlbumPictureMeasurer(QObject *parent)
    : QObject(parent), m_thread(new QThread), m_worker(new QObject)
{
    qRegisterMetaType<ly::AlbumPictureInfo>();
    m_thread->setObjectName(QStringLiteral("AlbumPictureMeasurer"));
    m_worker->moveToThread(m_thread);
    m_thread->start(QThread::LowPriority);
}

AlbumPictureMeasurer::~AlbumPictureMeasurer()
{
    ++m_generation;
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

void AlbumPictureMeasurer::Measure(quint64 id, const QString &file)
{
    const quint64 generation = m_generation;
    ++m_pending;
    QMetaObject::invokeMethod(m_worker, [this, id, file, generation] {
        // Asked before a Cancel: not worth reading.
        const AlbumPictureInfo info =
            generation == m_generation ? MeasureAlbumPicture(file) : AlbumPictureInfo();
        QMetaObject::invokeMethod(this, [this, id, info, generation] {
            --m_pending;
            if (generation == m_generation)
                Q_EMIT Measured(id, info);
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

} // namespace ly
