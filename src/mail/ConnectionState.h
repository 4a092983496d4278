#pragma once

#include <optional>

// Whether the system reports a network connection before a sending attempt: some interface
// is up and running (loopback counts, so a server on this machine can always be tried).
namespace ly::mail {

bool InternetConnected();

// Tests set the answer; std::nullopt goes back to the real check.
void OverrideInternetConnected(std::optional<bool> connected);

} // namespace ly::mail
