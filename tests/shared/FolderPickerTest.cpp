#include "support/Modal.h"
#include "support/Sandbox.h"

#include "shared/widgets/FolderPicker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <functional>

namespace {

using FolderPickerTest = lytest::SandboxTest;

TEST_F(FolderPickerTest, ReturnsTheChosenFolder)
{
    const QString target = sandbox.root() + "Cards";
    QDir().mkpath(target);
    QFileDialog::FileMode mode{};
    bool dirsOnly = false;
    Qt::WindowModality modality{};
    QString title;
    lytest::whenModalShows<QFileDialog>([&](QFileDialog *dialog) {
        mode = dialog->fileMode();
        dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        modality = dialog->windowModality();
        title = dialog->windowTitle();
        dialog->setDirectory(target);
        static_cast<QDialog *>(dialog)->accept();
    });
    const std::optional<QString> chosen =
        ly::BrowseForFolder("Please choose the catalogue", sandbox.root());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QDir(*chosen), QDir(target));
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_TRUE(dirsOnly);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(title, QStringLiteral("Please choose the catalogue"));
}

TEST_F(FolderPickerTest, CancelGivesNothing)
{
    lytest::whenModalShows<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_FALSE(ly::BrowseForFolder("Please choose the catalogue").has_value());
}

} // namespace
