#include "mail/widgets/NewMailUnit.h"

#include "mail/MailFiles.h"
#include "mail/widgets/AddressList.h"
#include "shared/Error.h"
#include "shared/widgets/Notice.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TFrmNewMail::TFrmNewMail(QWidget *parent)
    : QDialog(parent)
    , LblTitle1(new QLabel(this))
    , LblTitle2(new QLabel(this))
    , RecordList(new TAddressList(QStringLiteral("Mail"), this))
    , LblName(new QLabel(this))
    , EdtName(new QLineEdit(this))
    , LblMail(new QLabel(this))
    , EdtMail(new QLineEdit(this))
    , BtnAdd(new QPushButton(this))
    , LblNumber(new QLabel(this))
    , PopupMenu1(new QMenu(this))
    , PopuDelOne(PopupMenu1->addAction(QString()))
    , PopuDelAll(PopupMenu1->addAction(QString()))
    , m_book(ly::mail::AddressBookFile())
{
    QFont bold = LblTitle1->font();
    bold.setBold(true);
    LblTitle1->setFont(bold);
    RecordList->setAccessibleName(QStringLiteral("RecordList"));
    EdtName->setAccessibleName(QStringLiteral("EdtName"));
    EdtMail->setAccessibleName(QStringLiteral("EdtMail"));
    LblName->setBuddy(EdtName);
    LblMail->setBuddy(EdtMail);
    RecordList->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *boxes = new QGridLayout;
    boxes->addWidget(LblName, 0, 0);
    boxes->addWidget(EdtName, 0, 1);
    boxes->addWidget(LblMail, 1, 0);
    boxes->addWidget(EdtMail, 1, 1);
    boxes->addWidget(BtnAdd, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblTitle1);
    layout->addWidget(LblTitle2);
    layout->addWidget(RecordList, 1);
    layout->addLayout(boxes);
    layout->addWidget(LblNumber);
    resize(460, 400);

    // Enter in the name box moves on to the address; Enter there adds the entry.
    connect(EdtName, &QLineEdit::returnPressed, EdtMail, qOverload<>(&QWidget::setFocus));
    connect(EdtMail, &QLineEdit::returnPressed, this, &TFrmNewMail::BtnAddClick);
    connect(BtnAdd, &QPushButton::clicked, this, &TFrmNewMail::BtnAddClick);
    connect(PopuDelOne, &QAction::triggered, this, &TFrmNewMail::PopuDelOneClick);
    connect(PopuDelAll, &QAction::triggered, this, &TFrmNewMail::PopuDelAllClick);
    connect(RecordList, &QWidget::customContextMenuRequested, this,
            &TFrmNewMail::RecordListContextPopup);
    SetTexts();
    FormShow();
}

void TFrmNewMail::SetTexts()
{
    setWindowTitle(QStringLiteral("Address book"));
    LblTitle1->setText(QStringLiteral("The address book management"));
    LblTitle2->setText(QStringLiteral("Please increase to the address book with the modification"));
    LblName->setText(QStringLiteral("Name:"));
    LblMail->setText(QStringLiteral("Mail:"));
    BtnAdd->setText(QStringLiteral("&Add"));
    RecordList->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Mail")});
    PopuDelOne->setText(QStringLiteral("Delete"));
    PopuDelAll->setText(QStringLiteral("Delete All"));
}

void TFrmNewMail::FormShow()
{
    m_book.load();
    showBook();
}

void TFrmNewMail::showBook()
{
    RecordList->Fill(m_book.entries());
    LblNumber->setText(QStringLiteral("Number:") + QString::number(m_book.entries().size()));
}

void TFrmNewMail::BtnAddClick()
{
    try {
        if (!m_book.add(EdtName->text(), EdtMail->text()))
            return;
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    showBook();
    EdtName->clear();
    EdtMail->clear();
    EdtName->setFocus();
}

void TFrmNewMail::PopuDelOneClick()
{
    const qsizetype entry = RecordList->SelectedEntry();
    if (entry < 0)
        return;
    try {
        m_book.remove(entry);
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    showBook();
}

void TFrmNewMail::PopuDelAllClick()
{
    try {
        m_book.clear();
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    showBook();
}

void TFrmNewMail::RecordListContextPopup(const QPoint &pos)
{
    PopuDelOne->setEnabled(RecordList->SelectedEntry() >= 0);
    PopuDelAll->setEnabled(!m_book.entries().isEmpty());
    PopupMenu1->popup(RecordList->viewport()->mapToGlobal(pos));
}
