#pragma once

#include "shared/FontColor.h"
#include "shared/MulDiv.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// The two-colour gradients of the gradient picture, drawn without a widget so the card player
// can draw the same picture.
namespace ly {

enum TGradientFillType {
    rgsHorizontal,
    rgsVertical,
    rgsElliptic,
    rgsRectangle,
    rgsVerticalCenter,
    rgsHorizontalCenter,
    rgsNWSE,
    rgsNWSW,
    rgsSENW,
    rgsSWNE,
    rgsSweet,
    rgsStrange,
    rgsNeo,
};
inline constexpr int kGradientFillTypeCount = rgsNeo + 1;

// "rgsHorizontal" ... "rgsNeo".
QString GradientFillTypeName(TGradientFillType type);
// The style named (letter case ignored) or given by its ordinal "0" ... "12".
std::optional<TGradientFillType> GradientFillTypeFromText(const QString &text);

// The gradient from `from` to `to` (only the low three bytes count: red, green, blue, so
// system colours are not translated) over a picture of the given size, as a
// QImage::Format_RGB32 image; a null image for an empty size.
QImage DrawGradient(QSize size, TColor from, TColor to, TGradientFillType type);

} // namespace ly
