#pragma once

#include <QPixmap>
#include <QString>

namespace ly {

// A picture of the window skin by name ("TitleBar", "BtnExitIdle", ...): the file
// Skin/<name>.png of the program folder when it is there and loads, so the skin can be changed
// without rebuilding; otherwise the copy built into the program, so a missing or damaged file
// never leaves a window without its frame and title buttons. A null pixmap for an unknown name.
QPixmap SkinPicture(const QString &name);

} // namespace ly
