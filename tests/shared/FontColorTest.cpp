#include "support/Printers.h"

#include "shared/Error.h"
#include "shared/FontColor.h"

#include <QColor>
#include <QFont>

#include <gtest/gtest.h>

namespace ly {

void PrintTo(const TFont &font, std::ostream *os)
{
    *os << FontToString(font).toStdString();
}

} // namespace ly

namespace {

using namespace ly;

TEST(ColorTextTest, WritesNamesAndHex)
{
    const struct
    {
        TColor color;
        const char *text;
    } cases[] = {
        {0x000000FF, "clRed"},
        {0x00C0DCC0, "clMoneyGreen"},
        {0x00336699, "$00336699"},
        {0x00FFFFFE, "$00FFFFFE"},
        {0x1FFFFFFF, "clNone"},
        {0x20000000, "clDefault"},
        {0x8000000F, "clBtnFace"},
        {0x80000000, "clScrollBar"},
        {0x8000001C, "clGradientInactiveCaption"},
        {0x80000019, "$80000019"}, // system colours 25, 26, 29 and 30 have no name
        {0x8000001A, "$8000001A"},
        {0x8000001D, "$8000001D"},
        {0xFFFFFFFF, "$FFFFFFFF"},
        {0x000000AB, "$000000AB"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ColorToString(c.color), QLatin1String(c.text));
        EXPECT_EQ(StringToColor(QLatin1String(c.text)), c.color);
    }
}

TEST(ColorTextTest, ReadsNamesInAnyCaseAndIntegers)
{
    const struct
    {
        const char *text;
        TColor color;
    } cases[] = {
        {"clbtnface", 0x8000000F}, {"CLRED", 0x000000FF},    {"ClSkYbLuE", 0x00F0CAA6},
        {"$00336699", 0x00336699}, {"$ff", 0x000000FF},      {"$0", 0},
        {"255", 0x000000FF},       {"16777215", 0x00FFFFFF}, {"-1", 0xFFFFFFFF},
        {"+7", 7},                 {"-2147483648", 0x80000000}, {"$FFFFFFFF", 0xFFFFFFFF},
        {"$000000000012", 0x12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StringToColor(QLatin1String(c.text)), c.color);
    }
}

TEST(ColorTextTest, RejectsWhatIsNeitherNameNorInteger)
{
    for (const char *text : {"", "red", "clRedd", "12abc", "$", "-", "$1FFFFFFFF", "4294967295",
                             "2147483648", " 12", "12 ", "0x12", "$-1", "1.5"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStringToColor(QLatin1String(text)).has_value());
        try {
            StringToColor(QLatin1String(text));
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

TEST(ColorTextTest, ToQColorTakesRedFromTheLowByte)
{
    EXPECT_EQ(ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), TColor(0x00336699));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_FALSE(ToQColor(clDefault).isValid());
    EXPECT_TRUE(ToQColor(clBtnFace).isValid());
}

TFont makeFont(TColor color, int size, const QString &name, TFontStyles style)
{
    TFont font;
    font.Color = color;
    font.Size = size;
    font.Name = name;
    font.Style = style;
    return font;
}

TEST(FontStringTest, WritesTheStoredForm)
{
    const struct
    {
        TFont font;
        const char *text;
    } cases[] = {
        {makeFont(clRed, 12, "Times New Roman", fsBold | fsItalic),
         "Color=clRed#Size=12#Name=Times;New;Roman#Style=fsBold|fsItalic|"},
        {makeFont(0x00336699, 9, "Sans", {}), "Color=$00336699#Size=9#Name=Sans#Style="},
        {makeFont(clBtnFace, -11, "", fsStrikeOut | fsUnderline | fsBold | fsItalic),
         "Color=clBtnFace#Size=-11#Name=#Style=fsBold|fsItalic|fsUnderline|fsStrikeout|"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FontToString(c.font), QLatin1String(c.text));
        TFont back;
        FontFromString(QLatin1String(c.text), back);
        EXPECT_EQ(back, c.font);
    }
}

TEST(FontStringTest, ReadsPairsInAnyOrderAndCase)
{
    TFont font;
    FontFromString("STYLE=fsUnderline|#name=Courier;New#sIzE=10#color=clbtnface", font);
    EXPECT_EQ(font, makeFont(clBtnFace, 10, "Courier New", fsUnderline));

    // A missing name gives an empty face, a missing style no style; a ";" that stood in the
    // face name itself comes back as a space.
    font = makeFont(clRed, 8, "Old", fsBold);
    FontFromString("Size=20#Color=$00000001", font);
    EXPECT_EQ(font, makeFont(1, 20, "", {}));
    FontFromString("Color=0#Size=7#Name=A;B;C", font);
    EXPECT_EQ(font.Name, QStringLiteral("A B C"));
}

TEST(FontStringTest, ConversionErrorsKeepWhatWasSetBefore)
{
    const TFont before = makeFont(clBlue, 14, "Before", fsItalic);
    const struct
    {
        const char *text;
        const char *message;
        TFont after;
    } cases[] = {
        {"Color=purple#Size=8#Name=X#Style=fsBold|", "'purple' is not a valid integer value",
         before},
        {"Color=clRed#Size=big#Name=X#Style=fsBold|", "'big' is not a valid integer value",
         makeFont(clRed, 14, "Before", fsItalic)},
        {"Color=clRed#Name=X#Style=fsBold|", "'' is not a valid integer value",
         makeFont(clRed, 14, "Before", fsItalic)},
        {"Size=8#Name=X", "'' is not a valid integer value", before},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TFont font = before;
        try {
            FontFromString(QLatin1String(c.text), font);
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(e.text(), QLatin1String(c.message));
        }
        EXPECT_EQ(font, c.after);
    }
}

TEST(StyleTextTest, ReadsOnlyTerminatedExactTokens)
{
    const struct
    {
        const char *text;
        TFontStyles style;
    } cases[] = {
        {"", {}},
        {"fsBold", {}}, // no "|": nothing
        {"fsBold|fsUnderline|", fsBold | fsUnderline},
        {"fsStrikeOut|", {}}, // the token is "fsStrikeout"
        {"fsStrikeout|", fsStrikeOut},
        {"fsbold|", {}},
        {"fsBold|fsItalic", fsBold}, // a last piece without "|" is ignored
        {"|junk|fsItalic||fsItalic|", fsItalic},
        {"fsUnderline|fsStrikeout|fsItalic|fsBold|", fsBold | fsItalic | fsUnderline | fsStrikeOut},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TFont font = makeFont(clRed, 8, "X", fsBold | fsItalic);
        StyleFromString(QLatin1String(c.text), font);
        EXPECT_EQ(font.Style, c.style);
    }
}

TEST(StyleTextTest, WritesTokensInFixedOrder)
{
    EXPECT_EQ(StyleToString(makeFont(0, 8, "", {})), QString());
    EXPECT_EQ(StyleToString(makeFont(0, 8, "", fsStrikeOut | fsBold)),
              QStringLiteral("fsBold|fsStrikeout|"));
}

TEST(FontQFontTest, CarriesFaceSizeAndStyle)
{
    const TFont font = makeFont(clRed, 13, "DejaVu Serif", fsItalic | fsStrikeOut);
    const QFont q = font.toQFont();
    EXPECT_EQ(q.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(q.pointSize(), 13);
    EXPECT_TRUE(q.italic() && q.strikeOut() && !q.bold() && !q.underline());
    TFont back = makeFont(clBlue, 1, "", fsBold);
    back.assignQFont(q);
    EXPECT_EQ(back, makeFont(clBlue, 13, "DejaVu Serif", fsItalic | fsStrikeOut));
}

} // namespace
