#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QImage>

#include <functional>

namespace {

using lytest::runTool;

using TransitionToolTest = lytest::SandboxTest;

QString savePicture(const lytest::Sandbox &sandbox, const QString &name, const QImage &image)
{
    const QString path = sandbox.root() + name;
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

// Every pixel its own colour; blue tells old (10) from new (240).
QImage picture(int w, int h, int blue)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, y * 7 % 256, blue));
    return image;
}

TEST(TransitionListTest, ListsTheCatalogue)
{
    const lytest::ToolResult r = runTool({"transition", "--list"});
    EXPECT_EQ(r.exitCode, 0);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 150);
    EXPECT_EQ(lines.first(), QByteArray("1 Expand from right"));
    EXPECT_EQ(lines[32], QByteArray("33 Expand from bottom"));
    EXPECT_EQ(lines[117], QByteArray("118 Fade"));
    EXPECT_EQ(lines.last(), QByteArray("150 Rotational star"));
}

// Frames from outside, against values worked out here from the effects' rules.
TEST_F(TransitionToolTest, FramesOfTellingStyles)
{
    const int w = 40, h = 20;
    const QImage before = picture(w, h, 10), after = picture(w, h, 240);
    const QString oldPath = savePicture(sandbox, "old.png", before);
    const QString newPath = savePicture(sandbox, "new.png", after);
    const QString out = sandbox.root() + "out.png";

    struct Case
    {
        QStringList args; // style, progress and options
        std::function<QRgb(int x, int y)> expected;
    };
    const Case cases[] = {
        // Fade, per channel (old × 70 + new × 30) div 100.
        {{"Fade", "30"}, [&](int x, int y) {
             const QRgb o = before.pixel(x, y), n = after.pixel(x, y);
             return qRgb((qRed(o) * 70 + qRed(n) * 30) / 100, (qGreen(o) * 70 + qGreen(n) * 30) / 100,
                         (qBlue(o) * 70 + qBlue(n) * 30) / 100);
         }},
        // Push right at 25: X = 10; the old picture moves 10 to the right, the new one's last
        // 10 columns come in at the left.
        {{"128", "25"}, [&](int x, int y) { return x < 10 ? after.pixel(30 + x, y) : before.pixel(x - 10, y); }},
        // Blind vertically, Step 20: B = round(40 × 20 / 90) = 9, pitch 4; at 60 the first 2
        // columns of each band.
        {{"136", "60", "--step", "20"}, [&](int x, int y) { return x % 4 < 2 ? after.pixel(x, y) : before.pixel(x, y); }},
        {{"1", "0"}, [&](int x, int y) { return before.pixel(x, y); }},
        {{"1", "250"}, [&](int x, int y) { return after.pixel(x, y); }}, // above 100 counts as 100
    };
    for (const Case &c : cases) {
        const lytest::ToolResult r =
            runTool(QStringList{"transition", c.args[0], c.args[1], oldPath, newPath, out} + c.args.mid(2));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage frame = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(frame.size(), QSize(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(frame.pixel(x, y), c.expected(x, y)) << c.args.join(' ').toStdString() << " at " << x << "," << y;
    }
}

TEST_F(TransitionToolTest, OldPictureIsScaledToTheNewOnesSize)
{
    QImage small(2, 1, QImage::Format_RGB32);
    small.setPixel(0, 0, qRgb(255, 0, 0));
    small.setPixel(1, 0, qRgb(0, 255, 0));
    const QString oldPath = savePicture(sandbox, "old.png", small);
    const QString newPath = savePicture(sandbox, "new.png", picture(8, 4, 240));
    const QString out = sandbox.root() + "out.png";
    ASSERT_EQ(runTool({"transition", "5", "1", oldPath, newPath, out}).exitCode, 0);
    const QImage frame(out);
    ASSERT_EQ(frame.size(), QSize(8, 4));
    EXPECT_EQ(frame.pixel(7, 3), qRgb(0, 255, 0)); // right half from the old right pixel
    EXPECT_EQ(frame.pixel(4, 0), qRgb(0, 255, 0));
    EXPECT_EQ(frame.pixel(3, 0), qRgb(255, 0, 0));
}

TEST_F(TransitionToolTest, BadInput)
{
    const QString pic = savePicture(sandbox, "p.png", picture(4, 4, 10));
    const QString out = sandbox.root() + "out.png";
    struct Case
    {
        QStringList args;
        int exitCode;
        QByteArray err;
    };
    const Case cases[] = {
        {{"transition", "151", "50", pic, pic, out}, 1, "Unknown transition style \"151\""},
        {{"transition", "Custom", "50", pic, pic, out}, 1, "Unknown transition style \"Custom\""},
        {{"transition", "1", "-1", pic, pic, out}, 1, "The progress must lie in 0 ... 100"},
        {{"transition", "1", "50", sandbox.root() + "missing.png", pic, out}, 1, "Unable to read the picture"},
        {{"transition", "1", "50", pic, pic, sandbox.root() + "no/such/dir/out.png"}, 1, "Unable to write to"},
        {{"transition", "1", "half", pic, pic, out}, 2, "usage: lyrabell-tool transition"},
        {{"transition", "1", "50", pic, pic}, 2, "usage: lyrabell-tool transition"},
        {{"transition", "1", "50", pic, pic, out, "--step"}, 2, "usage: lyrabell-tool transition"},
    };
    for (const Case &c : cases) {
        const lytest::ToolResult r = runTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
    }
}

} // namespace
