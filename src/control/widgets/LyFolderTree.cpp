#include "control/widgets/LyFolderTree.h"

#include "control/widgets/Skin.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

QIcon folderIcon()
{
    QIcon icon(ly::SkinPicture(QStringLiteral("FolderClosed")));
    icon.addPixmap(ly::SkinPicture(QStringLiteral("FolderOpen")), QIcon::Selected);
    return icon;
}

// Volumes a user keeps files on: real devices, not the kernel's own file systems.
bool isUserVolume(const QStorageInfo &volume)
{
    if (!volume.isValid() || !volume.isReady() || volume.isRoot())
        return false;
    const QString root = volume.rootPath();
    return volume.device().startsWith("/dev/") && !root.startsWith(QStringLiteral("/boot"))
           && !root.startsWith(QStringLiteral("/snap"));
}

} // namespace

TlyFolderTree::TlyFolderTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    auto *computer = new QTreeWidgetItem(this, {QStringLiteral("Computer")});
    computer->setIcon(0, folderIcon());
    computer->setData(0, FilledRole, true);
    for (const Place &place : Places())
        AddNode(computer, place.caption, place.path);
    computer->setExpanded(true);

    connect(this, &QTreeWidget::itemExpanded, this, &TlyFolderTree::Expanding);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { Q_EMIT Change(current); });
}

QList<TlyFolderTree::Place> TlyFolderTree::Places()
{
    QList<Place> places;
    const auto add = [&places](const QString &caption, const QString &path) {
        if (path.isEmpty() || !QFileInfo(path).isDir())
            return;
        const QString clean = QDir::cleanPath(path);
        for (const Place &p : std::as_const(places))
            if (p.path == clean)
                return;
        places.append({caption, clean});
    };
    add(QStringLiteral("Home"), QDir::homePath());
    add(QStringLiteral("Pictures"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    add(QStringLiteral("/"), QDir::rootPath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (isUserVolume(volume))
            add(volume.displayName(), volume.rootPath());
    return places;
}

QTreeWidgetItem *TlyFolderTree::AddNode(QTreeWidgetItem *parent, const QString &caption,
                                        const QString &path)
{
    auto *node = new QTreeWidgetItem(parent, {caption});
    node->setIcon(0, folderIcon());
    node->setData(0, PathRole, path);
    node->setToolTip(0, path);
    node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return node;
}

QString TlyFolderTree::NodePath(const QTreeWidgetItem *node)
{
    return node ? node->data(0, PathRole).toString() : QString();
}

QString TlyFolderTree::SelectedPath() const
{
    return NodePath(currentItem());
}

void TlyFolderTree::Expanding(QTreeWidgetItem *node)
{
    FillChildren(node);
}

void TlyFolderTree::FillChildren(QTreeWidgetItem *node)
{
    if (node->data(0, FilledRole).toBool())
        return;
    node->setData(0, FilledRole, true);
    const QString path = NodePath(node);
    const QFileInfoList folders =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &folder : folders) {
        auto *child = new QTreeWidgetItem(node, {folder.fileName()});
        child->setIcon(0, folderIcon());
        child->setData(0, PathRole, folder.absoluteFilePath());
        child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    node->setChildIndicatorPolicy(folders.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                    : QTreeWidgetItem::ShowIndicator);
}

bool TlyFolderTree::SelectPath(const QString &folder)
{
    const QString target = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // The deepest place that holds the folder, then one level at a time.
    QTreeWidgetItem *computer = topLevelItem(0);
    QTreeWidgetItem *node = nullptr;
    int bestLength = -1;
    for (int i = 0; i < computer->childCount(); ++i) {
        const QString p = NodePath(computer->child(i));
        const QString prefix = p.endsWith(QLatin1Char('/')) ? p : p + QLatin1Char('/');
        if ((target == p || target.startsWith(prefix)) && p.size() > bestLength) {
            node = computer->child(i);
            bestLength = int(p.size());
        }
    }
    while (node && NodePath(node) != target) {
        FillChildren(node);
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < node->childCount() && !next; ++i) {
            const QString p = NodePath(node->child(i));
            if (target == p || target.startsWith(p + QLatin1Char('/')))
                next = node->child(i);
        }
        node = next;
    }
    if (!node)
        return false;
    for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    setCurrentItem(node);
    return true;
}
