#pragma once

#include "mail/AddressBook.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TAddressList;

// The address book: the entries of "SendMail.Dat" with their names and mail addresses;
// entries are added and deleted here, and every change rewrites the file.
class TFrmNewMail : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmNewMail(QWidget *parent = nullptr);

    QLabel *LblTitle1;
    QLabel *LblTitle2;
    TAddressList *RecordList;
    QLabel *LblName;
    QLineEdit *EdtName;
    QLabel *LblMail;
    QLineEdit *EdtMail;
    QPushButton *BtnAdd;
    QLabel *LblNumber;
    QMenu *PopupMenu1;
    QAction *PopuDelOne;
    QAction *PopuDelAll;

    void SetTexts();
    void FormShow();
    void BtnAddClick();
    void PopuDelOneClick();
    void PopuDelAllClick();

private:
    void showBook();
    void RecordListContextPopup(const QPoint &pos);

    ly::mail::AddressBook m_book;
};
