#pragma once

#include <functional>

namespace ly::platform {

// Runs a nested event loop, which keeps windows painted and timers running but takes no user
// input, until done() holds or timeoutMs have passed; returns done().
bool WaitBounded(const std::function<bool()> &done, int timeoutMs);

} // namespace ly::platform
