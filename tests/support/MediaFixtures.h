#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace lytest {

// A PCM wave file of a 440 Hz tone: `frames` frames of `bits` bits, `channels` channels.
// An odd number of data bytes gets its pad byte, as RIFF wants it.
QByteArray makeWave(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t frames);
// A General MIDI file (format 0) with one note that ends after `ms` milliseconds.
QByteArray makeMidi(int ms);

// The committed media fixtures (tests/fixtures/media) and the files made from them: every
// sound and movie type of the program, 3.0 s each, written into the folder under
// "tone.<ext>" and "movie.<ext>"; returns their paths.
QStringList writeMediaSet(const QString &folder);
QString mediaFixture(const QString &name);

// True when a sound output and input can be reached (./test.sh starts a server with both).
bool haveSoundDevices();

} // namespace lytest
