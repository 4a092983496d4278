#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class QDateTime;

// What the picture thumbnail browser needs without a window: reading a picture straight to
// the size of its tile, the tile's texts, the folder listing and the tile grid.
namespace ly {

// Tile grid: a tile is 100 x 120 pixels, columns are 125 apart and rows 130; the first
// shadow panel lies at (4, 4) and each tile 4 pixels left of and above its shadow.
inline constexpr int THUMB_TILE_WIDTH = 100;
inline constexpr int THUMB_TILE_HEIGHT = 120;
inline constexpr int THUMB_COLUMN_PITCH = 125;
inline constexpr int THUMB_ROW_PITCH = 130;
inline constexpr int THUMB_SHADOW_OFFSET = 4;
inline constexpr int THUMB_WHEEL_STEP = 80;
// The picture frame inside a tile.
inline constexpr QSize THUMB_FRAME_SIZE(90, 90);

// Whole columns in a browser of the given width; a browser narrower than one column still
// shows one column, so tiles stay reachable by scrolling.
int ThumbColumns(int width);
// Height of all tile rows for count tiles in the given number of columns.
int ThumbExtent(int count, int columns);
// The shadow panel of tile `index`; the tile itself lies 4 pixels up and left of it.
QPoint ThumbShadowPos(int index, int columns, bool oneRow);

// The extensions a browser can show, in the order of its picture-type switches.
inline constexpr std::array<const char *, 7> THUMB_EXTENSIONS = {"gif", "jpg",  "jpeg", "bmp",
                                                                 "ico", "emf", "wmf"};
using PictureTypes = std::array<bool, 7>;
inline constexpr PictureTypes ALL_PICTURE_TYPES = {true, true, true, true, true, true, true};

// The picture files of a folder, each as folder + separator + name as found, in the order the
// file system returns them. A name is listed when the text after its first "." equals an
// enabled extension (case ignored): "a.JPG" is a jpg, "archive.tar.gif" is nothing.
QStringList ListPictureFolder(const QString &folder, const PictureTypes &types);

// Where a picture of the given size sits in a frame: pictures that fit keep their size and
// are centred; larger ones shrink with their aspect kept, one pixel inside the frame.
QRect FitInFrame(QSize picture, QSize frame);

// A picture read for a tile.
struct ThumbPicture
{
    QImage image;   // already at the size FitInFrame gives; null when the file is unreadable
    QSize fullSize; // the picture's own size in pixels
    bool isIcon = false;
};

// Reads a picture straight to the size it is shown at in a frame of the given size: JPEG
// through libjpeg's DCT scaling, other types through a scaled read, WMF through libwmf and
// EMF through libemf2svg. Pictures are made opaque over white; icons keep their
// transparency. The first frame of an animated GIF. Safe to call on any thread.
ThumbPicture ReadThumbnail(const QString &file, QSize frame = THUMB_FRAME_SIZE);

// The texts a loaded tile holds and hands on with a click.
struct ThumbDetails
{
    QString fileName; // bare file name
    QString sizeText; // "37B", "1.5KB", "3MB"
    QString pixText;  // width + " X " + height
    QString typeText; // extension without its dot, at most four characters, + " Image  "
    QString dateText; // last write time (UTC) + 8 hours, "yyyy-MM-dd hh:mm:ss"
};

// The labels of the tile's hint, from config.ini [Control].
struct ThumbLabels
{
    QString type, pix, size, date, file;
};
ThumbLabels ReadThumbLabels();

QString ThumbDateText(const QDateTime &lastWrite);
QString ThumbTypeText(const QString &fileName);
// The details of a file whose picture has the given size. Throws ly::Error when the file
// cannot be opened.
ThumbDetails ReadThumbDetails(const QString &file, QSize pictureSize);
// Six CR LF-ended lines: empty, then type, pixels, size, date and file name with their labels.
QString ThumbHint(const ThumbDetails &details, const ThumbLabels &labels);

// Everything a tile shows for one file, prepared off the user-interface thread.
struct PreparedThumb
{
    QString file;
    bool exists = false;
    ThumbPicture picture; // null image when the file could not be read as a picture
    ThumbDetails details; // set only for a picture that was read
    QString hint;
};
PreparedThumb PrepareThumb(const QString &file, const ThumbLabels &labels,
                           QSize frame = THUMB_FRAME_SIZE);

// The colour of a tile's caption bar by the file's extension: gif red, jpg/jpeg green, bmp
// yellow, anything else light green (also the colour before loading).
QColor CaptionColorOf(const QString &fileName);
inline constexpr QColor THUMB_CAPTION_DEFAULT(192, 220, 192);

} // namespace ly
