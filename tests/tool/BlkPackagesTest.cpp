#include "support/Sandbox.h"
#include "support/ToolRunner.h"

#include "shared/Ini.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

using lytest::readFile;

// The background animations of the program folder: Blk/<name>.tmp for every [BlkCartoon]
// entry of the shipped config.ini, each a flat page with index.htm that needs nothing from
// outside its package.
class BlkPackagesTest : public lytest::SandboxTest
{
protected:
    static QStringList packageNames()
    {
        const QString config = lytest::contentDir() + "config.ini";
        QStringList names;
        for (int i = 0; i < 13; ++i)
            names.append(ly::ini::read(config, "BlkCartoon", "Cartoon" + QString::number(i), {}));
        return names;
    }
};

TEST_F(BlkPackagesTest, EveryEntryUnpacksToItsFlatPageSources)
{
    const QStringList names = packageNames();
    EXPECT_EQ(names, (QStringList{"Clock", "Angel", "Beacon", "ButterFly", "SnowGreat", "SnowSmall",
                                  "Blister", "ThrobHeart", "HaloColor", "BickerBlk", "ComputerAge",
                                  "Drizzle", "BlastFire"}));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString package = lytest::builtProgramDir() + "Blk/" + name + ".tmp";
        ASSERT_TRUE(QFileInfo(package).isFile());
        const QString out = sandbox.root() + name;
        const lytest::ToolResult unpacked = lytest::runTool({"unpack", package, out});
        ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err.toStdString();

        QDir dir(out);
        EXPECT_TRUE(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_TRUE(files.contains("index.htm"));
        const QString source = lytest::contentDir() + "BlkPages/" + name + "/";
        EXPECT_EQ(files, QDir(source).entryList(QDir::Files, QDir::Name));
        for (const QString &file : files)
            EXPECT_EQ(readFile(out + "/" + file), readFile(source + file)) << file.toStdString();
    }
}

TEST_F(BlkPackagesTest, PagesLoadNothingFromOutside)
{
    // Any address, any reference to another file or any request from script.
    static const QRegularExpression outside(
        R"(://|\b(src|href|action|srcset)\s*=|url\s*\(|@import|\bimport\s*\(|fetch\s*\(|XMLHttpRequest|WebSocket|EventSource|sendBeacon|<link\b|<iframe\b|<object\b|<embed\b)",
        QRegularExpression::CaseInsensitiveOption);
    QStringList pages;
    for (const QString &name : packageNames())
        pages.append(lytest::contentDir() + "BlkPages/" + name + "/index.htm");
    pages.append(lytest::contentDir() + "blk/Index.htm");
    for (const QString &page : pages) {
        const QString text = QString::fromUtf8(readFile(page));
        ASSERT_FALSE(text.isEmpty()) << page.toStdString();
        const QRegularExpressionMatch m = outside.match(text);
        EXPECT_FALSE(m.hasMatch()) << page.toStdString() << ": " << m.captured().toStdString();
    }
    EXPECT_TRUE(QFileInfo(lytest::builtProgramDir() + "blk/Index.htm").isFile());
    // The sources are not shipped as folders, only as packages.
    EXPECT_FALSE(QFileInfo::exists(lytest::builtProgramDir() + "BlkPages"));
}

} // namespace
