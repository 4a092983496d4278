#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include <QFile>
#include <QImage>

namespace {

using lytest::runTool;

using GradientToolTest = lytest::SandboxTest;

TEST_F(GradientToolTest, WritesThePictureAsPng)
{
    const QString out = sandbox.root() + "h.png";
    ASSERT_EQ(runTool({"gradient", "rgsHorizontal", "clBlack", "$00FFFFFF", "256", "4", out})
                  .exitCode,
              0);
    const QImage h(out);
    ASSERT_EQ(h.size(), QSize(256, 4));
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(h.pixel(x, 3) | 0xFF000000u, qRgb(x, x, x)) << x;

    // Style 4 is rgsVerticalCenter; red in the low byte of a stored colour value.
    ASSERT_EQ(runTool({"gradient", "4", "$00336699", "clblue", "3", "10", out}).exitCode, 0);
    const QImage v(out);
    ASSERT_EQ(v.size(), QSize(3, 10));
    EXPECT_EQ(v.pixel(1, 0) | 0xFF000000u, qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(v.pixel(1, 9) | 0xFF000000u, qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(v.pixel(1, 4) | 0xFF000000u, qRgb(0, 0, 255));
    EXPECT_EQ(v.pixel(1, 5) | 0xFF000000u, qRgb(0, 0, 255));
}

TEST_F(GradientToolTest, RejectsBadArguments)
{
    const QString out = sandbox.root() + "x.png";
    const struct
    {
        QStringList args;
        int exitCode;
        const char *err;
    } cases[] = {
        {{"gradient", "13", "clRed", "clBlue", "5", "5", out}, 1,
         "Not a gradient style (0 ... 12 or rgsHorizontal ... rgsNeo): \"13\"\n"},
        {{"gradient", "0", "pink", "clBlue", "5", "5", out}, 1, "Not a colour: \"pink\"\n"},
        {{"gradient", "0", "clRed", "clBlue", "0", "5", out}, 1,
         "Not a size from 1 to 32767: \"0\"\n"},
        {{"gradient", "0", "clRed", "clBlue", "5", "x", out}, 1,
         "Not a size from 1 to 32767: \"x\"\n"},
        {{"gradient", "0", "clRed", "clBlue", "5", "5", sandbox.root() + "no/dir/x.png"}, 1,
         nullptr},
        {{"gradient", "0", "clRed", "clBlue", "5", "5"}, 2, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const lytest::ToolResult r = runTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        if (c.err) {
            EXPECT_EQ(r.err, QByteArray(c.err));
        }
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
