#pragma once

#include <QString>

// INI access under the names every window uses. config.ini lies in the program folder.
namespace ly {

QString ConfigFile();

// A missing key reads as the empty string.
QString ReadConfig(const QString &section, const QString &key);
void WriteConfig(const QString &section, const QString &key, const QString &value);

QString ReadIni(const QString &section, const QString &key, const QString &file);
void WriteIni(const QString &section, const QString &key, const QString &value,
              const QString &file);
void EraseIniSection(const QString &section, const QString &file);

} // namespace ly
