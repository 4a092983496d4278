#pragma once

#include <QEvent>

// Window messages that cross parts of the programs, as custom event types that keep the
// system's message numbers. "Posted" is QCoreApplication::postEvent, "sent" a direct call.
namespace ly {

inline constexpr QEvent::Type STARTUP_AIDS = QEvent::Type(2023);    // run the start-up aids
inline constexpr QEvent::Type WM_PACKPROGRESS = QEvent::Type(1912); // packing progress
inline constexpr QEvent::Type WM_THUMBPROGRESS = QEvent::Type(9748); // picture thumbnail progress
inline constexpr QEvent::Type WM_FLASHPROGRESS = QEvent::Type(9749); // Flash thumbnail progress
inline constexpr QEvent::Type WM_TRANSITIONEND = QEvent::Type(1025); // WM_USER + 1: end of a transition

} // namespace ly
