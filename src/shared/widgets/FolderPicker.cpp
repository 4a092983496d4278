#include "shared/widgets/FolderPicker.h"

#include <QApplication>
#include <QFileDialog>

namespace ly {

std::optional<QString> BrowseForFolder(const QString &title, const QString &startFolder)
{
    QFileDialog dialog(QApplication::activeWindow(), title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace ly
