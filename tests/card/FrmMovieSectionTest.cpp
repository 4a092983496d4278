#include "card/FrmMovieSection.h"
#include "shared/Ini.h"
#include "support/Sandbox.h"

namespace {

class FrmMovieSectionTest : public lytest::SandboxTest
{
protected:
    QString project(const QByteArray &text)
    {
        QByteArray ini = text;
        ini.replace("\n", "\r\n");
        return sandbox.writeFile("Rose/Rose.zpj", ini);
    }
    static QStringList keyOrder(const QString &file)
    {
        return ly::ini::keys(file, "FrmMovie");
    }
};

TEST_F(FrmMovieSectionTest, WritesEveryKeyInOrderAndReadsItBack)
{
    // Keys of an earlier save that the new one does not write must not survive it.
    const QString file = project("[FrmMovie]\nNumber=3\nItem2=\\Movie\\old.avi\nStale=1\n[Other]\nA=1\n");
    ly::FrmMovieSection s;
    s.movies = {{"a.avi", "320 X 240"}, {"b c.wmv", "176 X 144"}};
    s.pixWidth = 640;
    s.pixHeight = 360;
    s.fullScreen = true;
    s.aboutText = "  A trip  ";
    s.subtitle = true;
    s.subtitlePosition = 1;
    s.subtitleFont.Size = 14;
    s.subtitleFont.Style = ly::fsBold;
    s.subtitleColor = 0x00123456;
    s.subtitleText = " Hello ";
    ly::WriteFrmMovieSection(file, s);

    EXPECT_EQ(keyOrder(file),
              (QStringList{"Number", "Item0", "ItemPix0", "Item1", "ItemPix1", "PixWidth", "PixHeight",
                           "CheckScreen", "AniTextFlag", "AniStyle", "AniFont", "AniColor", "AniText",
                           "AboutText"}));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "Item1"), QStringLiteral("\\Movie\\b c.wmv"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "AniColor"), QStringLiteral("$00123456"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "AniText"), QStringLiteral("Hello"));
    EXPECT_EQ(ly::ini::read(file, "FrmMovie", "AboutText"), QStringLiteral("A trip"));
    EXPECT_EQ(ly::ini::read(file, "Other", "A"), QStringLiteral("1"));

    ly::FrmMovieSection expected = s;
    expected.aboutText = "A trip";
    expected.subtitleText = "Hello";
    EXPECT_EQ(ly::ReadFrmMovieSection(file), expected);

    // With the subtitle off its keys are left out.
    s.subtitle = false;
    ly::WriteFrmMovieSection(file, s);
    EXPECT_EQ(keyOrder(file), (QStringList{"Number", "Item0", "ItemPix0", "Item1", "ItemPix1", "PixWidth",
                                           "PixHeight", "CheckScreen", "AniTextFlag", "AboutText"}));
}

TEST_F(FrmMovieSectionTest, NothingIsRestoredWithoutMovies)
{
    const QString file = project("[FrmMovie]\nNumber=0\nPixWidth=100\nPixHeight=90\nCheckScreen=1\n"
                                 "AniTextFlag=1\nAniText=Hi\nAboutText=About\n");
    EXPECT_EQ(ly::ReadFrmMovieSection(file), ly::FrmMovieSection());
    EXPECT_EQ(ly::ReadFrmMovieSection(project("[Other]\nA=1\n")), ly::FrmMovieSection());
}

TEST_F(FrmMovieSectionTest, TakesOnlyStoredMovieNamesAndBoundedValues)
{
    const QString file = project(R"([FrmMovie]
Number=100000000
Item0=\Movie\one.avi
ItemPix0=320 X 240
Item1=\Movie\..\..\etc\passwd
Item2=C:\Movie\x.avi
Item3=\Music\three.mpg
Item4=\movie\four.mpg
PixWidth=12abc
PixHeight=-5
CheckScreen=2
AniTextFlag=-1
AniStyle=7
AniFont=Color=clRed#Size=zz#Name=X#Style=
AniColor=clWindowText
AniText=Hi
)");
    const ly::FrmMovieSection r = ly::ReadFrmMovieSection(file);
    ASSERT_EQ(r.movies.size(), 2);
    EXPECT_EQ(r.movies[0], (ly::MovieItem{"one.avi", "320 X 240"}));
    // An item without its size reads as the default one.
    EXPECT_EQ(r.movies[1], (ly::MovieItem{"four.mpg", "480 X 320"}));
    EXPECT_EQ(r.pixWidth, 480);
    EXPECT_EQ(r.pixHeight, 420);
    EXPECT_FALSE(r.fullScreen);
    EXPECT_TRUE(r.subtitle);
    EXPECT_EQ(r.subtitlePosition, 0);
    // A damaged font or colour keeps the panel's own; the other settings still come back.
    EXPECT_EQ(r.subtitleFont, ly::MovieSubtitleFont());
    EXPECT_EQ(r.subtitleColor, ly::kMovieSubtitleColor);
    EXPECT_EQ(r.subtitleText, QStringLiteral("Hi"));
}

TEST_F(FrmMovieSectionTest, AbsentSubtitleKeysReadAsTheirDefaults)
{
    const ly::FrmMovieSection r =
        ly::ReadFrmMovieSection(project("[FrmMovie]\nNumber=1\nItem0=\\Movie\\a.avi\nAniTextFlag=1\n"));
    EXPECT_TRUE(r.subtitle);
    EXPECT_EQ(r.subtitleColor, ly::clWhite);
    EXPECT_EQ(r.subtitleFont.Color, ly::clWindowText);
    EXPECT_EQ(r.subtitleFont.Size, 8);
}

TEST(MoviePixelTextTest, IsWidthXHeight)
{
    EXPECT_EQ(ly::MoviePixelText(QSize(320, 240)), QStringLiteral("320 X 240"));
    EXPECT_EQ(ly::MoviePixelSize("320 X 240"), QSize(320, 240));
    for (const char *bad : {"", "-1 X -1", "320x240", "320 X", "a X b"})
        EXPECT_FALSE(ly::MoviePixelSize(bad).isValid()) << bad;
}

} // namespace
