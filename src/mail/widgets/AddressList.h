#pragma once

#include "mail/AddressBook.h"
#include "mail/AddressSort.h"

#include <QTreeWidget>

// The two-column address list of the address book and the address chooser: one row per
// address book entry (name, mail), sorted by a click on a column header. Each row knows the
// entry it shows, so acting on a row after a sort acts on that row's entry.
class TAddressList : public QTreeWidget
{
    Q_OBJECT

public:
    TAddressList(const QString &mailColumnTitle, QWidget *parent = nullptr);

    // Shows the entries in the order of the current sort.
    void Fill(const QList<ly::mail::AddressEntry> &entries);
    // The file index of the selected row's entry; -1 without a selection.
    qsizetype SelectedEntry() const;
    const QList<ly::mail::AddressEntry> &Entries() const { return m_entries; }

    void ColumnClick(int column);

private:
    // Rebuilds the rows; the row of the entry `selected` (a file index) stays selected.
    void showRows(qsizetype selected);

    QList<ly::mail::AddressEntry> m_entries;
    ly::mail::AddressColumnSort m_sort;
};
