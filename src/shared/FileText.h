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
// The thumbnails' size text: bytes below 1024 as "37B", else kilobytes below 1 MiB and
// megabytes above, to one decimal as TenthsText gives them: "1.5KB", "3MB".
QString DetailSizeText(uint32_t bytes);
// value / unit rounded to one decimal (halves to the even digit), in shortest form with the
// locale's decimal separator: 1.5, 2.
QString TenthsText(uint64_t value, uint64_t unit);
// "h:m:s" without leading zeros: 3725 gives "1:2:5".
QString SecondsToHms(int seconds);

} // namespace ly
