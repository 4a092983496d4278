#include "player/EndActions.h"
#include "support/Sandbox.h"

namespace {

TEST(EndActionsTest, OnlyRealWebPagesAndMailAddressesGoOut)
{
    struct Case
    {
        const char *text;
        const char *page;
    } pages[] = {
        {"http://www.example.org/", "http://www.example.org/"},
        {" https://example.org/a?b=c ", "https://example.org/a?b=c"},
        {"http://", ""},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"ftp://example.org/", ""},
        {"http://exa mple.org/", ""},
        {"www.example.org", ""},
    };
    for (const Case &c : pages)
        EXPECT_EQ(ly::player::WebPageOf(c.text), QString(c.page)) << c.text;

    Case mails[] = {
        {"friend@example.org", "friend@example.org"},
        {" first.last+card@mail.example.co.uk ", "first.last%2Bcard@mail.example.co.uk"},
        {"friend@localhost", ""},
        {"a@b.example?cc=c@d.example", ""},
        {"a b@example.org", ""},
        {"a@example.org, b@example.org", ""},
        {"--help@example.org", "--help@example.org"},
        {"", ""},
    };
    for (const Case &c : mails)
        EXPECT_EQ(ly::player::MailAddressOf(c.text), QString(c.page)) << c.text;
}

TEST(EndActionsTest, AutostartEntryQuotesThePath)
{
    lytest::Sandbox sandbox;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (sandbox.root() + "config").toUtf8());
    const QString card = sandbox.root() + "my \"card\" 100%.exe";
    ly::player::WriteAutostartEntry(card, "my card");
    const QByteArray entry = lytest::readFile(ly::player::AutostartEntryFile(card));
    const QByteArray exec = QByteArray("Exec=\"") + QFile::encodeName(sandbox.root())
                            + QByteArray("my \\\\\"card\\\\\" 100%%.exe\"\n");
    EXPECT_TRUE(entry.contains(exec))
        << entry.toStdString();
    EXPECT_TRUE(ly::player::RemoveAutostartEntry(card));
    EXPECT_FALSE(ly::player::RemoveAutostartEntry(card));
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
