#pragma once

namespace ly::platform {

// Ends the program with exit code `code` once main's own objects (the application object
// with them) are gone, without the libraries' static destructors. Qt Multimedia's PulseAudio
// engine disconnects from the sound server in one of those without its main loop's lock, so a
// server event arriving at that moment (any other program starting a sound is one) crashes a
// program whose work is done. Buffered output is flushed first, and a sanitized build runs its
// leak check here, as it would have at exit.
[[noreturn]] void EndProgram(int code);

} // namespace ly::platform
