#pragma once

#include <QString>

#include <optional>

namespace ly {

// The folder picker: folders only, titled, owned by the active window and modal for the
// whole application. The chosen folder, or nothing when the user cancelled. It opens at
// startFolder when that is given.
std::optional<QString> BrowseForFolder(const QString &title, const QString &startFolder = {});

} // namespace ly
