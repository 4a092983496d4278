#include "Pictures.h"

#include "control/PictureFile.h"
#include "control/Thumbnail.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

using PictureFileTest = lytest::SandboxTest;

bool near(QRgb a, const QColor &b)
{
    return std::abs(qRed(a) - b.red()) < 24 && std::abs(qGreen(a) - b.green()) < 24
           && std::abs(qBlue(a) - b.blue()) < 24;
}

TEST_F(PictureFileTest, EveryTypeIsReadAtItsOwnSize)
{
    const QColor red(Qt::red), blue(Qt::blue), green(0, 128, 0);
    const QImage halves = lytest::TwoHalves({400, 300}, red, blue);
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(32, 32, qRgba(0, 0, 255, 255));
    const struct
    {
        QString file;
        QSize size;
        QColor left, right;
        bool isIcon;
    } cases[] = {
        {lytest::SavePicture(sandbox.root() + "a.jpg", halves, "JPG"), {400, 300}, red, blue, false},
        {lytest::SavePicture(sandbox.root() + "a.jpeg", halves, "JPG"), {400, 300}, red, blue, false},
        {lytest::SavePicture(sandbox.root() + "a.bmp", halves, "BMP"), {400, 300}, red, blue, false},
        {sandbox.writeFile("a.gif", lytest::TwoFrameGif({60, 40}, red, blue)), {60, 40}, red, red, false},
        {lytest::SavePicture(sandbox.root() + "a.ico", icon, "ICO"), {64, 64}, QColor(), QColor(), true},
        // Metafiles are drawn at their display size, not only shrunk to thumbnails.
        {sandbox.writeFile("a.wmf", lytest::FilledWmf(green)), {200, 100}, green, green, false},
        {sandbox.writeFile("a.emf", lytest::FilledEmf(blue)), {200, 100}, blue, blue, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const ly::PictureFile p = ly::ReadPictureFile(c.file);
        ASSERT_TRUE(p.ok()) << p.error.toStdString();
        EXPECT_TRUE(p.error.isEmpty());
        EXPECT_EQ(p.image.size(), c.size);
        EXPECT_EQ(p.fullSize, c.size);
        EXPECT_EQ(p.isIcon, c.isIcon);
        if (c.isIcon) {
            EXPECT_EQ(qAlpha(p.image.pixel(0, 0)), 0);
            EXPECT_EQ(p.image.pixel(32, 32), qRgba(0, 0, 255, 255));
            continue;
        }
        const int y = p.image.height() / 2;
        EXPECT_TRUE(near(p.image.pixel(p.image.width() / 4, y), c.left));
        EXPECT_TRUE(near(p.image.pixel(p.image.width() * 3 / 4, y), c.right));
    }
}

TEST_F(PictureFileTest, ABoundShrinksOnReadingAndKeepsTheAspect)
{
    const QString file = lytest::SavePicture(sandbox.root() + "big.jpg",
                                             lytest::TwoHalves({1600, 1200}, Qt::red, Qt::blue), "JPG");
    const ly::PictureFile p = ly::ReadPictureFile(file, {200, 200});
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.fullSize, QSize(1600, 1200));
    EXPECT_LE(p.image.width(), 200);
    EXPECT_NEAR(double(p.image.width()) / p.image.height(), 4.0 / 3.0, 0.02);
}

TEST_F(PictureFileTest, AnUnreadablePictureIsAnErrorNamingTheFile)
{
    const QString cases[] = {
        sandbox.writeFile("garbage.jpg", "not a picture at all"),
        sandbox.writeFile("empty.gif", ""),
        sandbox.writeFile("broken.wmf", QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(30, '\0')),
        sandbox.writeFile("broken.emf", QByteArray(100, '\x01')),
        sandbox.root() + "missing.bmp",
        sandbox.root(), // a folder
    };
    for (const QString &file : cases) {
        SCOPED_TRACE(file.toStdString());
        ly::PictureFile p;
        EXPECT_NO_THROW(p = ly::ReadPictureFile(file));
        EXPECT_FALSE(p.ok());
        EXPECT_TRUE(p.error.contains(file)) << p.error.toStdString();
    }
}

// The material of the single-picture library ships in the types its chooser lists.
TEST_F(PictureFileTest, EveryShippedSinglePictureIsListedAndReadable)
{
    int pictures = 0;
    const QString blk = lytest::contentDir() + "blk";
    for (const QString &folder : QDir(blk).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        SCOPED_TRACE(folder.toStdString());
        const QString path = blk + "/" + folder;
        const QStringList listed = ly::ListPictureFolder(path, ly::ALL_PICTURE_TYPES);
        EXPECT_EQ(listed.size(), QDir(path).entryList(QDir::Files).size());
        EXPECT_FALSE(listed.isEmpty());
        for (const QString &file : listed) {
            SCOPED_TRACE(file.toStdString());
            const ly::PictureFile p = ly::ReadPictureFile(file);
            EXPECT_TRUE(p.ok()) << p.error.toStdString();
            ++pictures;
        }
    }
    EXPECT_GE(pictures, 10);
}

} // namespace
