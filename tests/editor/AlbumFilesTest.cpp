#include "card/FrmPictureSection.h"
#include "editor/AlbumFiles.h"
#include "shared/Settings.h"
#include "support/PictureBytes.h"
#include "support/Sandbox.h"
#include "transitions/Effects.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using lytest::readFile;

class AlbumFilesTest : public lytest::SandboxTest
{
protected:
    // A frame set of eight small JPEG pieces in the sandbox, each piece's colour its own.
    QString frameSet(const QString &relative, const QStringList &leaveOut = {},
                     QColor color = Qt::darkRed)
    {
        for (const char *piece : ly::kFramePieces)
            if (!leaveOut.contains(QLatin1String(piece)))
                sandbox.writeFile(relative + "/" + piece, lytest::EncodedPicture({12, 12}, color, "JPG"));
        return sandbox.root() + relative + "/";
    }
    QString project() const { return sandbox.root() + "Rose/"; }
};

TEST(AlbumEffectNamesTest, TheShippedListsGiveTheReversedTreeAndOthersTheCatalogue)
{
    lytest::Sandbox sandbox;
    const QStringList shipped = ly::ReadAlbumEffectNames();
    ASSERT_EQ(shipped.size(), ly::kAlbumEffectNodes);
    EXPECT_EQ(shipped.at(0), QStringLiteral("Random"));
    EXPECT_EQ(shipped.at(1), QStringLiteral("Rotational star"));
    EXPECT_EQ(shipped.at(150), QStringLiteral("Expand from right"));
    // Node k shows the name of the style it plays.
    for (int k = 1; k <= ly::kAlbumStyleCount; ++k)
        EXPECT_EQ(shipped.at(k), ly::transitions::styleName(ly::AlbumStyleOfIndex(k))) << k;

    // Text after the last ";" is not a name.
    QStringList names;
    for (int i = 0; i < 151; ++i)
        names.append(QString("N%1").arg(i));
    const QString a = names.mid(0, 100).join(';') + ';';
    const QString b = names.mid(100, 51).join(';') + ";tail";
    const QStringList own = ly::AlbumEffectNames(a, b, "no names here");
    ASSERT_EQ(own.size(), 151);
    EXPECT_EQ(own.at(0), QStringLiteral("N150"));
    EXPECT_EQ(own.at(150), QStringLiteral("N0"));

    // Lists that cannot map every node to its style give way to the catalogue.
    const struct { const char *what; QString l1, l2, l3; } broken[] = {
        {"nothing", "", "", ""},
        {"one name short", names.mid(0, 150).join(';') + ';', "", ""},
        {"one name over", names.join(';') + ";extra;", "", ""},
        {"no separators", names.join(','), "", ""},
    };
    for (const auto &c : broken) {
        const QStringList fallback = ly::AlbumEffectNames(c.l1, c.l2, c.l3);
        ASSERT_EQ(fallback.size(), 151) << c.what;
        EXPECT_EQ(fallback.at(0), QStringLiteral("Random")) << c.what;
        EXPECT_EQ(fallback.at(1), QStringLiteral("Rotational star")) << c.what;
        EXPECT_EQ(fallback.at(150), QStringLiteral("Expand from right")) << c.what;
    }
}

TEST_F(AlbumFilesTest, ShippedFrameSetsAreListedAndComplete)
{
    sandbox.copyContent("BoxPicture");
    const QStringList sets = ly::ListFrameSets(ly::FrameSetsFolder());
    EXPECT_GE(sets.size(), 4);
    for (const QString &set : sets) {
        EXPECT_TRUE(ly::MissingFramePieces(ly::FrameSetsFolder() + set).isEmpty()) << set.toStdString();
        const QImage top(ly::FrameSetsFolder() + set + "/Top.jpg");
        const QImage corner(ly::FrameSetsFolder() + set + "/TopLeft.jpg");
        const QImage left(ly::FrameSetsFolder() + set + "/Left.jpg");
        // The corners are as large as the strips are thick, so the frame closes.
        EXPECT_EQ(corner.height(), top.height()) << set.toStdString();
        EXPECT_EQ(corner.width(), left.width()) << set.toStdString();
    }

    // Folders with a "." and plain files are no frame sets.
    const QString folder = sandbox.root() + "Sets/";
    frameSet("Sets/Plain");
    QDir().mkpath(folder + "old.bak");
    sandbox.writeFile("Sets/readme.txt", "x");
    EXPECT_EQ(ly::ListFrameSets(folder), QStringList{"Plain"});
}

TEST_F(AlbumFilesTest, AFrameSetIsCopiedWholeOrNotAtAll)
{
    // The project's frame so far, which a refused set must leave as it was.
    const QString old = frameSet("Rose/PicBox", {}, Qt::blue);
    const QByteArray oldTop = readFile(old + "Top.jpg");

    const QString broken = frameSet("Sets/Broken", {"BtmRight.jpg"});
    sandbox.writeFile("Sets/Damaged/Top.jpg", "not a picture");
    for (const char *piece : ly::kFramePieces)
        if (QLatin1String(piece) != QLatin1String("Top.jpg"))
            sandbox.writeFile(QString("Sets/Damaged/") + piece, lytest::EncodedPicture({8, 8}, Qt::red, "JPG"));
    for (const QString &set : QStringList{broken, sandbox.root() + "Sets/Damaged/"}) {
        QString error;
        EXPECT_FALSE(ly::CopyFrameSet(set, project(), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(readFile(old + "Top.jpg"), oldTop);
        EXPECT_EQ(QDir(old).entryList(QDir::Files | QDir::Hidden).size(), 8);
    }
    EXPECT_EQ(ly::MissingFramePieces(broken), QStringList{"BtmRight.jpg"});

    // A whole set replaces the frame; pieces spelt in another case are found and stored under
    // their own names, and the old spelling does not stay beside them.
    const QString good = frameSet("Sets/Good", {"Left.jpg"}, Qt::green);
    sandbox.writeFile("Sets/Good/left.JPG", lytest::EncodedPicture({12, 12}, Qt::green, "JPG"));
    sandbox.writeFile("Rose/PicBox/top.jpg", "old spelling");
    ASSERT_TRUE(ly::CopyFrameSet(good, project()));
    QStringList files = QDir(old).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    QStringList expected;
    for (const char *piece : ly::kFramePieces)
        expected.append(QLatin1String(piece));
    expected.sort();
    EXPECT_EQ(files, expected);
    EXPECT_EQ(readFile(old + "Left.jpg"), readFile(good + "left.JPG"));
    EXPECT_EQ(readFile(old + "Top.jpg"), readFile(good + "Top.jpg"));
}

TEST_F(AlbumFilesTest, SaveCopiesNeverReplaceAndCompareNamesWithoutCase)
{
    const QString user = sandbox.writeFile("home/Photo.JPG", lytest::EncodedPicture({20, 10}, Qt::red, "JPG"));
    // A picture goes into Picture once; a file of its name there is kept.
    ASSERT_TRUE(ly::CopyAlbumPicture(sandbox.root() + "home/", "Photo.JPG", project()));
    EXPECT_EQ(readFile(project() + "Picture/Photo.JPG"), readFile(user));
    sandbox.writeFile("home/Photo.JPG", "changed since");
    ASSERT_TRUE(ly::CopyAlbumPicture(sandbox.root() + "home/", "Photo.JPG", project()));
    EXPECT_NE(readFile(project() + "Picture/Photo.JPG"), QByteArray("changed since"));
    // A row already in the project's folder copies nothing; a missing source reports it.
    EXPECT_TRUE(ly::CopyAlbumPicture(project() + "Picture/", "Photo.JPG", project()));
    EXPECT_FALSE(ly::CopyAlbumPicture(sandbox.root() + "home/", "gone.jpg", project()));

    // The fill picture: copied under its bare name, or the one of that name (in any case)
    // that Res holds already, so one package never holds "Sky.jpg" and "sky.jpg".
    const QString fill = sandbox.writeFile("home/Sky.jpg", lytest::EncodedPicture({8, 8}, Qt::blue, "JPG"));
    EXPECT_EQ(ly::CopyFillPicture(fill, project()), QStringLiteral("Sky.jpg"));
    EXPECT_EQ(readFile(project() + "Res/Sky.jpg"), readFile(fill));
    const QString other = sandbox.writeFile("elsewhere/SKY.JPG", "another sky");
    EXPECT_EQ(ly::CopyFillPicture(other, project()), QStringLiteral("Sky.jpg"));
    EXPECT_EQ(QDir(project() + "Res").entryList(QDir::Files).size(), 1);
    EXPECT_EQ(ly::CopyFillPicture(project() + "Res/Sky.jpg", project()), QStringLiteral("Sky.jpg"));
    EXPECT_EQ(ly::FileInFolder(project() + "Res", "sky.JPG"), project() + "Res/Sky.jpg");
}

TEST_F(AlbumFilesTest, MeasuringTellsMissingDamagedAndGoodPicturesApart)
{
    const QString good = sandbox.writeFile("p/good.bmp", lytest::EncodedPicture({33, 21}, Qt::red, "BMP"));
    const QString damaged = sandbox.writeFile("p/damaged.jpg", "JFIF but not really");
    const QString missing = sandbox.root() + "p/missing.bmp";

    const ly::AlbumPictureInfo g = ly::MeasureAlbumPicture(good);
    EXPECT_TRUE(g.exists && g.readable);
    EXPECT_EQ(g.pixelText(), QStringLiteral("33 X 21"));
    EXPECT_FALSE(g.sizeText.isEmpty());
    const ly::AlbumPictureInfo d = ly::MeasureAlbumPicture(damaged);
    EXPECT_TRUE(d.exists);
    EXPECT_FALSE(d.readable);
    EXPECT_TRUE(d.pixelText().isEmpty());
    const ly::AlbumPictureInfo m = ly::MeasureAlbumPicture(missing);
    EXPECT_FALSE(m.exists);
    EXPECT_TRUE(m.sizeText.isEmpty());

    // Off the calling thread, each result under the id it was asked with; a cancel drops
    // what was asked before it.
    ly::AlbumPictureMeasurer measurer;
    QSignalSpy spy(&measurer, &ly::AlbumPictureMeasurer::Measured);
    measurer.Measure(7, good);
    measurer.Measure(8, missing);
    while (spy.size() < 2)
        ASSERT_TRUE(spy.wait(10000));
    EXPECT_EQ(spy.at(0).at(0).toULongLong(), 7u);
    EXPECT_EQ(spy.at(0).at(1).value<ly::AlbumPictureInfo>().pixelText(), QStringLiteral("33 X 21"));
    EXPECT_EQ(spy.at(1).at(0).toULongLong(), 8u);
    EXPECT_EQ(measurer.Pending(), 0);
    measurer.Measure(9, good);
    measurer.Cancel();
    measurer.Measure(10, good);
    while (measurer.Pending() > 0)
        ASSERT_TRUE(spy.wait(10000));
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy.at(2).at(0).toULongLong(), 10u);
}

} // namespace
