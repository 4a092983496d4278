#include "support/Printers.h"

#include "shared/widgets/ListHelpers.h"

#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QIcon colourIcon(Qt::GlobalColor colour)
{
    QPixmap p(8, 8);
    p.fill(colour);
    return QIcon(p);
}

QRgb colourOf(const QIcon &icon)
{
    return icon.isNull() ? 0 : icon.pixmap(8, 8).toImage().pixel(0, 0);
}

// A report list of rows "A", "B", ... with two sub-items each and an icon per row.
struct List
{
    QTreeWidget view;
    QPushButton up;
    QPushButton down;

    explicit List(int rows)
    {
        static const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        view.setColumnCount(3);
        for (int i = 0; i < rows; ++i) {
            const QString caption(QChar('A' + i));
            auto *item = new QTreeWidgetItem(
                &view, {caption, caption.toLower() + "1", caption.toLower() + "2"});
            item->setIcon(0, colourIcon(colours[i]));
            item->setData(0, Qt::UserRole, i);
        }
    }

    void select(int row)
    {
        if (row >= 0)
            view.setCurrentItem(view.topLevelItem(row));
    }

    // Rows as "A" (with its sub-items and icon checked to belong to it), in list order.
    QString order() const
    {
        static const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        QString text;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = view.topLevelItem(i);
            const QString caption = item->text(0);
            const int origin = caption.at(0).unicode() - 'A';
            const bool whole = item->text(1) == caption.toLower() + "1"
                               && item->text(2) == caption.toLower() + "2"
                               && item->data(0, Qt::UserRole).toInt() == origin
                               && colourOf(item->icon(0)) == QColor(colours[origin]).rgb();
            text += whole ? caption : QStringLiteral("?");
        }
        return text;
    }

    int selected() const
    {
        const QList<QTreeWidgetItem *> items = view.selectedItems();
        return items.size() == 1 ? view.indexOfTopLevelItem(items.first()) : -1;
    }
};

struct MoveCase
{
    const char *name;
    int rows;
    int selected; // -1: none
    bool upBefore, downBefore;
    const char *order;
    int selectedAfter;
    bool upAfter, downAfter;
};

TEST(ListHelpersTest, MoveListItemUp)
{
    const MoveCase cases[] = {
        {"empty list: nothing", 0, -1, true, false, "", -1, true, false},
        {"first row: only the buttons", 3, 0, true, false, "ABC", 0, false, true},
        {"no selection: only the buttons", 3, -1, true, false, "ABC", -1, false, true},
        {"middle row moves up", 3, 1, false, false, "BAC", 0, true, false},
        {"last row moves up", 3, 2, false, true, "ACB", 1, true, true},
    };
    for (const MoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        List list(c.rows);
        list.select(c.selected);
        list.up.setEnabled(c.upBefore);
        list.down.setEnabled(c.downBefore);
        ly::MoveListItemUp(&list.view, &list.up, &list.down);
        EXPECT_EQ(list.order(), QString(c.order));
        EXPECT_EQ(list.selected(), c.selectedAfter);
        EXPECT_EQ(list.up.isEnabled(), c.upAfter);
        EXPECT_EQ(list.down.isEnabled(), c.downAfter);
    }
}

TEST(ListHelpersTest, MoveListItemDown)
{
    const MoveCase cases[] = {
        {"empty list: nothing", 0, -1, false, true, "", -1, false, true},
        {"no selection: nothing", 3, -1, false, true, "ABC", -1, false, true},
        {"last row: only the buttons", 3, 2, false, true, "ABC", 2, true, false},
        {"first row moves down", 3, 0, false, false, "BAC", 1, true, false},
        {"middle row moves down", 3, 1, false, true, "ACB", 2, true, true},
    };
    for (const MoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        List list(c.rows);
        list.select(c.selected);
        list.up.setEnabled(c.upBefore);
        list.down.setEnabled(c.downBefore);
        ly::MoveListItemDown(&list.view, &list.up, &list.down);
        EXPECT_EQ(list.order(), QString(c.order));
        EXPECT_EQ(list.selected(), c.selectedAfter);
        EXPECT_EQ(list.up.isEnabled(), c.upAfter);
        EXPECT_EQ(list.down.isEnabled(), c.downAfter);
    }
}

TEST(ListHelpersTest, SwapListRowsGivesTheIconsAsAsked)
{
    List list(2);
    list.view.topLevelItem(0)->setToolTip(1, "tip of A");
    ly::SwapListRows(&list.view, 0, 1, colourIcon(Qt::yellow), colourIcon(Qt::black));
    const QTreeWidgetItem *first = list.view.topLevelItem(0);
    const QTreeWidgetItem *second = list.view.topLevelItem(1);
    EXPECT_EQ(first->text(0), QStringLiteral("B"));
    EXPECT_EQ(first->text(2), QStringLiteral("b2"));
    EXPECT_EQ(second->text(1), QStringLiteral("a1"));
    EXPECT_EQ(second->toolTip(1), QStringLiteral("tip of A"));
    EXPECT_EQ(first->toolTip(1), QString()) << "data of one row does not stay behind";
    EXPECT_EQ(colourOf(first->icon(0)), QColor(Qt::yellow).rgb());
    EXPECT_EQ(colourOf(second->icon(0)), QColor(Qt::black).rgb());
}

TEST(ListHelpersTest, AddFileTypeIconAppendsSmallOrLarge)
{
    ly::ImageList icons;
    icons.append(colourIcon(Qt::red));
    ly::AddFileTypeIcon("c:\\aaa.swf", icons, ly::SmallIcon);
    ly::AddFileTypeIcon("/no/such/file.avi", icons, ly::LargeIcon);
    ASSERT_EQ(icons.size(), 3);
    EXPECT_FALSE(icons[1].isNull());
    EXPECT_EQ(icons[1].availableSizes().value(0), QSize(16, 16));
    EXPECT_EQ(icons[2].availableSizes().value(0), QSize(32, 32));
}

} // namespace
