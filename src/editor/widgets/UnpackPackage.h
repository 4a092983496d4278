#pragma once

#include <QString>

namespace ly {

// Extracts package into destination (ExtractPackage) and reports a failure with a notice:
// a missing package as a warning, anything else as an error.
void UnpackPackage(const QString &package, const QString &destination);

} // namespace ly
