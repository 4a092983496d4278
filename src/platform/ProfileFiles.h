#pragma once

#include <QString>

// The system's own profile files, win.ini and system.ini, as INI files in SystemDir().
namespace ly::platform {

QString WinIniFile();
QString SystemIniFile();

// win.ini values.
QString ReadProfileString(const QString &section, const QString &key,
                          const QString &defaultValue = QString());
// Throws ly::Error when the value cannot be written.
void WriteProfileString(const QString &section, const QString &key, const QString &value);

} // namespace ly::platform

namespace ly {

// Tells the media layer which device type plays which extension: win.ini [mci extensions]
// "mpg", "dat", "mpv", "mpeg", "wma" = "MPEGVideo", "avi" = "AVIVideo", "mp3" = "MPEGVideo",
// then system.ini [mci] "MPEGVideo" = "mciqtz.drv". Failures are not reported.
void RegisterMciExtensions();

} // namespace ly
