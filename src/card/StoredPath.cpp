#include "card/StoredPath.h"

#include "card/Package.h"
#include "shared/Paths.h"

namespace ly::storedpath {

QString make(const QString &folder, const QString &bareName)
{
    return QLatin1Char('\\') + folder + QLatin1Char('\\') + bareName;
}

QString bareName(const QString &stored, const QString &folder)
{
    const QString prefix = QLatin1Char('\\') + folder + QLatin1Char('\\');
    if (!stored.startsWith(prefix, Qt::CaseInsensitive))
        return QString();
    const QString name = stored.mid(prefix.size());
    return package::isBareFileName(name) ? name : QString();
}

QString toNative(const QString &stored, const QString &folder, const QString &projectFolder)
{
    const QString name = bareName(stored, folder);
    if (name.isEmpty())
        return QString();
    return AddTrailingBackslash(projectFolder) + folder + QLatin1Char('/') + name;
}

bool isPicBoxFolder(const QString &stored)
{
    return stored.compare(QLatin1Char('\\') + kPicBox, Qt::CaseInsensitive) == 0;
}

} // namespace ly::storedpath
