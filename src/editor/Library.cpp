#include "editor/Library.h"

#include "shared/Paths.h"
#include "shared/Settings.h"

namespace ly {

namespace {

QString pathKey(int i) { return QStringLiteral("Path_") + QString::number(i); }
QString nameKey(int i) { return QStringLiteral("Name_") + QString::number(i); }

void writeNumber(const QString &section, const LibraryRecords &records)
{
    WriteConfig(section, QStringLiteral("Number"), QString::number(records.size()));
}

} // namespace

LibraryRecords ReadLibrary(const QString &section)
{
    LibraryRecords records;
    const int n = ReadConfig(section, QStringLiteral("Number")).toInt();
    for (int i = 0; i < n; ++i)
        records.append({ReadConfig(section, pathKey(i)), ReadConfig(section, nameKey(i))});
    return records;
}

bool AddLibraryEntry(const QString &section, LibraryRecords &records, const LibraryRecord &entry)
{
    if (records.contains(entry))
        return false;
    records.append(entry);
    const int last = int(records.size()) - 1;
    writeNumber(section, records);
    WriteConfig(section, pathKey(last), entry.folder);
    WriteConfig(section, nameKey(last), entry.description);
    EnsureDir(ProgramPathToNative(entry.folder));
    return true;
}

void RemoveLibraryEntry(const QString &section, LibraryRecords &records, int index)
{
    if (index < 0 || index >= records.size())
        return;
    records.removeAt(index);
    writeNumber(section, records);
    for (int i = 0; i < records.size(); ++i) {
        WriteConfig(section, pathKey(i), records[i].folder);
        WriteConfig(section, nameKey(i), records[i].description);
    }
}

void RenameLibraryEntry(const QString &section, LibraryRecords &records, int index,
                        const QString &description)
{
    if (index < 0 || index >= records.size())
        return;
    records[index].description = description;
    WriteConfig(section, nameKey(index), description);
}

QString LibraryFolder(const QString &section, int index)
{
    return ProgramPathToNative(ReadConfig(section, pathKey(index)));
}

QString JoinLibraryPath(const QString &location, const QString &name)
{
    // No location is the program folder, not the file system's root.
    if (location.isEmpty())
        return QLatin1Char('\\') + name;
    const QChar separator = location.startsWith(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    if (location.endsWith(separator))
        return location + name;
    return location + separator + name;
}

} // namespace ly
