#pragma once

#include <QFlags>
#include <QString>

#include <cstdint>
#include <optional>

class QColor;
class QFont;

// The two text forms in which fonts and colours are stored in project files:
// the colour text ("clRed", "$00336699") and the font string
// ("Color=clRed#Size=12#Name=Times;New;Roman#Style=fsBold|fsItalic|").
namespace ly {

// A colour as stored: 0x00BBGGRR for a plain colour (red in the low byte), 0x80000000 + index
// for a system colour, and the two special values clNone and clDefault.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clMaroon = 0x00000080;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clPurple = 0x00800080;
inline constexpr TColor clTeal = 0x00808000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clMoneyGreen = 0x00C0DCC0;
inline constexpr TColor clSkyBlue = 0x00F0CAA6;
inline constexpr TColor clCream = 0x00F0FBFF;
inline constexpr TColor clMedGray = 0x00A4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor kSystemColorBase = 0x80000000;
inline constexpr TColor clWindow = kSystemColorBase + 5;
inline constexpr TColor clWindowText = kSystemColorBase + 8;
inline constexpr TColor clHighlight = kSystemColorBase + 13;
inline constexpr TColor clHighlightText = kSystemColorBase + 14;
inline constexpr TColor clBtnFace = kSystemColorBase + 15;
inline constexpr TColor clBtnShadow = kSystemColorBase + 16;
inline constexpr TColor clGrayText = kSystemColorBase + 17;
inline constexpr TColor clBtnText = kSystemColorBase + 18;
inline constexpr TColor clBtnHighlight = kSystemColorBase + 20;
inline constexpr TColor clInfoText = kSystemColorBase + 23;
inline constexpr TColor clInfoBk = kSystemColorBase + 24;

// A plain colour from its channels.
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}

// The standard name when the colour has one, else "$" and eight upper-case hex digits.
QString ColorToString(TColor color);
// A standard name in any letter case, or an integer: decimal (optionally signed) or "$" and
// hex digits; nothing else, no blanks. Throws ly::Error "'<text>' is not a valid integer
// value" for any other text.
TColor StringToColor(const QString &text);
std::optional<TColor> TryStringToColor(const QString &text);

// The colour for drawing: plain colours as they are, system colours from the application's
// palette, clNone transparent, clDefault an invalid QColor (the control's own colour).
QColor ToQColor(TColor color);
// A plain colour from an opaque QColor.
TColor FromQColor(const QColor &color);

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// The stored properties of a font; nothing else of a font is stored.
struct TFont
{
    TColor Color = clWindowText;
    int Size = 9; // points
    QString Name = QStringLiteral("DejaVu Sans");
    TFontStyles Style;

    bool operator==(const TFont &) const = default;

    // A QFont with this face, size and style; other properties come from base.
    QFont toQFont(const QFont &base) const;
    QFont toQFont() const;
    // Face, size and style from a QFont; the colour is left as it is.
    void assignQFont(const QFont &font);
};

// "Color=" colour text "#Size=" size "#Name=" face "#Style=" style text, every space of the
// whole text then replaced by ";".
QString FontToString(const TFont &font);
// Sets colour, size, face and style from a font string; the pairs may come in any order and
// their names in any case. Throws ly::Error for a colour or size that is not a number (a
// missing size included); the properties set before that stay set.
void FontFromString(const QString &text, TFont &font);

// "fsBold|fsItalic|fsUnderline|fsStrikeout|" for the styles that are set, in this order.
QString StyleToString(const TFont &font);
// Clears the style, then adds each "|"-terminated piece that is exactly one of the four
// tokens; other pieces and a last piece without "|" are ignored.
void StyleFromString(const QString &text, TFont &font);

} // namespace ly
