#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

class QDateTime;
class QIODevice;

// The header of a SWF file and the description texts the Flash tiles show for it.
namespace ly {

// The eight texts of a SWF file, and whether reading its header failed. A read sets only
// the texts it gets to; the others keep their values (empty for a new set).
struct SwfHeaderInfo
{
    QString type;       // "Shockwave Flash Object"
    QString pixel;      // "550 X 400": the frame size's Xmax and Ymax in pixels
    QString version;    // the version byte, decimal
    QString size;       // "1000B", "1.5KB", "2MB"
    QString rate;       // integer part "." fraction byte: "12.0", "24.128"
    QString frameCount; // decimal
    QString date;       // last write (UTC) + 8 hours, "yyyy-mm-dd hh:mm:ss"
    QString name;       // the bare file name
    bool error = false;
};

// The count-bit value (count 0 ... 32) whose first bit is bit `start` of data, bit 0 being
// the most significant bit of byte 0, as an unsigned big-endian number. Throws ly::Error when
// the bits run past the data.
uint32_t ReadBits(QByteArrayView data, int64_t start, int count);

// Reads the file's header into info: name, size, type and date from the file system, then
// the version, pixel, rate and frame-count texts from the header ("FWS", or "CWS" whose body
// is a zlib stream). Only the first bytes of the file are read, and of a "CWS" stream only
// as much is inflated as the header needs. Any failure (the file cannot be read, a field
// lies past the end of the data, a damaged stream) sets the error flag; a complete header
// clears it. A file that is no SWF at all (another signature) changes neither the header
// texts nor the flag.
void ReadSwfHeader(const QString &file, SwfHeaderInfo &info);
// The header part of ReadSwfHeader, on data read from the device's current position.
void ReadSwfHeaderFrom(QIODevice &device, SwfHeaderInfo &info);

// The last-write time (UTC) plus 8 hours as "yyyy-mm-dd hh:mm:ss".
QString SwfDateText(const QDateTime &lastWrite);

// The tile's hint: an empty line, then "[label]:text   " lines (the version, pixel, rate and
// frame-count lines only when their text is set), each ending in CR LF; the labels come from
// [Control] of config.ini.
QString SwfHint(const SwfHeaderInfo &info);

} // namespace ly
