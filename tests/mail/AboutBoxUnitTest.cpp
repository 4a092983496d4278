#include "mail/widgets/AboutBoxUnit.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(AboutBoxUnitTest, TextsAndMemory)
{
    TFrmAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.ProductName->text(), "System Name: ");
    EXPECT_EQ(about.LblProgram->text(), "Quillpost");
    EXPECT_EQ(about.Version->text(), "Version: ");
    EXPECT_EQ(about.LblVersion->text(), "V1.0");
    EXPECT_EQ(about.lblMemory->text(), "Can use the memory:");
    EXPECT_EQ(about.BtnOk->text(), "Ok");
    EXPECT_GT(PhysicalMemoryKB(), 0u);
    EXPECT_TRUE(about.LblMemorySize->text().endsWith(" KB"));

    const QLocale english(QLocale::English);
    EXPECT_EQ(MemoryText(16318464, english), "16,318,464 KB");
    EXPECT_EQ(MemoryText(512, english), "512 KB");
    EXPECT_EQ(MemoryText(2048000, QLocale::c()), "2,048,000 KB");
    EXPECT_EQ(MemoryText(2048000, QLocale(QLocale::German)), "2.048.000 KB");
}

} // namespace
