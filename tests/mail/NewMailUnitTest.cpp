#include "mail/widgets/NewMailUnit.h"

#include "mail/widgets/AddressList.h"
#include "mail/widgets/SelectMailUnit.h"

#include "mail/MailWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

using ly::mail::AddressBookFile;

class NewMailUnitTest : public lytest::MailWindowFixture
{
protected:
    void writeBook()
    {
        sandbox.writeFile("Program/Mail/SendMail.Dat", "Name=bob#Mail=b@x.test\r\n"
                                                       "Name=Ann_Lee#Mail=a@x.test\r\n"
                                                       "Name=Cy#Mail=a@x.test\r\n");
    }
    static QStringList rows(const QTreeWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out.append(list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1));
        return out;
    }
};

TEST_F(NewMailUnitTest, AddAndDeleteRewriteTheFile)
{
    TFrmNewMail book;
    EXPECT_EQ(book.LblNumber->text(), "Number:0");
    book.EdtName->setText("  Dee Dot ");
    book.EdtMail->setText("dee@x.test");
    QTest::keyClick(book.EdtMail, Qt::Key_Return);
    EXPECT_TRUE(book.EdtName->text().isEmpty());
    book.EdtName->setText("No At");
    book.EdtMail->setText("nobody");
    book.BtnAdd->click();
    book.EdtName->setText("Eve");
    book.EdtMail->setText("eve@x.test");
    book.BtnAdd->click();
    EXPECT_EQ(book.LblNumber->text(), "Number:2");
    EXPECT_EQ(rows(book.RecordList), (QStringList{"Dee Dot|dee@x.test", "Eve|eve@x.test"}));
    EXPECT_EQ(lytest::readFile(AddressBookFile()),
              "Name=Dee_Dot#Mail=dee@x.test\r\nName=Eve#Mail=eve@x.test\r\n");
    book.PopuDelAll->trigger();
    EXPECT_EQ(book.LblNumber->text(), "Number:0");
    EXPECT_EQ(lytest::readFile(AddressBookFile()), "");
}

TEST_F(NewMailUnitTest, DeletingAfterASortDeletesThatRowsEntry)
{
    writeBook();
    TFrmNewMail book;
    EXPECT_EQ(book.windowTitle(), "Address book");
    // Name first: descending on the first click.
    book.RecordList->ColumnClick(0);
    EXPECT_EQ(rows(book.RecordList), (QStringList{"Cy|a@x.test", "bob|b@x.test", "Ann Lee|a@x.test"}));
    book.RecordList->ColumnClick(1);
    // Equal addresses keep their file order.
    EXPECT_EQ(rows(book.RecordList), (QStringList{"Ann Lee|a@x.test", "Cy|a@x.test", "bob|b@x.test"}));
    book.RecordList->setCurrentItem(book.RecordList->topLevelItem(1)); // Cy
    book.PopuDelOne->trigger();
    EXPECT_EQ(rows(book.RecordList), (QStringList{"Ann Lee|a@x.test", "bob|b@x.test"}));
    EXPECT_EQ(lytest::readFile(AddressBookFile()),
              "Name=bob#Mail=b@x.test\r\nName=Ann_Lee#Mail=a@x.test\r\n");
    EXPECT_EQ(book.LblNumber->text(), "Number:2");
}

TEST_F(NewMailUnitTest, ChooserMovesRowsAndGivesTheirAddresses)
{
    writeBook();
    TFrmSelectMail chooser;
    EXPECT_EQ(chooser.windowTitle(), "Choose the mail address");
    EXPECT_EQ(chooser.BtnRight->toolTip(), "Move Right");
    EXPECT_EQ(chooser.BtnLeft->toolTip(), "Move Left");
    chooser.RecordList->ColumnClick(1);
    chooser.RecordList->setCurrentItem(chooser.RecordList->topLevelItem(2)); // bob
    chooser.BtnRight->click();
    chooser.BtnRight->click();
    chooser.RecordList->setCurrentItem(chooser.RecordList->topLevelItem(0)); // Ann Lee
    chooser.BtnRight->click();
    chooser.ListConsignee->setCurrentItem(chooser.ListConsignee->topLevelItem(1));
    chooser.BtnLeft->click();
    chooser.BtnOK->click();
    EXPECT_EQ(chooser.Addresses(), "b@x.test;a@x.test;");
}

} // namespace
