#pragma once

#include <QByteArray>
#include <QString>

// The length of an MPEG audio file (mp3, mp2), counted from its frame headers. GStreamer
// reports no duration for some small constant-rate files (mono lame files at 32 kbit/s), so
// the player falls back to this.
namespace ly::platform {

// Milliseconds of the frames found; 0 when the bytes hold no run of MPEG audio frames.
qint64 MpegAudioLengthMs(const QByteArray &bytes);
qint64 MpegAudioLengthMs(const QString &file);

} // namespace ly::platform
