#pragma once

#include <QRect>
#include <QSize>

namespace ly {

// Where a picture goes in a panel: at its own size and centred when it fits; otherwise
// shrunk, its aspect kept (sizes cut to whole pixels), to the panel's full width or full
// height and centred the other way. Coordinates are the panel's.
QRect FitPictureRect(QSize picture, QSize panel);

} // namespace ly
