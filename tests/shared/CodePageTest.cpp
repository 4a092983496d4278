#include "support/Printers.h"

#include "shared/CodePage.h"

#include <gtest/gtest.h>

namespace {

class CodePageTest : public ::testing::Test
{
protected:
    void TearDown() override { ly::codepage::overrideName({}); }
};

TEST_F(CodePageTest, Utf8RoundTrip)
{
    ly::codepage::overrideName("UTF-8");
    const QString text = QStringLiteral("Gr\u00fc\u00dfe \u4f60\u597d \U0001F600");
    EXPECT_EQ(ly::codepage::toUnicode(ly::codepage::fromUnicode(text)), text);
}

TEST_F(CodePageTest, SingleByteCodePage)
{
    ly::codepage::overrideName("windows-1252");
    EXPECT_EQ(ly::codepage::fromUnicode(QStringLiteral("\u20ac5 caf\u00e9")),
              QByteArray("\x80" "5 caf\xe9"));
    EXPECT_EQ(ly::codepage::toUnicode("\x80" "5"), QStringLiteral("\u20ac5"));
    // Not representable in the code page: "?" as the system does.
    EXPECT_EQ(ly::codepage::fromUnicode(QStringLiteral("a\u4f60b")), QByteArray("a?b"));
}

TEST_F(CodePageTest, FittingNeverSplitsACharacter)
{
    struct Case
    {
        const char *codepage;
        QString text;
        qsizetype max;
        QByteArray bytes;
        bool complete;
    };
    const Case cases[] = {
        {"UTF-8", QStringLiteral("abc"), 3, "abc", true},
        {"UTF-8", QStringLiteral("ab\u00e9"), 3, "ab", false},
        {"UTF-8", QStringLiteral("\u4f60\u597d"), 5, "\xe4\xbd\xa0", false},
        {"UTF-8", QStringLiteral("a\U0001F600"), 4, "a", false},
        {"GBK", QStringLiteral("a\u4f60\u597d"), 4, "a\xc4\xe3", false},
        {"windows-1252", QStringLiteral("caf\u00e9"), 4, "caf\xe9", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.codepage);
        ly::codepage::overrideName(c.codepage);
        const ly::codepage::Fitted f = ly::codepage::fromUnicodeFitted(c.text, c.max);
        EXPECT_EQ(f.bytes, c.bytes);
        EXPECT_EQ(f.complete, c.complete);
    }
}

TEST_F(CodePageTest, OverrideGoesFirstInUpperCase)
{
    // The tests' override wins over the environment's choice (LYRABELL_CODEPAGE is checked
    // from outside, in the tool tests).
    ly::codepage::overrideName("iso-8859-15");
    EXPECT_EQ(ly::codepage::name(), QByteArray("ISO-8859-15"));
}

} // namespace
