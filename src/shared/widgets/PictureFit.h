#pragma once

#include "shared/FitRect.h"

#include <QRect>
#include <QSize>
#include <QString>

class QImage;
class QLabel;
class QWidget;

namespace ly {


// Shows the picture file in the image label, a child of the panel, placed by
// FitPictureRect. ".gif" files play as they are (animated ones move) and ".ico" files are
// shown as they are, both stretched by the label; every other picture is converted in
// memory and drawn smoothly scaled to the label's size. The label is cleared first. Throws
// ly::Error when the file cannot be opened or is no picture.
void FitPictureInPanel(const QString &file, QLabel *image, QWidget *panel);

// Shows a picture already read in the image label, placed by FitPictureRect: stretched by the
// label when `asIs` (icons), else drawn smoothly scaled to the label's size.
void FitImageInPanel(const QImage &picture, bool asIs, QLabel *image, QWidget *panel);

} // namespace ly
