#include "support/ToolRunner.h"

#include <gtest/gtest.h>

namespace {

using lytest::runTool;

QByteArray withoutNewline(const QByteArray &out)
{
    return out.endsWith('\n') ? out.chopped(1) : out;
}

TEST(ScrambleCommandTest, RoundTrips)
{
    struct Case
    {
        QString text;
        QString key;
    };
    const Case cases[] = {
        {"smtp.example.org", ""},
        {"", ""},
        {"pass word", "xy"},
        {QStringLiteral("Gr\u00fc\u00dfe"), QStringLiteral("k\u00e9y")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QStringList args{"scramble", c.text};
        if (!c.key.isEmpty())
            args.append(c.key);
        const lytest::ToolResult scrambled = runTool(args);
        ASSERT_EQ(scrambled.exitCode, 0) << scrambled.err.constData();
        const QByteArray digits = withoutNewline(scrambled.out);
        EXPECT_EQ(digits, digits.toUpper());
        args = QStringList{"unscramble", QString::fromLatin1(digits)};
        if (!c.key.isEmpty())
            args.append(c.key);
        const lytest::ToolResult back = runTool(args);
        EXPECT_EQ(back.exitCode, 0);
        EXPECT_EQ(back.out, c.text.toUtf8() + '\n');
    }
}

TEST(ScrambleCommandTest, UnscramblesDigitsMadeByHand)
{
    EXPECT_EQ(runTool({"unscramble", "101A1D"}).out, QByteArray("ab\n"));
    EXPECT_EQ(runTool({"unscramble", "a7987393868d9e60adbb51a660ae42dd3ec05812"}).out,
              QByteArray("Lyrabell greetings!\n"));
    EXPECT_EQ(runTool({"unscramble", "000810FB164EBC54BF5C", "xy"}).out,
              QByteArray("pass word\n"));
}

TEST(ScrambleCommandTest, BadInputAndUsage)
{
    const lytest::ToolResult odd = runTool({"unscramble", "101A1"});
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_EQ(odd.err, QByteArray("Not a scrambled text (an odd number of digits): \"101A1\"\n"));
    EXPECT_EQ(runTool({"unscramble", "10ZZ"}).exitCode, 1);
    EXPECT_EQ(runTool({"scramble"}).exitCode, 2);
    const lytest::ToolResult many = runTool({"unscramble", "10", "key", "extra"});
    EXPECT_EQ(many.exitCode, 2);
    EXPECT_EQ(many.err, QByteArray("usage: lyrabell-tool unscramble HEX [KEY]\n"));
}

} // namespace
