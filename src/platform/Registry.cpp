#include "platform/Registry.h"

#include "shared/Ini.h"
#include "shared/Paths.h"

#include <QStringList>

namespace ly::platform {

namespace {

QString rootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case RegistryRoot::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case RegistryRoot::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    }
    return {};
}

QString sectionOf(RegistryRoot root, const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.isEmpty() ? rootName(root)
                           : rootName(root) + QLatin1Char('\\') + parts.join(QLatin1Char('\\'));
}

QString nameOf(const QString &valueName)
{
    return valueName.isEmpty() ? QStringLiteral("@") : valueName;
}

} // namespace

QString RegistryFile()
{
    return SystemDir() + QStringLiteral("/registry.ini");
}

QString ReadRegistryString(RegistryRoot root, const QString &key, const QString &valueName)
{
    return ini::read(RegistryFile(), sectionOf(root, key), nameOf(valueName));
}

void WriteRegistryString(RegistryRoot root, const QString &key, const QString &valueName,
                         const QString &value)
{
    ini::write(RegistryFile(), sectionOf(root, key), nameOf(valueName), value);
}

} // namespace ly::platform
