#include "control/PictureFile.h"

#include "control/Thumbnail.h"

#include <QFileInfo>

namespace ly {

PictureFile ReadPictureFile(const QString &file)
{
    return ReadPictureFile(file, QSize(PICTURE_MAX_SIDE, PICTURE_MAX_SIDE));
}

PictureFile ReadPictureFile(const QString &file, QSize bound)
{
    bound = bound.boundedTo(QSize(PICTURE_MAX_SIDE, PICTURE_MAX_SIDE)).expandedTo(QSize(1, 1));
    PictureFile result;
    result.file = file;
    const QFileInfo info(file);
    if (!info.isFile()) {
        result.error = QStringLiteral("Cannot load the picture \"%1\". The file does not exist.")
                           .arg(file);
        return result;
    }
    try {
        // The thumbnail readers leave a picture that fits the frame at its own size, so a frame
        // of the largest side reads every picture whole.
        ThumbPicture picture = ReadThumbnail(file, bound);
        result.image = std::move(picture.image);
        result.fullSize = picture.fullSize;
        result.isIcon = picture.isIcon;
    } catch (const std::exception &e) {
        // An allocation that failed on a huge picture, for instance.
        result.image = QImage();
        result.error = QStringLiteral("Cannot load the picture \"%1\". %2")
                           .arg(file, QString::fromLocal8Bit(e.what()));
        return result;
    }
    if (result.image.isNull())
        result.error =
            QStringLiteral("Cannot load the picture \"%1\". It is no picture of a known type.")
                .arg(file);
    return result;
}

} // namespace ly
