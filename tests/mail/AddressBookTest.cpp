#include "support/Sandbox.h"

#include "mail/AddressBook.h"
#include "shared/Error.h"

#include <QFile>

namespace {

using ly::mail::AddressBook;
using ly::mail::AddressEntry;

class AddressBookTest : public lytest::SandboxTest
{
protected:
    QString file() const { return sandbox.root() + "SendMail.Dat"; }
};

TEST_F(AddressBookTest, AddWritesLinesInOrderWithUnderscoresForSpaces)
{
    AddressBook book(file());
    book.load();
    EXPECT_TRUE(book.add("Ann Lee", "ann@example.org"));
    EXPECT_TRUE(book.add("  Bob  ", " bob@example.com\t"));
    EXPECT_TRUE(book.add("Cy_Di", "cy@example.net"));

    EXPECT_EQ(lytest::readFile(file()), QByteArray("Name=Ann_Lee#Mail=ann@example.org\r\n"
                                                   "Name=Bob#Mail=bob@example.com\r\n"
                                                   "Name=Cy_Di#Mail=cy@example.net\r\n"));
    const QList<AddressEntry> typed{{"Ann Lee", "ann@example.org"},
                                    {"Bob", "bob@example.com"},
                                    {"Cy_Di", "cy@example.net"}};
    EXPECT_EQ(book.entries(), typed);
    const QList<AddressEntry> reloaded{{"Ann Lee", "ann@example.org"},
                                       {"Bob", "bob@example.com"},
                                       {"Cy Di", "cy@example.net"}};
    EXPECT_EQ(ly::mail::LoadAddressBook(file()), reloaded);
}

TEST_F(AddressBookTest, RefusedEntriesChangeNothing)
{
    struct Case
    {
        QString name;
        QString mail;
    };
    const Case cases[] = {
        {"", "ann@example.org"},
        {" \t", "ann@example.org"},
        {"Ann", ""},
        {"Ann", "ann.example.org"},
        {"Ann#1", "ann@example.org"}, // "#" would split the line into other items
        {"Ann", "ann@example.org#Name=Eve"},
        {"Ann\r\nName=Eve", "ann@example.org"},
    };
    sandbox.writeFile("SendMail.Dat", "Name=Zed#Mail=zed@example.org\r\n");
    AddressBook book(file());
    book.load();
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.name + " / " + c.mail).toStdString());
        EXPECT_FALSE(book.add(c.name, c.mail));
    }
    EXPECT_EQ(book.entries(), (QList<AddressEntry>{{"Zed", "zed@example.org"}}));
    EXPECT_EQ(lytest::readFile(file()), QByteArray("Name=Zed#Mail=zed@example.org\r\n"));
}

TEST_F(AddressBookTest, RemoveTakesExactlyThatEntryAndKeepsOtherLines)
{
    // Lines written elsewhere: LF only, a blank line, items in another order, an extra item.
    sandbox.writeFile("SendMail.Dat", "Name=Ann#Mail=ann@example.org\n"
                                      "\n"
                                      "Mail=bob@example.com#Name=Bob_Ray\n"
                                      "Name=Cy#Mail=cy@example.net#Note=x\n"
                                      "Name=Dee#Mail=dee@example.org");
    AddressBook book(file());
    book.load();
    EXPECT_EQ(book.entries(), (QList<AddressEntry>{{"Ann", "ann@example.org"},
                                                   {"Bob Ray", "bob@example.com"},
                                                   {"Cy", "cy@example.net"},
                                                   {"Dee", "dee@example.org"}}));
    book.remove(1);
    EXPECT_EQ(lytest::readFile(file()), QByteArray("Name=Ann#Mail=ann@example.org\r\n"
                                                   "Name=Cy#Mail=cy@example.net#Note=x\r\n"
                                                   "Name=Dee#Mail=dee@example.org\r\n"));
    book.remove(7);
    EXPECT_EQ(book.entries().size(), 3);
    EXPECT_EQ(ly::mail::LoadAddressBook(file()), book.entries());

    book.clear();
    EXPECT_TRUE(book.entries().isEmpty());
    EXPECT_TRUE(QFile::exists(file()));
    EXPECT_EQ(lytest::readFile(file()), QByteArray());
}

TEST_F(AddressBookTest, MissingFileIsAnEmptyBook)
{
    EXPECT_TRUE(ly::mail::LoadAddressBook(file()).isEmpty());
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(AddressBookTest, FailedWriteKeepsTheBookAsItWas)
{
    AddressBook book(sandbox.root() + "no/such/dir/SendMail.Dat");
    book.load();
    EXPECT_THROW(book.add("Ann", "ann@example.org"), ly::Error);
    EXPECT_TRUE(book.entries().isEmpty());
}

} // namespace
