#include "support/Sandbox.h"

#include "shared/Error.h"
#include "shared/widgets/PictureFit.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMovie>

namespace {

// A one-colour GIF (Qt reads GIF but does not write it). The LZW stream starts over with a
// clear code after every two pixels, so every code stays three bits wide.
QByteArray solidGif(int width, int height)
{
    QByteArray gif("GIF89a");
    const auto le16 = [&gif](int v) {
        gif += char(v & 0xFF);
        gif += char(v >> 8);
    };
    le16(width);
    le16(height);
    gif += QByteArray("\x80\x00\x00", 3);             // two-colour global table
    gif += QByteArray("\xFF\x00\x00\x00\x00\x00", 6); // red, black
    gif += ',';
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    gif += char(0);
    gif += char(2); // minimum code size: clear = 4, end = 5

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            put(4);
        put(0);
    }
    put(5);
    if (count > 0)
        data += char(bits & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += char(0);
    gif += ';';
    return gif;
}

TEST(FitPictureRectTest, CentresOrShrinksKeepingTheAspect)
{
    const struct
    {
        QSize picture;
        QSize panel;
        QRect place;
    } cases[] = {
        {{100, 50}, {400, 300}, {150, 125, 100, 50}},  // fits: own size, centred
        {{400, 300}, {400, 300}, {0, 0, 400, 300}},    // exactly the panel
        {{101, 51}, {400, 300}, {149, 124, 101, 51}},  // halves round toward zero
        {{800, 300}, {400, 300}, {0, 75, 400, 150}},   // too wide: full width
        {{300, 900}, {400, 300}, {150, 0, 100, 300}},  // too tall: full height
        {{1000, 333}, {400, 300}, {0, 83, 400, 133}},  // 333 * 400 / 1000 = 133.2, cut
        {{401, 10}, {400, 300}, {0, 145, 400, 9}},     // 10 * 400 / 401 = 9.97, cut
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.picture));
        EXPECT_EQ(ly::FitPictureRect(c.picture, c.panel), c.place);
    }
}

class PictureFitTest : public lytest::SandboxTest
{
protected:
    QString picture(const QString &name, QSize size, const char *format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = sandbox.root() + name;
        QImageWriter writer(path, format);
        if (!writer.write(image))
            ADD_FAILURE() << writer.errorString().toStdString();
        return path;
    }

    QWidget panel;
    QLabel *image = new QLabel(&panel);
};

TEST_F(PictureFitTest, BitmapsAreScaledInMemoryAndLeaveTheClipboard)
{
    panel.resize(200, 100);
    QGuiApplication::clipboard()->setText("the user's clipboard");
    for (const char *format : {"jpg", "png", "bmp"}) {
        SCOPED_TRACE(format);
        const QString file = picture(QStringLiteral("big.") + format, {400, 100}, format);
        ly::FitPictureInPanel(file, image, &panel);
        EXPECT_EQ(image->geometry(), QRect(0, 25, 200, 50));
        ASSERT_FALSE(image->pixmap().isNull());
        EXPECT_EQ(image->pixmap().size(), QSize(200, 50));
        const QColor centre = image->pixmap().toImage().pixelColor(100, 25);
        EXPECT_GT(centre.red(), 200);
        EXPECT_LT(centre.green(), 60);
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the user's clipboard"));
}

TEST_F(PictureFitTest, GifAndIconAreShownAsTheyAreAndStretched)
{
    panel.resize(200, 100);
    const QString gif = sandbox.writeFile("small.gif", solidGif(40, 20));
    ASSERT_EQ(QImage(gif).size(), QSize(40, 20));
    ASSERT_EQ(QImage(gif).pixelColor(39, 19), QColor(Qt::red));
    ly::FitPictureInPanel(gif, image, &panel);
    EXPECT_EQ(image->geometry(), QRect(80, 40, 40, 20));
    ASSERT_NE(image->movie(), nullptr);
    EXPECT_TRUE(image->hasScaledContents());

    ly::FitPictureInPanel(picture("icon.ico", {32, 32}, "ico"), image, &panel);
    EXPECT_EQ(image->movie(), nullptr) << "the earlier picture is cleared";
    EXPECT_EQ(image->geometry(), QRect(84, 34, 32, 32));
    EXPECT_EQ(image->pixmap().size(), QSize(32, 32));
}

TEST_F(PictureFitTest, UnreadableFilesRaiseAndLeaveTheImageCleared)
{
    panel.resize(200, 100);
    ly::FitPictureInPanel(picture("a.png", {10, 10}, "png"), image, &panel);
    ASSERT_FALSE(image->pixmap().isNull());

    EXPECT_THROW(ly::FitPictureInPanel(sandbox.root() + "missing.jpg", image, &panel), ly::Error);
    EXPECT_TRUE(image->pixmap().isNull());
    const QString junk = sandbox.writeFile("junk.jpg", "not a picture");
    EXPECT_THROW(ly::FitPictureInPanel(junk, image, &panel), ly::Error);
    const QString junkGif = sandbox.writeFile("junk.gif", "GIF89a broken");
    EXPECT_THROW(ly::FitPictureInPanel(junkGif, image, &panel), ly::Error);
    EXPECT_EQ(image->movie(), nullptr);
}

} // namespace
