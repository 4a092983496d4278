#include "shared/Settings.h"

#include "shared/Ini.h"
#include "shared/Paths.h"

namespace ly {

QString ConfigFile()
{
    return ProgramDir() + QStringLiteral("config.ini");
}

QString ReadConfig(const QString &section, const QString &key)
{
    return ini::read(ConfigFile(), section, key);
}

void WriteConfig(const QString &section, const QString &key, const QString &value)
{
    ini::write(ConfigFile(), section, key, value);
}

QString ReadIni(const QString &section, const QString &key, const QString &file)
{
    return ini::read(file, section, key);
}

void WriteIni(const QString &section, const QString &key, const QString &value,
              const QString &file)
{
    ini::write(file, section, key, value);
}

void EraseIniSection(const QString &section, const QString &file)
{
    ini::eraseSection(file, section);
}

} // namespace ly
