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

QStringList RecentProjectFiles()
{
    QStringList files;
    const QString number = ReadConfig(kFinished, QStringLiteral("Number"));
    if (number.isEmpty())
        return files;
    const int count = number.toInt();
    for (int i = 0; i < count; ++i) {
        const QString item = ReadConfig(kFinished, itemKey(i));
        if (!item.isEmpty())
            files.append(ProgramPathToNative(item));
    }
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
