#include "mail/AddressSort.h"

#include "shared/CodePage.h"

#include <algorithm>
#include <numeric>

namespace ly::mail {

SortMark AddressColumnSort::Click(int column)
{
    const int slot = column == MailColumn ? 1 : 0;
    if (column != m_column) {
        m_marks[m_column == MailColumn ? 1 : 0] = SortMark::None;
        m_column = column;
        m_marks[slot] = SortMark::Ascending;
    } else {
        m_marks[slot] =
            m_marks[slot] == SortMark::Descending ? SortMark::Ascending : SortMark::Descending;
    }
    return m_marks[slot];
}

QList<qsizetype> SortedOrder(const QList<AddressEntry> &entries, int column, SortMark mark)
{
    QList<qsizetype> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    if (mark == SortMark::None)
        return order;
    // A three-way comparison, so that equal entries compare equal both ways (a strict weak
    // ordering) and the stable sort keeps them in file order.
    auto compare = [&](qsizetype a, qsizetype b) {
        if (column == AddressColumnSort::MailColumn) {
            const QByteArray x = codepage::fromUnicode(entries[a].mail);
            const QByteArray y = codepage::fromUnicode(entries[b].mail);
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        return entries[a].name.compare(entries[b].name, Qt::CaseInsensitive);
    };
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = compare(a, b);
        return mark == SortMark::Ascending ? c < 0 : c > 0;
    });
    return order;
}

} // namespace ly::mail
