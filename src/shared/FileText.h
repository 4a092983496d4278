#pragma once

#include <QString>

#include <cstdint>

// File sizes and durations as the windows show them.
namespace ly {

// The size in bytes (low 32 bits). Throws ly::Error when the file cannot be opened.
uint32_t FileSizeOf(const QString &file);
// FileSizeOf as decimal text.
QString ByteCountText(const QString &file);
// "1KB" below 1024 bytes, whole kilobytes below 1 MiB, else megabytes to one decimal
// (halves to the even neighbour, shortest form, the locale's decimal separator) + "MB".
QString SizeText(const QString &file);
QString SizeTextOf(uint32_t bytes);
// "h:m:s" without leading zeros: 3725 gives "1:2:5".
QString SecondsToHms(int seconds);

} // namespace ly
