#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Reading a picture file whole, for the choosers' previews, the editors and the card player:
// the seven picture types (gif, jpg, jpeg, bmp, ico, emf, wmf) at their own size. Widget-free.
namespace ly {

// The largest picture side read. Larger raster pictures and metafiles are read shrunk to fit
// this square, their aspect kept, so a hostile file cannot demand more than 256 MiB.
inline constexpr int PICTURE_MAX_SIDE = 8192;

// A picture read from a file, or why it could not be read.
struct PictureFile
{
    QString file;
    QImage image;   // null when the file could not be read
    QSize fullSize; // the picture's own size in pixels
    bool isIcon = false; // icons keep their transparency; every other picture is opaque
    QString error;  // empty when the picture was read; else a text naming the file

    bool ok() const { return !image.isNull(); }
};

// Reads the picture at full size: JPEG through libjpeg, GIF (its first frame), BMP and ICO
// through Qt's readers, WMF through libwmf and EMF through libemf2svg drawn at their display
// size (96 dpi). Never throws; a missing or unreadable file gives an error value. Safe to call
// on any thread.
PictureFile ReadPictureFile(const QString &file);
// The same, shrunk on reading to fit `bound` (its aspect kept) when it is larger: JPEG decodes
// straight to about that size, so a preview of a camera picture is quick.
PictureFile ReadPictureFile(const QString &file, QSize bound);

} // namespace ly
