#include "support/Sandbox.h"

#include "shared/widgets/FolderPicker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <functional>

namespace {

// Runs the action on the modal dialog as soon as it is open; gives up (and rejects it)
// after a few seconds so that a test never hangs.
void whenDialogOpens(std::function<void(QFileDialog *)> action)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog) {
            timer->deleteLater();
            action(dialog);
        } else if (++*tries > 500) {
            timer->deleteLater();
            ADD_FAILURE() << "no folder picker opened";
        }
    });
    timer->start(10);
}

using FolderPickerTest = lytest::SandboxTest;

TEST_F(FolderPickerTest, ReturnsTheChosenFolder)
{
    const QString target = sandbox.root() + "Cards";
    QDir().mkpath(target);
    QFileDialog::FileMode mode{};
    bool dirsOnly = false;
    Qt::WindowModality modality{};
    QString title;
    whenDialogOpens([&](QFileDialog *dialog) {
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
    whenDialogOpens([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_FALSE(ly::BrowseForFolder("Please choose the catalogue").has_value());
}

} // namespace
