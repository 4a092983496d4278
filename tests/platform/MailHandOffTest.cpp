#include "support/Sandbox.h"

#include "platform/MailHandOff.h"

#include <QDir>

namespace {

using ly::platform::MailRequest;

// Records the requests instead of starting a mail program.
class FakeHandOff : public ly::platform::MailHandOff
{
public:
    bool available() override { return isAvailable; }
    bool send(const MailRequest &request) override
    {
        sent.append(request);
        return true;
    }
    bool isAvailable = true;
    QList<MailRequest> sent;
};

class MailHandOffTest : public lytest::SandboxTest
{
protected:
    MailHandOffTest() { ly::platform::SetMailHandOff(&fake); }
    ~MailHandOffTest() override { ly::platform::SetMailHandOff(nullptr); }
    FakeHandOff fake;
};

TEST_F(MailHandOffTest, AttachmentsAreTheExistingFilesUpToTheFirstEmptyOne)
{
    const QString a = sandbox.writeFile("a.exe", "a");
    const QString b = sandbox.writeFile("b.exe", "b");
    const QString gone = sandbox.root() + "gone.exe";
    const struct
    {
        const char *what;
        QStringList given;
        QStringList attached;
    } cases[] = {
        {"in order", {a, b}, {a, b}},
        {"a missing file is left out", {gone, b}, {b}},
        {"an empty entry ends the list", {a, "", b}, {a}},
        {"none", {}, {}},
    };
    for (const auto &c : cases) {
        fake.sent.clear();
        ly::SendCardByMapi(nullptr, "friend@example.org", "Subject", c.given, "Body");
        ASSERT_EQ(fake.sent.size(), 1) << c.what;
        EXPECT_EQ(fake.sent[0].attachments, c.attached) << c.what;
        EXPECT_EQ(fake.sent[0].to, "friend@example.org") << c.what;
        EXPECT_EQ(fake.sent[0].subject, "Subject") << c.what;
        EXPECT_EQ(fake.sent[0].body, "Body") << c.what;
    }

    fake.isAvailable = false;
    fake.sent.clear();
    ly::SendCardByMapi(nullptr, QString(), "Subject", {a}, "Body");
    EXPECT_TRUE(fake.sent.isEmpty());
}

TEST(XdgEmailArguments, EmptyValuesAreLeftOutAndTheRecipientComesLast)
{
    EXPECT_EQ(ly::platform::XdgEmailArguments({"a@example.org", "S", "B\r\nC", {"/x/card.exe", "/y z.exe"}}),
              QStringList({"--utf8", "--subject", "S", "--body", "B\r\nC", "--attach", "/x/card.exe",
                           "--attach", "/y z.exe", "a@example.org"}));
    EXPECT_EQ(ly::platform::XdgEmailArguments({}), QStringList({"--utf8"}));
    // A recipient that xdg-email would read as an option is not passed.
    EXPECT_EQ(ly::platform::XdgEmailArguments({"--help", "S", "", {}}),
              QStringList({"--utf8", "--subject", "S"}));
}

} // namespace
