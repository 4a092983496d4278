#include "Pictures.h"
#include "support/Sandbox.h"

#include "control/Thumbnail.h"
#include "shared/Error.h"
#include "shared/Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTimeZone>

#include <algorithm>

namespace {

using ThumbnailTest = lytest::SandboxTest;

// Colours compared with room for JPEG's losses.
bool Near(QRgb actual, const QColor &expected, int tolerance = 40)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance &&
           std::abs(qGreen(actual) - expected.green()) <= tolerance &&
           std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

TEST(ThumbTextTest, DateIsUtcPlusEightHours)
{
    const QDateTime utc(QDate(2023, 12, 31), QTime(20, 30, 5), QTimeZone::utc());
    EXPECT_EQ(ly::ThumbDateText(utc), QStringLiteral("2024-01-01 04:30:05"));
    // The same moment given in another zone gives the same text.
    EXPECT_EQ(ly::ThumbDateText(utc.toTimeZone(QTimeZone(3600 * 5))),
              QStringLiteral("2024-01-01 04:30:05"));
}

TEST(ThumbTextTest, TypeTextsAndCaptionColours)
{
    const struct
    {
        QString file, type;
        QColor caption;
    } cases[] = {
        {"/p/a.JPG", "JPG Image  ", QColor(0, 128, 0)},
        {"/p/b.jpeg", "jpeg Image  ", QColor(0, 128, 0)},
        {"/p/c.Gif", "Gif Image  ", QColor(255, 0, 0)},
        {"/p/d.bmp", "bmp Image  ", QColor(255, 255, 0)},
        {"/p/e.ico", "ico Image  ", QColor(192, 220, 192)},
        {"/p/f.tiffx", "tiff Image  ", QColor(192, 220, 192)},
        {"/p.x/noext", " Image  ", QColor(192, 220, 192)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(ly::ThumbTypeText(c.file), c.type);
        EXPECT_EQ(ly::CaptionColorOf(c.file), c.caption);
    }
}

TEST_F(ThumbnailTest, DetailsAndHintUseTheControlLabels)
{
    const QString file = sandbox.writeFile("pics/photo.jpg", QByteArray(1536, 'x'));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2022, 5, 1), QTime(1, 2, 3), QTimeZone::utc()),
                              QFileDevice::FileModificationTime));
    f.close();
    const ly::ThumbDetails d = ly::ReadThumbDetails(file, QSize(640, 480));
    const QString dot = QLocale::system().decimalPoint();
    EXPECT_EQ(d.fileName, QStringLiteral("photo.jpg"));
    EXPECT_EQ(d.sizeText, "1" + dot + "5KB");
    EXPECT_EQ(d.pixText, QStringLiteral("640 X 480"));
    EXPECT_EQ(d.typeText, QStringLiteral("jpg Image  "));
    EXPECT_EQ(d.dateText, QStringLiteral("2022-05-01 09:02:03"));

    // The shipped config.ini names the labels.
    EXPECT_EQ(ly::ThumbHint(d, ly::ReadThumbLabels()),
              "\r\n[Type]:jpg Image  \r\n[Pixel]:640 X 480  \r\n[Size]:1" + dot +
                  "5KB  \r\n[Date]:2022-05-01 09:02:03  \r\n[Name]:photo.jpg\r\n");
    // Without them the defaults apply.
    ly::EraseIniSection(QStringLiteral("Control"), ly::ConfigFile());
    EXPECT_EQ(ly::ThumbHint(d, ly::ReadThumbLabels()),
              "\r\n[Type]:jpg Image  \r\n[Pix]:640 X 480  \r\n[Size]:1" + dot +
                  "5KB  \r\n[Date]:2022-05-01 09:02:03  \r\n[File]:photo.jpg\r\n");

    EXPECT_THROW(ly::ReadThumbDetails(sandbox.root() + "missing.jpg", QSize()), ly::Error);
}

TEST_F(ThumbnailTest, ListingMatchesTheTextAfterTheFirstDot)
{
    for (const char *name : {"a.JPG", "b.jpeg", "c.gif", "archive.tar.gif", "my.photo.jpg",
                             "noext", "d.png", "e.Ico", "f.wmf", ".bmp", ".hidden.bmp", "g.jpg.bak"})
        sandbox.writeFile(QStringLiteral("lib/") + name, "x");
    QDir(sandbox.root()).mkpath("lib/folder.jpg");
    const QString folder = sandbox.root() + "lib";
    const auto listed = [&](const ly::PictureTypes &types) {
        QStringList names;
        for (const QString &path : ly::ListPictureFolder(folder, types)) {
            EXPECT_TRUE(path.startsWith(folder + "/")) << path.toStdString();
            names.append(path.mid(folder.size() + 1));
        }
        names.sort();
        return names;
    };
    EXPECT_EQ(listed(ly::ALL_PICTURE_TYPES),
              QStringList({".bmp", "a.JPG", "b.jpeg", "c.gif", "e.Ico", "f.wmf"}));
    EXPECT_EQ(listed({false, true, false, false, false, false, false}), QStringList({"a.JPG"}));
    EXPECT_EQ(listed({true, false, true, false, true, false, false}),
              QStringList({"b.jpeg", "c.gif", "e.Ico"}));
    EXPECT_TRUE(listed({}).isEmpty());
    EXPECT_TRUE(ly::ListPictureFolder(sandbox.root() + "absent", ly::ALL_PICTURE_TYPES).isEmpty());
}

TEST(ThumbGeometryTest, FitInFrame)
{
    const QSize frame(90, 90);
    const struct
    {
        QSize picture;
        QRect fit;
    } cases[] = {
        {{50, 40}, {20, 25, 50, 40}},   // fits: own size, centred
        {{90, 90}, {0, 0, 90, 90}},     // exactly fits
        {{91, 10}, {1, 40, 88, 9}},     // too wide: width 88, height trunc(10 * 88 / 91)
        {{180, 90}, {1, 23, 88, 44}},   // wide
        {{90, 180}, {23, 1, 44, 88}},   // tall: h' = 180 > 90
        {{4000, 3000}, {1, 12, 88, 66}},
        {{100, 100}, {1, 1, 88, 88}},   // h' = 90 is not above the frame
        {{1, 10000}, {44, 1, 1, 88}},   // a sliver keeps one pixel
        {{0, 10}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
        EXPECT_EQ(ly::FitInFrame(c.picture, frame), c.fit);
    }
}

TEST(ThumbGeometryTest, ColumnsExtentAndPositions)
{
    EXPECT_EQ(ly::ThumbColumns(400), 3);
    EXPECT_EQ(ly::ThumbExtent(7, 3), 390);
    EXPECT_EQ(ly::ThumbExtent(6, 3), 260);
    EXPECT_EQ(ly::ThumbExtent(0, 3), 0);
    // Narrower than one column: still one column.
    EXPECT_EQ(ly::ThumbColumns(124), 1);
    EXPECT_EQ(ly::ThumbColumns(0), 1);
    EXPECT_EQ(ly::ThumbShadowPos(0, 3, false), QPoint(4, 4));
    EXPECT_EQ(ly::ThumbShadowPos(2, 3, false), QPoint(254, 4));
    EXPECT_EQ(ly::ThumbShadowPos(3, 3, false), QPoint(4, 134));
    EXPECT_EQ(ly::ThumbShadowPos(3, 3, true), QPoint(379, 4));
}

TEST_F(ThumbnailTest, ReadsEachTypeStraightToTileSize)
{
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 160, 0);
    const QString dir = sandbox.root();
    QImage transparent(120, 60, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    const QImage gray = lytest::TwoHalves({800, 600}, Qt::black, Qt::white)
                            .convertToFormat(QImage::Format_Grayscale8);
    const struct
    {
        QString file;
        QSize fullSize, thumbSize;
        QColor left, right; // at a quarter and three quarters of the width, mid height
    } cases[] = {
        {lytest::SavePicture(dir + "big.jpg", lytest::TwoHalves({1600, 1200}, red, blue), "JPG"),
         {1600, 1200}, {88, 66}, red, blue},
        {lytest::SavePicture(dir + "gray.jpeg", gray, "JPG"), {800, 600}, {88, 66},
         Qt::black, Qt::white},
        {lytest::SavePicture(dir + "small.jpg", lytest::TwoHalves({60, 40}, blue, red), "JPG"),
         {60, 40}, {60, 40}, blue, red},
        {lytest::SavePicture(dir + "wide.png", lytest::TwoHalves({300, 100}, green, red), "PNG"),
         {300, 100}, {88, 29}, green, red},
        {lytest::SavePicture(dir + "clear.png", transparent, "PNG"), {120, 60}, {88, 44},
         Qt::white, Qt::white},
        {lytest::SavePicture(dir + "tall.bmp", lytest::TwoHalves({100, 400}, red, green), "BMP"),
         {100, 400}, {22, 88}, red, green},
        // Named .jpg but a PNG inside: read by its content.
        {lytest::SavePicture(dir + "png.jpg", lytest::TwoHalves({40, 40}, blue, green), "PNG"),
         {40, 40}, {40, 40}, blue, green},
        {sandbox.writeFile("anim.gif", lytest::TwoFrameGif({30, 20}, red, blue)), {30, 20},
         {30, 20}, red, red},
        {sandbox.writeFile("drawing.wmf", lytest::FilledWmf(blue)), {200, 100}, {88, 44}, blue,
         blue},
        {sandbox.writeFile("drawing.emf", lytest::FilledEmf(green)), {200, 100}, {88, 44}, green,
         green},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        ASSERT_FALSE(c.file.isEmpty());
        const ly::ThumbPicture p = ly::ReadThumbnail(c.file);
        ASSERT_FALSE(p.image.isNull());
        EXPECT_EQ(p.fullSize, c.fullSize);
        EXPECT_EQ(p.image.size(), c.thumbSize);
        EXPECT_FALSE(p.isIcon);
        EXPECT_FALSE(p.image.hasAlphaChannel());
        const int y = p.image.height() / 2;
        EXPECT_TRUE(Near(p.image.pixel(p.image.width() / 4, y), c.left))
            << std::hex << p.image.pixel(p.image.width() / 4, y);
        EXPECT_TRUE(Near(p.image.pixel(p.image.width() * 3 / 4, y), c.right))
            << std::hex << p.image.pixel(p.image.width() * 3 / 4, y);
    }
}

TEST_F(ThumbnailTest, IconsKeepTheirSizeAndTransparency)
{
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(24, 24, qRgba(255, 0, 0, 255));
    const ly::ThumbPicture small =
        ly::ReadThumbnail(lytest::SavePicture(sandbox.root() + "small.ico", icon, "ICO"));
    ASSERT_FALSE(small.image.isNull());
    EXPECT_TRUE(small.isIcon);
    EXPECT_EQ(small.fullSize, QSize(48, 48));
    EXPECT_EQ(small.image.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(small.image.pixel(0, 0)), 0);
    EXPECT_EQ(small.image.pixel(24, 24), qRgba(255, 0, 0, 255));

    // An icon larger than the frame shrinks to fit like any picture.
    const ly::ThumbPicture large = ly::ReadThumbnail(lytest::SavePicture(
        sandbox.root() + "large.ICO", icon.scaled(128, 128), "ICO"));
    EXPECT_TRUE(large.isIcon);
    EXPECT_EQ(large.fullSize, QSize(128, 128));
    EXPECT_EQ(large.image.size(), QSize(88, 88));
}

TEST_F(ThumbnailTest, UnreadablePicturesGiveNothing)
{
    const QImage good = lytest::TwoHalves({200, 100}, Qt::red, Qt::blue);
    const QString jpeg = lytest::SavePicture(sandbox.root() + "good.jpg", good, "JPG");
    const QByteArray jpegBytes = lytest::readFile(jpeg);
    const QString cases[] = {
        sandbox.writeFile("garbage.jpg", "not a picture at all"),
        sandbox.writeFile("header-only.jpg", jpegBytes.left(20)),
        sandbox.writeFile("empty.gif", ""),
        sandbox.writeFile("broken.wmf", QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(30, '\0')),
        sandbox.writeFile("broken.emf", QByteArray(100, '\x01')),
        sandbox.writeFile("broken.ico", QByteArray(10, '\0')),
        sandbox.root() + "missing.bmp",
    };
    for (const QString &file : cases) {
        SCOPED_TRACE(file.toStdString());
        const ly::ThumbPicture p = ly::ReadThumbnail(file);
        EXPECT_TRUE(p.image.isNull());
        const ly::PreparedThumb prepared = ly::PrepareThumb(file, ly::ReadThumbLabels());
        EXPECT_TRUE(prepared.picture.image.isNull());
        EXPECT_TRUE(prepared.hint.isEmpty());
    }
    // A JPEG cut short still shows what arrived.
    const QString cut = sandbox.writeFile("cut.jpg", jpegBytes.left(jpegBytes.size() / 2));
    EXPECT_EQ(ly::ReadThumbnail(cut).fullSize, QSize(200, 100));
}

} // namespace
