#include "control/widgets/LyImage.h"
#include "control/widgets/LyLinkLabel.h"
#include "control/widgets/RzLabel.h"
#include "support/PictureBytes.h"
#include "support/Sandbox.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

class FrameCardControlsTest : public lytest::SandboxTest
{
};

// A raised "I": its highlight shows one pixel left of the letter's left edge, its shadow one
// pixel right of the right edge.
TEST_F(FrameCardControlsTest, RaisedTextHasItsLightUpLeftAndItsShadowDownRight)
{
    TRzLabel label;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    label.setTextFont(font, Qt::black);
    label.setHighlightColor(Qt::red);
    label.setShadowColor(Qt::blue);
    label.setCaption(QStringLiteral("I"));
    label.setPalette(QPalette(Qt::white));
    const QImage image = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int y = image.height() / 2;
    int left = -1;
    int right = -1;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == Qt::black) {
            if (left < 0)
                left = x;
            right = x;
        }
    ASSERT_GT(left, 0);
    ASSERT_LT(right, image.width() - 1);
    EXPECT_EQ(image.pixelColor(left - 1, y), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(right + 1, y), QColor(Qt::blue));
    // Auto size: the text and its two edges.
    EXPECT_GE(label.width(), right + 2);
}

TEST_F(FrameCardControlsTest, APictureThatCannotBeReadLeavesTheControlAsItWas)
{
    const QString good = sandbox.writeFile("a.png", lytest::EncodedPicture({30, 20}, Qt::green, "PNG"));
    const QString bad = sandbox.writeFile("b.png", "not a picture");
    TLyImage image;
    image.setAutoSize(true);
    ASSERT_TRUE(image.LoadFromFile(good));
    EXPECT_EQ(image.size(), QSize(30, 20));
    EXPECT_FALSE(image.Animated());
    EXPECT_FALSE(image.LoadFromFile(bad));
    EXPECT_FALSE(image.LoadFromFile(sandbox.root() + "missing.png"));
    EXPECT_EQ(image.PictureSize(), QSize(30, 20));
    EXPECT_EQ(image.Picture().pixelColor(1, 1), QColor(Qt::green));
    // Without auto size the stretched picture fills the bounds.
    image.setAutoSize(false);
    image.setStretch(true);
    image.resize(60, 40);
    EXPECT_EQ(image.grab().toImage().pixelColor(59, 39), QColor(Qt::green));
}

TEST_F(FrameCardControlsTest, ALinkIsUnderlinedAndSizedToItsText)
{
    TlyLinkLabel link;
    link.setCaption(QStringLiteral("http://www.lyrabell.example/"));
    EXPECT_TRUE(link.font().underline());
    const QSize wide = link.size();
    link.setCaption(QStringLiteral("x"));
    EXPECT_LT(link.width(), wide.width());
    EXPECT_FALSE(link.Hovered());
}

} // namespace
