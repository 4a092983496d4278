#pragma once

#include "mail/AddressBook.h"

#include <QList>

// The column sort of the address lists (the address book and the address chooser, each with
// its own state). A list remembers the column it sorted by last (the Name column at start);
// every column has a mark, unset at first. Clicking another column clears the remembered
// column's mark and sorts the clicked one ascending; clicking the remembered column sorts it
// descending, unless its mark already says descending, then ascending. Sorting reorders only
// what the list shows; the file keeps its order.
namespace ly::mail {

enum class SortMark { None, Ascending, Descending };

class AddressColumnSort
{
public:
    static constexpr int NameColumn = 0;
    static constexpr int MailColumn = 1;

    // Takes a click on the column (0 or 1) and returns its new mark.
    SortMark Click(int column);
    SortMark Mark(int column) const { return m_marks[column == MailColumn ? 1 : 0]; }
    int Column() const { return m_column; }

private:
    int m_column = NameColumn;
    SortMark m_marks[2] = {SortMark::None, SortMark::None};
};

// The indexes of the entries in the order the column and mark show them. Names compare
// without regard to case, addresses byte by byte; entries that compare equal keep their
// order in the file, so the order is always the same for the same list.
QList<qsizetype> SortedOrder(const QList<AddressEntry> &entries, int column, SortMark mark);

} // namespace ly::mail
