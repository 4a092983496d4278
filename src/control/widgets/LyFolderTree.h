#pragma once

#include <QTreeWidget>

// A tree of the file system's folders. Its first node, "Computer", has no path; below it the
// home folder, the user's picture folder, the root "/" and every mounted volume. A node's
// subfolders are listed when it is first expanded (hidden ones left out), so opening the tree
// never walks the disk.
class TlyFolderTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TlyFolderTree(QWidget *parent = nullptr);

    // The folder of a node; empty for "Computer".
    static QString NodePath(const QTreeWidgetItem *node);
    // The folder of the selected node, or empty.
    QString SelectedPath() const;
    // Selects the node of a folder, expanding its way down from the nearest place below
    // "Computer"; false when the folder is not reachable.
    bool SelectPath(const QString &folder);

    // The places below "Computer": caption and folder, in order, without repeats.
    struct Place
    {
        QString caption;
        QString path;
    };
    static QList<Place> Places();

Q_SIGNALS:
    // The selection moved to another node (by the user or by code).
    void Change(QTreeWidgetItem *node);

private:
    void Expanding(QTreeWidgetItem *node);
    static void FillChildren(QTreeWidgetItem *node);
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &caption, const QString &path);
};
