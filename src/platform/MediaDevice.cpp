#include "platform/MediaDevice.h"

#include <QFileInfo>

namespace ly::platform {

MediaResult CheckMediaFile(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return MediaResult::failure(
            QStringLiteral("Cannot open \"%1\": the file does not exist").arg(file));
    if (!info.isFile())
        return MediaResult::failure(QStringLiteral("Cannot open \"%1\": it is not a file").arg(file));
    if (!info.isReadable())
        return MediaResult::failure(
            QStringLiteral("Cannot open \"%1\": the file cannot be read").arg(file));
    return {};
}

} // namespace ly::platform
