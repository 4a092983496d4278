#include "editor/MusicChoice.h"

#include "editor/BackgroundMedia.h"
#include "shared/FileHelpers.h"
#include "shared/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ly {

QString FileExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QList<MusicFileRow> ListMusicFolder(const QString &folder)
{
    static const QStringList types = {QStringLiteral(".mid"), QStringLiteral(".wav"),
                                      QStringLiteral(".mp3"), QStringLiteral(".wma")};
    QList<MusicFileRow> rows;
    if (folder.isEmpty())
        return rows;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : names) {
        const QString type = FileExtension(name);
        if (!types.contains(type.toLower()))
            continue;
        rows.append({name, SizeTextOrEmpty(dir.filePath(name)), type});
    }
    return rows;
}

bool MusicRowBefore(MusicColumn column, const MusicFileRow &a, const MusicFileRow &b)
{
    switch (column) {
    case MusicColumn::Name:
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    case MusicColumn::Size:
        return a.sizeText < b.sizeText;
    case MusicColumn::Type:
        return a.type < b.type;
    }
    return false;
}

void SortMusicRows(QList<MusicFileRow> &rows, MusicColumn column, bool descending)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [column, descending](const MusicFileRow &a, const MusicFileRow &b) {
                         return descending ? MusicRowBefore(column, b, a)
                                           : MusicRowBefore(column, a, b);
                     });
}

bool MusicSortState::Click(int column)
{
    if (column < 0 || column >= 3)
        return false;
    bool descending = false;
    if (column != m_last) {
        m_marks[size_t(m_last)] = kNoMark;
    } else {
        descending = m_marks[size_t(column)] != kDescendingMark;
    }
    m_marks[size_t(column)] = descending ? kDescendingMark : kAscendingMark;
    m_last = column;
    return descending;
}

TakenMusic TakeMusicFile(const QString &file, const QString &musicFolder,
                         const std::function<bool(const QString &)> &isListed)
{
    const QFileInfo info(file);
    const QString name = SanitizedFileName(info.fileName());
    if (isListed && isListed(name))
        return {TakenMusic::Skip, {}, {}};
    if (!info.isFile())
        return {TakenMusic::Fail, {}, QStringLiteral("The music \"%1\" does not exist.").arg(file)};
    if (name == info.fileName())
        return {TakenMusic::Take, file, {}};

    const QString target = AddTrailingBackslash(musicFolder) + name;
    const QString cannot = QStringLiteral("Cannot copy the music \"%1\" to \"%2\"").arg(file, target);
    if (musicFolder.isEmpty())
        return {TakenMusic::Fail, {}, cannot + QLatin1Char('.')};
    const QFileInfo there(target);
    if (there.exists()) {
        if (there.isFile() && SameFileContent(file, target))
            return {TakenMusic::Take, target, {}};
        return {TakenMusic::Fail, {},
                cannot + QStringLiteral(": another file of that name is already there.")};
    }
    EnsureDir(musicFolder);
    if (!CopyFileReplacing(file, target))
        return {TakenMusic::Fail, {}, cannot + QLatin1Char('.')};
    return {TakenMusic::Take, target, {}};
}

} // namespace ly
