#include "platform/ProfileFiles.h"

#include "shared/Error.h"
#include "shared/Ini.h"
#include "shared/Paths.h"

namespace ly::platform {

QString WinIniFile()
{
    return SystemDir() + QStringLiteral("/win.ini");
}

QString SystemIniFile()
{
    return SystemDir() + QStringLiteral("/system.ini");
}

QString ReadProfileString(const QString &section, const QString &key,
                          const QString &defaultValue)
{
    return ini::read(WinIniFile(), section, key, defaultValue);
}

void WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    ini::write(WinIniFile(), section, key, value);
}

} // namespace ly::platform

namespace ly {

void RegisterMciExtensions()
{
    struct Entry
    {
        const char *extension;
        const char *device;
    };
    static const Entry kExtensions[] = {
        {"mpg", "MPEGVideo"}, {"dat", "MPEGVideo"}, {"mpv", "MPEGVideo"}, {"mpeg", "MPEGVideo"},
        {"wma", "MPEGVideo"}, {"avi", "AVIVideo"},  {"mp3", "MPEGVideo"},
    };
    // The table is a convenience for the media layer: a file that cannot be written is no
    // reason to stop the program, nor to leave the other file unwritten.
    try {
        for (const Entry &e : kExtensions)
            platform::WriteProfileString(QStringLiteral("mci extensions"),
                                         QString::fromLatin1(e.extension),
                                         QString::fromLatin1(e.device));
    } catch (const Error &) {
    }
    try {
        ini::write(platform::SystemIniFile(), QStringLiteral("mci"), QStringLiteral("MPEGVideo"),
                   QStringLiteral("mciqtz.drv"));
    } catch (const Error &) {
    }
}

} // namespace ly
