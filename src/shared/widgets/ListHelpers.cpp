#include "shared/widgets/ListHelpers.h"

#include <QAbstractItemView>
#include <QFileIconProvider>
#include <QItemSelectionModel>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace ly {

namespace {

QIcon iconOf(const QAbstractItemModel *model, int row)
{
    return model->data(model->index(row, 0), Qt::DecorationRole).value<QIcon>();
}

// The first selected row in list order, or -1.
int selectedRow(const QAbstractItemView *view)
{
    const QItemSelectionModel *selection = view->selectionModel();
    if (!selection)
        return -1;
    int row = -1;
    for (const QModelIndex &index : selection->selectedIndexes())
        if (!index.parent().isValid() && (row < 0 || index.row() < row))
            row = index.row();
    return row;
}

void selectRow(QAbstractItemView *view, int row)
{
    view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect
                                                | QItemSelectionModel::Rows);
}

void swapRowsWithIconsTravelling(QAbstractItemView *view, int rowA, int rowB)
{
    const QAbstractItemModel *model = view->model();
    SwapListRows(view, rowA, rowB, iconOf(model, rowB), iconOf(model, rowA));
}

} // namespace

void AddFileTypeIcon(const QString &name, ImageList &imageList, int size)
{
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(QAbstractFileIconProvider::File);
    // Image lists hold pictures of one size: a smaller icon is centred on a clear square.
    const int px = size == LargeIcon ? 32 : 16;
    QPixmap picture(px, px);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    icon.paint(&painter, picture.rect());
    painter.end();
    imageList.append(QIcon(picture));
}

void SwapListRows(QAbstractItemView *view, int rowA, int rowB, const QIcon &iconA,
                  const QIcon &iconB)
{
    QAbstractItemModel *model = view->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex a = model->index(rowA, column);
        const QModelIndex b = model->index(rowB, column);
        const QMap<int, QVariant> dataA = model->itemData(a);
        const QMap<int, QVariant> dataB = model->itemData(b);
        QSet<int> roles;
        for (auto it = dataA.keyBegin(); it != dataA.keyEnd(); ++it)
            roles.insert(*it);
        for (auto it = dataB.keyBegin(); it != dataB.keyEnd(); ++it)
            roles.insert(*it);
        for (int role : roles) {
            model->setData(a, dataB.value(role), role);
            model->setData(b, dataA.value(role), role);
        }
    }
    model->setData(model->index(rowA, 0), iconA, Qt::DecorationRole);
    model->setData(model->index(rowB, 0), iconB, Qt::DecorationRole);
}

void MoveListItemUp(QAbstractItemView *view, QWidget *upButton, QWidget *downButton)
{
    if (view->model()->rowCount() == 0)
        return;
    const int row = selectedRow(view);
    if (row > 0) {
        upButton->setEnabled(true);
        swapRowsWithIconsTravelling(view, row, row - 1);
        selectRow(view, row - 1);
    } else {
        upButton->setEnabled(false);
        downButton->setEnabled(true);
    }
}

void MoveListItemDown(QAbstractItemView *view, QWidget *upButton, QWidget *downButton)
{
    const int rows = view->model()->rowCount();
    const int row = selectedRow(view);
    if (rows == 0 || row < 0)
        return;
    upButton->setEnabled(true);
    if (row == rows - 1) {
        downButton->setEnabled(false);
        return;
    }
    swapRowsWithIconsTravelling(view, row, row + 1);
    selectRow(view, row + 1);
}

QTreeWidgetItem *RemoveRowSelectingNeighbour(QTreeWidget *list, QTreeWidgetItem *row)
{
    const int index = list->indexOfTopLevelItem(row);
    delete list->takeTopLevelItem(index);
    if (list->topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem *next = list->topLevelItem(index > 0 ? index - 1 : 0);
    const QSignalBlocker block(list);
    list->setCurrentItem(next);
    next->setSelected(true);
    return next;
}

} // namespace ly
