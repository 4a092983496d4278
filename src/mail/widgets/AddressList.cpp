#include "mail/widgets/AddressList.h"

#include <QHeaderView>

using namespace ly::mail;

namespace {
constexpr int kEntryRole = Qt::UserRole;
}

TAddressList::TAddressList(const QString &mailColumnTitle, QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Name"), mailColumnTitle});
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &TAddressList::ColumnClick);
}

void TAddressList::Fill(const QList<AddressEntry> &entries)
{
    m_entries = entries;
    showRows(-1);
}

qsizetype TAddressList::SelectedEntry() const
{
    const QTreeWidgetItem *item = currentItem();
    if (!item || !item->isSelected())
        return -1;
    return item->data(0, kEntryRole).toLongLong();
}

void TAddressList::ColumnClick(int column)
{
    const SortMark mark = m_sort.Click(column);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, mark == SortMark::Descending ? Qt::DescendingOrder
                                                                    : Qt::AscendingOrder);
    showRows(SelectedEntry());
}

void TAddressList::showRows(qsizetype selected)
{
    clear();
    const auto order = SortedOrder(m_entries, m_sort.Column(), m_sort.Mark(m_sort.Column()));
    for (const qsizetype index : order) {
        auto *item = new QTreeWidgetItem(this, {m_entries[index].name, m_entries[index].mail});
        item->setData(0, kEntryRole, qlonglong(index));
        if (index == selected)
            setCurrentItem(item);
    }
}
