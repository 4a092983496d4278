#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
class TAddressList;

// "Choose the mail address": rows of the address book are moved into the consignee list;
// OK gives their addresses, each followed by ";", for the To or the Cc text.
class TFrmSelectMail : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmSelectMail(QWidget *parent = nullptr);

    QLabel *LblTitle1;
    QLabel *LblTitle2;
    QLabel *Label1;
    QLabel *Label2;
    TAddressList *RecordList;
    QTreeWidget *ListConsignee;
    QToolButton *BtnRight;
    QToolButton *BtnLeft;
    QToolButton *BtnBook;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;

    void SetTexts();
    void FormShow();
    void BtnRightClick();
    void BtnLeftClick();
    void BtnBookClick();
    void BtnOKClick();

    // The chosen addresses, each followed by ";"; set by OK.
    QString Addresses() const { return m_addresses; }

private:
    QString m_addresses;
};
