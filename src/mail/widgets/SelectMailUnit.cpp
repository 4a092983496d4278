#include "mail/widgets/SelectMailUnit.h"

#include "mail/MailFiles.h"
#include "mail/widgets/AddressList.h"
#include "mail/widgets/NewMailUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TFrmSelectMail::TFrmSelectMail(QWidget *parent)
    : QDialog(parent)
    , LblTitle1(new QLabel(this))
    , LblTitle2(new QLabel(this))
    , Label1(new QLabel(this))
    , Label2(new QLabel(this))
    , RecordList(new TAddressList(QStringLiteral("E-Mail"), this))
    , ListConsignee(new QTreeWidget(this))
    , BtnRight(new QToolButton(this))
    , BtnLeft(new QToolButton(this))
    , BtnBook(new QToolButton(this))
    , BtnOK(new QPushButton(this))
    , BtnCancel(new QPushButton(this))
{
    QFont bold = LblTitle1->font();
    bold.setBold(true);
    LblTitle1->setFont(bold);
    ListConsignee->setRootIsDecorated(false);
    ListConsignee->setColumnCount(2);
    BtnRight->setArrowType(Qt::RightArrow);
    BtnLeft->setArrowType(Qt::LeftArrow);
    BtnBook->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    // Controls without a caption are named by their field names.
    RecordList->setAccessibleName(QStringLiteral("RecordList"));
    ListConsignee->setAccessibleName(QStringLiteral("ListConsignee"));
    BtnRight->setAccessibleName(QStringLiteral("BtnRight"));
    BtnLeft->setAccessibleName(QStringLiteral("BtnLeft"));
    BtnBook->setAccessibleName(QStringLiteral("BtnBook"));
    BtnOK->setDefault(true);

    auto *moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(BtnRight);
    moves->addWidget(BtnLeft);
    moves->addWidget(BtnBook);
    moves->addStretch();
    auto *lists = new QGridLayout;
    lists->addWidget(Label1, 0, 0);
    lists->addWidget(Label2, 0, 2);
    lists->addWidget(RecordList, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(ListConsignee, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblTitle1);
    layout->addWidget(LblTitle2);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(620, 400);

    connect(BtnRight, &QToolButton::clicked, this, &TFrmSelectMail::BtnRightClick);
    connect(RecordList, &QTreeWidget::itemDoubleClicked, this, &TFrmSelectMail::BtnRightClick);
    connect(BtnLeft, &QToolButton::clicked, this, &TFrmSelectMail::BtnLeftClick);
    connect(BtnBook, &QToolButton::clicked, this, &TFrmSelectMail::BtnBookClick);
    connect(BtnOK, &QPushButton::clicked, this, &TFrmSelectMail::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    SetTexts();
    FormShow();
}

void TFrmSelectMail::SetTexts()
{
    setWindowTitle(QStringLiteral("Choose the mail address"));
    LblTitle1->setText(QStringLiteral("Choose the address"));
    LblTitle2->setText(QStringLiteral("Please choose the address to increase the consignee frame..."));
    Label1->setText(QStringLiteral("Address book"));
    Label2->setText(QStringLiteral("Consignee"));
    RecordList->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("E-Mail")});
    ListConsignee->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("E-Mail")});
    BtnOK->setText(QStringLiteral("Ok"));
    BtnCancel->setText(QStringLiteral("Cancel"));
    BtnRight->setToolTip(QStringLiteral("Move Right"));
    BtnLeft->setToolTip(QStringLiteral("Move Left"));
    BtnBook->setToolTip(QStringLiteral("Address book"));
}

void TFrmSelectMail::FormShow()
{
    RecordList->Fill(ly::mail::LoadAddressBook(ly::mail::AddressBookFile()));
}

void TFrmSelectMail::BtnRightClick()
{
    const qsizetype entry = RecordList->SelectedEntry();
    if (entry < 0)
        return;
    const ly::mail::AddressEntry &e = RecordList->Entries()[entry];
    new QTreeWidgetItem(ListConsignee, {e.name, e.mail});
}

void TFrmSelectMail::BtnLeftClick()
{
    QTreeWidgetItem *item = ListConsignee->currentItem();
    if (item && item->isSelected())
        delete item;
}

void TFrmSelectMail::BtnBookClick()
{
    TFrmNewMail book(this);
    book.exec();
    FormShow();
}

void TFrmSelectMail::BtnOKClick()
{
    m_addresses.clear();
    for (int i = 0; i < ListConsignee->topLevelItemCount(); ++i)
        m_addresses += ListConsignee->topLevelItem(i)->text(1) + QLatin1Char(';');
    accept();
}
