#include "shared/FontColor.h"

#include "shared/Error.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace ly {

namespace {

struct NamedColor
{
    TColor value;
    const char *name;
};

constexpr NamedColor kNamedColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {kSystemColorBase + 0, "clScrollBar"},
    {kSystemColorBase + 1, "clBackground"},
    {kSystemColorBase + 2, "clActiveCaption"},
    {kSystemColorBase + 3, "clInactiveCaption"},
    {kSystemColorBase + 4, "clMenu"},
    {kSystemColorBase + 5, "clWindow"},
    {kSystemColorBase + 6, "clWindowFrame"},
    {kSystemColorBase + 7, "clMenuText"},
    {kSystemColorBase + 8, "clWindowText"},
    {kSystemColorBase + 9, "clCaptionText"},
    {kSystemColorBase + 10, "clActiveBorder"},
    {kSystemColorBase + 11, "clInactiveBorder"},
    {kSystemColorBase + 12, "clAppWorkSpace"},
    {kSystemColorBase + 13, "clHighlight"},
    {kSystemColorBase + 14, "clHighlightText"},
    {kSystemColorBase + 15, "clBtnFace"},
    {kSystemColorBase + 16, "clBtnShadow"},
    {kSystemColorBase + 17, "clGrayText"},
    {kSystemColorBase + 18, "clBtnText"},
    {kSystemColorBase + 19, "clInactiveCaptionText"},
    {kSystemColorBase + 20, "clBtnHighlight"},
    {kSystemColorBase + 21, "cl3DDkShadow"},
    {kSystemColorBase + 22, "cl3DLight"},
    {kSystemColorBase + 23, "clInfoText"},
    {kSystemColorBase + 24, "clInfoBk"},
    {kSystemColorBase + 27, "clGradientActiveCaption"},
    {kSystemColorBase + 28, "clGradientInactiveCaption"},
};

Error notAnInteger(const QString &text)
{
    return Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// A 32-bit integer as the colour and size fields store it: an optional sign, then decimal
// digits or "$" and hex digits. Decimal must fit a signed 32-bit value; hex may use all 32
// bits (so "$FFFFFFFF" is -1).
std::optional<int32_t> parseInteger(const QString &text)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';
    const bool hex = pos < text.size() && text[pos] == u'$';
    if (hex)
        ++pos;
    if (pos == text.size())
        return std::nullopt;
    const int64_t limit = hex ? 0xFFFFFFFFll : (negative ? 0x80000000ll : 0x7FFFFFFFll);
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        if (d < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + d;
        if (value > limit)
            return std::nullopt;
    }
    const uint32_t bits = uint32_t(negative ? -value : value);
    return int32_t(bits);
}

} // namespace

QString ColorToString(TColor color)
{
    for (const NamedColor &c : kNamedColors) {
        if (c.value == color)
            return QLatin1String(c.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> TryStringToColor(const QString &text)
{
    for (const NamedColor &c : kNamedColors) {
        if (text.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    }
    if (const std::optional<int32_t> value = parseInteger(text))
        return TColor(*value);
    return std::nullopt;
}

TColor StringToColor(const QString &text)
{
    if (const std::optional<TColor> color = TryStringToColor(text))
        return *color;
    throw notAnInteger(text);
}

QColor ToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color == clDefault)
        return QColor();
    if ((color & kSystemColorBase) == 0)
        return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
    // Without a GUI application (the tool, the player's start) a light-grey palette stands in.
    const QPalette palette =
        qGuiApp ? QGuiApplication::palette() : QPalette(QColor(0xF0, 0xF0, 0xF0));
    switch (color - kSystemColorBase) {
    case 1: // desktop
    case 12: // application work space
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 2: // active caption
    case 13: // selection
    case 27:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 3: // inactive caption
    case 28:
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6: // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9: // caption text
    case 14: // selected text
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 17: // disabled text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default: // scroll bar, menu, borders, button face and the unnamed ones
        return palette.color(QPalette::Button);
    }
}

TColor FromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return RGB(uint8_t(rgb.red()), uint8_t(rgb.green()), uint8_t(rgb.blue()));
}

QFont TFont::toQFont(const QFont &base) const
{
    QFont font(base);
    font.setFamily(Name);
    if (Size > 0)
        font.setPointSize(Size);
    font.setBold(Style.testFlag(fsBold));
    font.setItalic(Style.testFlag(fsItalic));
    font.setUnderline(Style.testFlag(fsUnderline));
    font.setStrikeOut(Style.testFlag(fsStrikeOut));
    return font;
}

QFont TFont::toQFont() const
{
    return toQFont(QFont());
}

void TFont::assignQFont(const QFont &font)
{
    Name = font.family();
    if (font.pointSize() > 0)
        Size = font.pointSize();
    Style = {};
    Style.setFlag(fsBold, font.bold());
    Style.setFlag(fsItalic, font.italic());
    Style.setFlag(fsUnderline, font.underline());
    Style.setFlag(fsStrikeOut, font.strikeOut());
}

namespace {

// The four style tokens in their order. Note the lower-case "o" of "fsStrikeout".
constexpr struct
{
    TFontStyle style;
    const char *token;
} kStyleTokens[] = {
    {fsBold, "fsBold"},
    {fsItalic, "fsItalic"},
    {fsUnderline, "fsUnderline"},
    {fsStrikeOut, "fsStrikeout"},
};

// The value of the first "name=value" pair of a "#"-separated text whose name matches
// (letter case ignored); a null string when there is none.
QString pairValue(const QStringList &pairs, QLatin1String name)
{
    for (const QString &pair : pairs) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq >= 0 && QStringView(pair).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return pair.mid(eq + 1);
    }
    return QString();
}

} // namespace

QString StyleToString(const TFont &font)
{
    QString text;
    for (const auto &t : kStyleTokens) {
        if (font.Style.testFlag(t.style))
            text += QLatin1String(t.token) + u'|';
    }
    return text;
}

void StyleFromString(const QString &text, TFont &font)
{
    font.Style = {};
    if (!text.contains(u'|'))
        return;
    QStringList pieces = text.split(u'|');
    pieces.removeLast(); // the piece after the last "|" has no terminator
    for (const QString &piece : pieces) {
        for (const auto &t : kStyleTokens) {
            if (piece == QLatin1String(t.token))
                font.Style |= t.style;
        }
    }
}

QString FontToString(const TFont &font)
{
    QString text = QStringLiteral("Color=") + ColorToString(font.Color) + QStringLiteral("#Size=")
                   + QString::number(font.Size) + QStringLiteral("#Name=") + font.Name
                   + QStringLiteral("#Style=") + StyleToString(font);
    text.replace(u' ', u';');
    return text;
}

void FontFromString(const QString &text, TFont &font)
{
    const QStringList pairs = text.split(u'#');
    font.Color = StringToColor(pairValue(pairs, QLatin1String("Color")));
    const QString size = pairValue(pairs, QLatin1String("Size"));
    const std::optional<int32_t> points = parseInteger(size);
    if (!points)
        throw notAnInteger(size);
    font.Size = *points;
    font.Name = pairValue(pairs, QLatin1String("Name")).replace(u';', u' ');
    StyleFromString(pairValue(pairs, QLatin1String("Style")), font);
}

} // namespace ly
