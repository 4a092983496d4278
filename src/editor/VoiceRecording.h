#pragma once

#include <QString>

namespace ly::platform {
class MediaDevice;
}

// The recording dialog's work without its window: the working file, its prepared header, the
// recording's length and the name a kept copy takes.
namespace ly {

// TempDir() + "Temp.wav", the file every new recording goes into.
QString VoiceWorkingFile();
// Whether the path names the working file (an empty path does not).
bool IsVoiceWorkingFile(const QString &path);

// Creates or replaces the file with the 44-byte voice header (PCM, mono, 8 bits, 11025
// samples per second, data size 0) in one write. False, with the reason, when it cannot.
bool PrepareVoiceFile(const QString &file, QString *error = nullptr);

// The length of the open medium in whole seconds: the length of its last track, div 1000
// (0 without tracks).
int RecordingSeconds(const platform::MediaDevice &device);

// The file a chosen save name stands for: ".wav" appended unless the name ends in it (in any
// letter case).
QString VoiceSaveTarget(const QString &chosenName);

} // namespace ly
