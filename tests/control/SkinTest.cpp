#include "control/widgets/Skin.h"

#include "support/Sandbox.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

class SkinTest : public lytest::SandboxTest
{
};

TEST_F(SkinTest, BuiltInPicturesServeWhenTheProgramFolderHasNone)
{
    const QPixmap title = ly::SkinPicture(QStringLiteral("TitleBar"));
    EXPECT_EQ(title.size(), QSize(64, 28));
    EXPECT_EQ(ly::SkinPicture(QStringLiteral("BtnExitIdle")).size(), QSize(18, 16));
    EXPECT_TRUE(ly::SkinPicture(QStringLiteral("NoSuchPicture")).isNull());
}

TEST_F(SkinTest, APictureInTheProgramFolderReplacesTheBuiltInOneUnlessItIsDamaged)
{
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    sandbox.writeFile(QStringLiteral("Program/Skin/TitleBar.png"), png);
    EXPECT_EQ(ly::SkinPicture(QStringLiteral("TitleBar")).size(), QSize(10, 10));

    sandbox.writeFile(QStringLiteral("Program/Skin/TitleBar.png"), "not a picture");
    EXPECT_EQ(ly::SkinPicture(QStringLiteral("TitleBar")).size(), QSize(64, 28));
}

} // namespace
