#pragma once

namespace ly {

inline constexpr const char *kProductName = "Lyrabell";
inline constexpr const char *kMailProductName = "Quillpost";
inline constexpr const char *kVersionText = "3.50";
// The name and version passed to the error-report program.
inline constexpr const char *kProductVersionText = "Lyrabell v3.50";

} // namespace ly
