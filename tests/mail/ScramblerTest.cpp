#include "support/Printers.h"

#include "mail/Scrambler.h"
#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QSet>

#include <gtest/gtest.h>

#include <random>

namespace {

using ly::mail::scrambleBytes;
using ly::mail::ScrambleText;
using ly::mail::unscrambleBytes;
using ly::mail::UnscrambleText;

class ScramblerTest : public ::testing::Test
{
protected:
    void TearDown() override { ly::codepage::overrideName({}); }
};

// Digit strings worked out by hand from the algorithm, outside this code.
TEST_F(ScramblerTest, KnownDigitStrings)
{
    struct Case
    {
        quint8 seed;
        QByteArray text;
        QByteArray key;
        QByteArray digits;
    };
    const Case cases[] = {
        {0x42, "", "", "42"},
        {0x10, "ab", "", "101A1D"},
        {0xA7, "Lyrabell greetings!", "", "A7987393868D9E60ADBB51A660AE42DD3EC05812"},
        {0x00, "pass word", "xy", "000810FB164EBC54BF5C"},
        // After a previous value of 255 the byte 255 scrambles to the sum 0.
        {0xFF, "\xFF", "", "FF6B"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.digits.constData());
        EXPECT_EQ(scrambleBytes(c.text, c.key, c.seed), c.digits);
        EXPECT_EQ(unscrambleBytes(c.digits, c.key), c.text);
        EXPECT_EQ(unscrambleBytes(c.digits.toLower(), c.key), c.text);
    }
}

TEST_F(ScramblerTest, EveryByteAndSeedRoundTrips)
{
    std::mt19937 rng(8);
    for (int seed = 0; seed < 256; ++seed) {
        QByteArray key(qsizetype(1 + rng() % 9), Qt::Uninitialized);
        for (char &k : key)
            k = char(1 + rng() % 255);
        QByteArray text(qsizetype(rng() % 40), Qt::Uninitialized);
        for (char &b : text)
            b = char(1 + rng() % 255);
        text += "\xFF\xFE\x01\xFF";
        const QByteArray digits = scrambleBytes(text, key, quint8(seed));
        ASSERT_EQ(digits.size(), 2 + 2 * text.size());
        ASSERT_EQ(unscrambleBytes(digits, key), text) << "seed " << seed;
    }
}

TEST_F(ScramblerTest, TextsGoThroughTheCodePage)
{
    const QString text = QStringLiteral("Gr\u00fc\u00dfe \u20ac");
    struct Case
    {
        const char *codepage;
        qsizetype bytes;
    };
    for (const Case c : {Case{"UTF-8", 11}, Case{"windows-1252", 7}}) {
        SCOPED_TRACE(c.codepage);
        ly::codepage::overrideName(c.codepage);
        for (const QString &key : {QString(), QStringLiteral("k\u00e9y")}) {
            const QString digits = ScrambleText(text, key);
            EXPECT_EQ(digits.size(), 2 + 2 * c.bytes);
            EXPECT_EQ(digits, digits.toUpper());
            EXPECT_EQ(UnscrambleText(digits, key), text);
            EXPECT_EQ(UnscrambleText(digits.toLower(), key), text);
        }
    }
}

TEST_F(ScramblerTest, EmptyKeyMeansTheDefaultKey)
{
    const QString digits = ScrambleText(QStringLiteral("secret"));
    EXPECT_EQ(UnscrambleText(digits, QStringLiteral("kavrel")), QStringLiteral("secret"));
    EXPECT_NE(UnscrambleText(digits, QStringLiteral("other")), QStringLiteral("secret"));
}

TEST_F(ScramblerTest, SeedIsRandom)
{
    QSet<QString> seen;
    for (int i = 0; i < 40; ++i) {
        const QString digits = ScrambleText(QStringLiteral("same text"));
        EXPECT_EQ(UnscrambleText(digits), QStringLiteral("same text"));
        seen.insert(digits);
    }
    EXPECT_GT(seen.size(), 1);
}

TEST_F(ScramblerTest, RejectsWhatIsNotScrambledText)
{
    const QString bad[] = {
        QString(),
        QStringLiteral("4"),
        QStringLiteral("101A1"),
        QStringLiteral("10GA"),
        QStringLiteral("10 A"),
        QStringLiteral("0x1A"),
        QStringLiteral("10\u00c1A"),
        QStringLiteral("\uff11\uff10"), // full-width digits
    };
    for (const QString &digits : bad) {
        SCOPED_TRACE(digits.toStdString());
        EXPECT_THROW(UnscrambleText(digits), ly::Error);
    }
}

} // namespace
