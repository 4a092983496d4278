#include "editor/RecentProjects.h"

#include "shared/Paths.h"
#include "shared/Settings.h"

namespace ly {

namespace {

const QString kFinished = QStringLiteral("Finished");

QString itemKey(int index)
{
    return QStringLiteral("Item") + QString::number(index);
}

} // namespace

QList<RecentProjectEntry> RecentProjectEntries()
{
    QList<RecentProjectEntry> entries;
    const QString number = ReadConfig(kFinished, QStringLiteral("Number"));
    if (number.isEmpty())
        return entries;
    const int count = number.toInt();
    for (int i = 0; i < count; ++i) {
        const QString item = ReadConfig(kFinished, itemKey(i));
        if (!item.isEmpty())
            entries.append({i, item});
    }
    return entries;
}

QStringList RecentProjectFiles()
{
    QStringList files;
    for (const RecentProjectEntry &entry : RecentProjectEntries())
        files.append(ProgramPathToNative(entry.stored));
    return files;
}

void AddRecentProjectFile(const QString &projectFile)
{
    const QString number = ReadConfig(kFinished, QStringLiteral("Number"));
    if (number.isEmpty())
        return;
    const int count = number.toInt();
    int filled = 0;
    for (; filled < count; ++filled) {
        const QString item = ReadConfig(kFinished, itemKey(filled));
        if (item.isEmpty())
            break;
        if (item == projectFile)
            return;
    }
    for (int j = filled; j >= 1; --j)
        WriteConfig(kFinished, itemKey(j), ReadConfig(kFinished, itemKey(j - 1)));
    WriteConfig(kFinished, itemKey(0), projectFile);
}

} // namespace ly
