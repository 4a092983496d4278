#pragma once

#include <QString>

class QWidget;

#include <optional>

namespace ly {

// The folder picker: folders only, titled, owned by the active window and modal for the
// whole application. The chosen folder, or nothing when the user cancelled. It opens at
// startFolder when that is given.
std::optional<QString> BrowseForFolder(const QString &title, const QString &startFolder = {});

// BrowseForFolder in the form the windows' replaceable folder pickers take: true and the
// chosen folder in folder, or false when the user cancelled.
inline bool PickFolder(QWidget *, const QString &title, QString &folder)
{
    const std::optional<QString> chosen = BrowseForFolder(title);
    if (!chosen)
        return false;
    folder = *chosen;
    return true;
}

} // namespace ly
