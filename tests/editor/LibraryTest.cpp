#include "editor/Library.h"

#include "shared/Settings.h"
#include "support/Sandbox.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using ly::LibraryRecord;
using ly::LibraryRecords;

const QString kSection = QStringLiteral("DirMusicSet");

class LibraryTest : public lytest::SandboxTest
{
protected:
    void SetUp() override { ly::EraseIniSection(kSection, ly::ConfigFile()); }

    QString config(const QString &key) const { return ly::ReadConfig(kSection, key); }
    QByteArray configBytes() const { return lytest::readFile(ly::ConfigFile()); }

    // Three entries written to config.ini and read back.
    LibraryRecords threeEntries()
    {
        LibraryRecords records;
        for (const LibraryRecord &r : {LibraryRecord{"\\Music\\Love Songs", "Love songs; slow"},
                                       LibraryRecord{"\\Music\\Waltz", "Waltzes"},
                                       LibraryRecord{"\\Music\\Bells", "Bells and chimes"}})
            EXPECT_TRUE(ly::AddLibraryEntry(kSection, records, r));
        return ly::ReadLibrary(kSection);
    }
};

TEST_F(LibraryTest, CreatingLoveUnderTheMusicBaseStoresAndMakesTheFolder)
{
    QDir(sandbox.programDir()).mkdir(QStringLiteral("Music"));
    LibraryRecords records;
    const QString folder = ly::JoinLibraryPath(QString::fromLatin1(ly::kMusicBase), QStringLiteral("Love"));
    EXPECT_TRUE(ly::AddLibraryEntry(kSection, records, {folder, QStringLiteral("Love songs")}));

    EXPECT_EQ(config("Number"), "1");
    EXPECT_EQ(config("Path_0"), "\\Music\\Love");
    EXPECT_EQ(config("Name_0"), "Love songs");
    EXPECT_TRUE(QFileInfo(sandbox.programDir() + QStringLiteral("Music/Love")).isDir());
    EXPECT_EQ(ly::LibraryFolder(kSection, 0), sandbox.programDir() + QStringLiteral("Music/Love"));
    EXPECT_EQ(ly::ReadLibrary(kSection), records);
}

TEST_F(LibraryTest, AFolderIsMadeOneLevelDeepOnlyAndTheEntryStaysWithoutIt)
{
    LibraryRecords records;
    EXPECT_TRUE(ly::AddLibraryEntry(kSection, records, {"\\NoSuchBase\\Love", "Love"}));
    EXPECT_FALSE(QFileInfo::exists(sandbox.programDir() + QStringLiteral("NoSuchBase")));
    EXPECT_EQ(ly::ReadLibrary(kSection).size(), 1);
}

TEST_F(LibraryTest, ABrowsedFolderWithAnEmptyNameIsStoredWithATrailingSeparator)
{
    const QString browsed = sandbox.root() + QStringLiteral("My Pictures");
    QDir().mkpath(browsed);
    LibraryRecords records;
    EXPECT_TRUE(ly::AddLibraryEntry(kSection, records, {ly::JoinLibraryPath(browsed, QString()), "Mine"}));
    EXPECT_EQ(config("Path_0"), browsed + QLatin1Char('/'));
    EXPECT_EQ(ly::LibraryFolder(kSection, 0), browsed + QLatin1Char('/'));
}

TEST_F(LibraryTest, TheSameFolderAndDescriptionTwiceIsRefusedButAnotherDescriptionIsNot)
{
    LibraryRecords records = threeEntries();
    const QByteArray before = configBytes();
    EXPECT_FALSE(ly::AddLibraryEntry(kSection, records, {"\\Music\\Waltz", "Waltzes"}));
    EXPECT_EQ(records.size(), 3);
    EXPECT_EQ(configBytes(), before);

    EXPECT_TRUE(ly::AddLibraryEntry(kSection, records, {"\\Music\\Waltz", "More waltzes"}));
    EXPECT_EQ(config("Number"), "4");
    EXPECT_EQ(config("Name_3"), "More waltzes");
}

TEST_F(LibraryTest, DeletingEntryZeroOfThreeClosesTheGapAndLeavesTheOldLastKeys)
{
    LibraryRecords records = threeEntries();
    ly::RemoveLibraryEntry(kSection, records, 0);

    EXPECT_EQ(config("Number"), "2");
    EXPECT_EQ(config("Path_0"), "\\Music\\Waltz");
    EXPECT_EQ(config("Name_0"), "Waltzes");
    EXPECT_EQ(config("Path_1"), "\\Music\\Bells");
    EXPECT_EQ(config("Name_1"), "Bells and chimes");
    // The keys of the former last index stay, beyond Number, and are not read.
    EXPECT_EQ(config("Path_2"), "\\Music\\Bells");
    EXPECT_EQ(config("Name_2"), "Bells and chimes");
    EXPECT_EQ(ly::ReadLibrary(kSection), records);
    EXPECT_EQ(records.size(), 2);
    // The folders on disk are not touched.
}

TEST_F(LibraryTest, SpacesAndSemicolonsSurviveDeleteAndRename)
{
    LibraryRecords records = threeEntries();
    ly::RemoveLibraryEntry(kSection, records, 1);
    ly::RenameLibraryEntry(kSection, records, 1, QStringLiteral("  Bells; and chimes "));

    const LibraryRecords read = ly::ReadLibrary(kSection);
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0].folder, "\\Music\\Love Songs");
    EXPECT_EQ(read[0].description, "Love songs; slow");
    EXPECT_EQ(read[1].folder, "\\Music\\Bells");
    // The settings file trims values, as the system's profile files do.
    EXPECT_EQ(read[1].description, "Bells; and chimes");
}

TEST_F(LibraryTest, RenamingRewritesOnlyTheNameKeyOfThatEntry)
{
    LibraryRecords records = threeEntries();
    const QByteArray before = configBytes();
    ly::RenameLibraryEntry(kSection, records, 1, QStringLiteral("Little waltzes"));

    QByteArray expected = before;
    expected.replace("Name_1=Waltzes\r\n", "Name_1=Little waltzes\r\n");
    EXPECT_EQ(configBytes(), expected);
    EXPECT_EQ(records[1], (LibraryRecord{"\\Music\\Waltz", "Little waltzes"}));
}

TEST_F(LibraryTest, IndexesOutsideTheLibraryChangeNothing)
{
    LibraryRecords records = threeEntries();
    const QByteArray before = configBytes();
    for (int index : {-1, 3, 100}) {
        ly::RemoveLibraryEntry(kSection, records, index);
        ly::RenameLibraryEntry(kSection, records, index, QStringLiteral("x"));
    }
    EXPECT_EQ(configBytes(), before);
    EXPECT_EQ(records.size(), 3);
}

TEST_F(LibraryTest, MissingSectionsAndNumbersReadAsEmptyAndKeysBeyondNumberAreIgnored)
{
    EXPECT_TRUE(ly::ReadLibrary(QStringLiteral("NoSuchLibrary")).isEmpty());

    ly::WriteConfig(QStringLiteral("Partial"), QStringLiteral("Path_0"), QStringLiteral("\\a"));
    EXPECT_TRUE(ly::ReadLibrary(QStringLiteral("Partial")).isEmpty());

    ly::WriteConfig(QStringLiteral("Partial"), QStringLiteral("Number"), QStringLiteral("1"));
    ly::WriteConfig(QStringLiteral("Partial"), QStringLiteral("Path_1"), QStringLiteral("\\b"));
    const LibraryRecords read = ly::ReadLibrary(QStringLiteral("Partial"));
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].folder, "\\a");
    EXPECT_EQ(read[0].description, "");
}

// The shipped libraries: every section has entries, and each entry's folder ships with material.
TEST(ShippedLibraryTest, EveryEntryNamesAFolderOfTheProgramFolderThatHoldsMaterial)
{
    lytest::Sandbox sandbox;
    const struct { const char *section; const char *base; int atLeast; } libraries[] = {
        {ly::kMusicLibrary, ly::kMusicBase, 1}, {ly::kPictureLibrary, ly::kPictureBase, 1},
        {ly::kFlashLibrary, ly::kFlashBase, 1},
        // The picture choosers open entries 0 to 3 of this one.
        {ly::kSinglePictureLibrary, ly::kSinglePictureBase, 4}};
    for (const auto &library : libraries) {
        const LibraryRecords records = ly::ReadLibrary(QLatin1String(library.section));
        EXPECT_GE(records.size(), library.atLeast) << library.section;
        for (const LibraryRecord &r : records) {
            EXPECT_TRUE(r.folder.startsWith(QLatin1String(library.base))) << r.folder.toStdString();
            EXPECT_FALSE(r.description.isEmpty());
            QString relative = r.folder.mid(1);
            relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
            const QDir shipped(lytest::contentDir() + relative);
            EXPECT_FALSE(shipped.entryList(QDir::Files).isEmpty()) << r.folder.toStdString();
        }
    }
}

} // namespace
