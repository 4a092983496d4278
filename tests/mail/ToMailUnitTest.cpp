#include "mail/widgets/ToMailUnit.h"

#include "mail/MailWindowFixture.h"
#include "mail/SmtpFakeServer.h"
#include "mail/SmtpTestServer.h"
#include "mail/TestAuthority.h"

#include <QHostAddress>
#include <QHostInfo>

#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

using lytest::SmtpFakeServer;
using ly::mail::SmtpSecurity;
using lytest::TestAuthority;

// What the client greets a loopback server with: the machine's name, or the address literal.
QString greetingName()
{
    return ly::mail::GreetingName(QHostInfo::localHostName(), QHostInfo::localDomainName(),
                                  QHostAddress(QHostAddress::LocalHost));
}

class ToMailUnitTest : public lytest::MailWindowFixture
{
protected:
    // The sending window as the main window opens it, run to its end. Returns its result.
    int run(quint16 port, SmtpSecurity security = SmtpSecurity::None,
            const QString &server = QStringLiteral("127.0.0.1"))
    {
        ly::mail::MailAccount account = alice();
        account.smtpServer = server;
        account.port = port;
        account.security = security;
        TMailMessage message;
        message.ToAddress = {QStringLiteral("ann@x.test")};
        message.Subject = QStringLiteral("Hi");
        message.Body = {QStringLiteral("body")};
        window = std::make_unique<TFrmToMail>(account, message, QStringLiteral("ann@x.test"));
        window->TimeOut = 3000;
        titles.clear();
        QObject::connect(window.get(), &QWidget::windowTitleChanged,
                         [this](const QString &t) { titles.append(t); });
        window->Timer1.start();
        // Every wait of an attempt is bounded by the time-out; this only guards the test.
        QTimer::singleShot(60000, window.get(), &QDialog::reject);
        return window->exec();
    }

    std::unique_ptr<TFrmToMail> window;
    QStringList titles;
};

TEST_F(ToMailUnitTest, TextsOnShow)
{
    ly::mail::MailAccount account = alice();
    TMailMessage message;
    message.Subject = "Greetings";
    TFrmToMail w(account, message, "ann@x.test;bob@x.test");
    EXPECT_EQ(w.windowTitle(), "The mail sends out");
    EXPECT_EQ(w.BtnCancel->text(), "&Cancel");
    EXPECT_EQ(w.LblMailTitle->text(), "Send out the mail:Greetings");
    EXPECT_EQ(w.LblSendMails->text(), "Mail address:ann@x.test;bob@x.test");
    EXPECT_EQ(w.LblUser->text(), "alice");
    EXPECT_EQ(w.LblSmtp->text(), "127.0.0.1");
}

TEST_F(ToMailUnitTest, EveryOutcomeShowsItsMessageAndClosesOrRetries)
{
    const QStringList login = {"S: 220 hi",      "C: EHLO " + greetingName(), "S: 250-fake",
                               "S: 250 AUTH LOGIN", "C: AUTH LOGIN",  "S: 334 VXNlcm5hbWU6",
                               "C: YWxpY2U=",    "S: 334 UGFzc3dvcmQ6", "C: c2VjcmV0"};
    struct Case
    {
        const char *name;
        QStringList script; // empty: nothing listens
        QStringList notices;
        int attempts;
    };
    const Case cases[] = {
        {"connection refused", {}, {"2: Execuse me, your setup  existence problem or network impassability!"}, 1},
        {"login refused", login + QStringList{"S: 535 no"},
         {"3: The mail verifies the mistake, please check the mailbox to install the information!"}, 1},
        // A server's TLS rules and AUTH refusals hold for every attempt: none follows.
        {"mail only over TLS",
         QStringList{"S: 220 hi", "C: EHLO " + greetingName(), "S: 250-fake", "S: 250 AUTH LOGIN",
                     "C: AUTH LOGIN", "S: 530 5.7.0 Must issue a STARTTLS command first",
                     "C: QUIT", "S: 221 bye"},
         {"1: " + ly::mail::TlsRequiredMessage("127.0.0.1")}, 1},
        {"AUTH refused", login + QStringList{"S: 454 4.7.0 Try later", "C: QUIT", "S: 221 bye"},
         {"1: " + ly::mail::AuthRefusedMessage("127.0.0.1", "454 4.7.0 Try later")}, 1},
        {"network fails in the login", login + QStringList{"X:"},
         {"1: Connection fail!",
          "3: The mail verifies the mistake, please check the mailbox to install the information!"},
         1},
        {"sent",
         login + QStringList{"S: 235 ok", "C: RSET", "S: 250 ok", "C: MAIL FROM:<lyra@x.test>",
                             "S: 250 ok", "C: RCPT TO:<ann@x.test>", "S: 250 ok", "C: DATA",
                             "S: 354 go", "D:", "S: 250 queued", "C: QUIT", "S: 221 bye"},
         {"3: The mail sends out to complete!"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        std::unique_ptr<SmtpFakeServer> server;
        quint16 port = lytest::closedPort();
        if (!c.script.isEmpty()) {
            server = std::make_unique<SmtpFakeServer>(c.script);
            port = server->port();
        }
        lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
        run(port);
        EXPECT_EQ(notices(), c.notices);
        EXPECT_EQ(window->Attempts(), c.attempts);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(answers.unexpected.isEmpty());
        if (server) {
            EXPECT_EQ(server->received(), server->scriptedLines());
        }
    }
}

// Trusts the test authority besides the system's authorities while it lives, as the client
// reads them from SSL_CERT_FILE.
class TrustedAuthority
{
public:
    explicit TrustedAuthority(const QString &file)
        : m_had(qEnvironmentVariableIsSet("SSL_CERT_FILE")), m_old(qgetenv("SSL_CERT_FILE"))
    {
        qputenv("SSL_CERT_FILE", file.toLocal8Bit());
    }
    ~TrustedAuthority()
    {
        if (m_had)
            qputenv("SSL_CERT_FILE", m_old);
        else
            qunsetenv("SSL_CERT_FILE");
    }

private:
    bool m_had;
    QByteArray m_old;
};

TEST_F(ToMailUnitTest, TheAccountsSecurityAndPortCarryTheMailOverTls)
{
    const lytest::TestAuthority &ca = lytest::TestAuthority::get();
    ASSERT_TRUE(ca.error.isEmpty()) << ca.error.toStdString();
    TrustedAuthority trusted(ca.authority);
    const struct
    {
        const char *name;
        const char *serverMode;
        SmtpSecurity security;
    } cases[] = {
        {"STARTTLS whenever offered", "--starttls", SmtpSecurity::None},
        {"STARTTLS required", "--starttls", SmtpSecurity::StartTls},
        {"TLS from the start", "--implicit-tls", SmtpSecurity::Tls},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        notices().clear();
        lytest::SmtpTestServer server(QStringList{c.serverMode}
                                      + TestAuthority::serverArguments(ca.server));
        ASSERT_NE(server.port(), 0) << server.error().toStdString();
        lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
        EXPECT_EQ(run(server.port(), c.security, "localhost"), QDialog::Accepted);
        EXPECT_EQ(notices(), QStringList{"3: The mail sends out to complete!"});
        const QStringList events = server.events();
        const qsizetype login = events.indexOf("AUTH LOGIN alice true");
        ASSERT_GE(login, 0) << events.join(" | ").toStdString();
        if (c.security != SmtpSecurity::Tls) {
            EXPECT_LT(events.indexOf("STARTTLS"), login) << events.join(" | ").toStdString();
        }
        EXPECT_TRUE(events.contains("DATA mail1.eml lyra@x.test ann@x.test"));
        EXPECT_TRUE(server.mail(1).contains("\r\nSubject: Hi\r\n"));
    }
}

TEST_F(ToMailUnitTest, AnUntrustedCertificateShowsTheTlsFailureAndEndsTheSending)
{
    const lytest::TestAuthority &ca = lytest::TestAuthority::get();
    ASSERT_TRUE(ca.error.isEmpty()) << ca.error.toStdString();
    lytest::SmtpTestServer server(QStringList{"--starttls"}
                                  + TestAuthority::serverArguments(ca.selfSigned));
    ASSERT_NE(server.port(), 0) << server.error().toStdString();
    lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
    EXPECT_EQ(run(server.port(), SmtpSecurity::None, "localhost"), QDialog::Rejected);
    ASSERT_EQ(notices().size(), 1) << notices().join('\n').toStdString();
    // The message names the server and then the reason.
    const QString shown = notices().front();
    const QString prefix = "1: " + ly::mail::TlsFailedMessage("localhost", {});
    EXPECT_TRUE(shown.startsWith(prefix)) << shown.toStdString();
    EXPECT_GT(shown.size(), prefix.size());
    EXPECT_EQ(window->Attempts(), 1);
    EXPECT_TRUE(titles.isEmpty());
    const QStringList events = server.events();
    EXPECT_EQ(events.filter(QRegularExpression("^(EHLO|HELO) ")).size(), 1)
        << events.join(" | ").toStdString();
    EXPECT_TRUE(events.filter(QRegularExpression("^(AUTH|MAIL) ")).isEmpty())
        << events.join(" | ").toStdString();
}

TEST_F(ToMailUnitTest, ThreeFreshAttemptsThenTheFailureAndTheGreetingInputBox)
{
    // The server refuses the machine's greeting; each attempt asks for another name.
    const QString helo = greetingName();
    lytest::SmtpTestServer server({"--refuse-host", helo});
    ASSERT_NE(server.port(), 0) << server.error().toStdString();
    lytest::ModalScript answers(lytest::ModalScript::Others::LeaveOpen);
    QStringList boxes;
    for (int i = 0; i < 3; ++i) {
        answers.then<QInputDialog>([&](QInputDialog *box) {
            boxes.append(box->windowTitle() + " | " + box->labelText() + " | " + box->textValue());
            box->reject();
        });
    }
    EXPECT_EQ(run(server.port()), QDialog::Rejected);
    EXPECT_TRUE(answers.finished());
    const QString box = "Mail user's name[" + helo + "]Establish the failure | Please input the new "
                        "mail user's name: | " + helo;
    EXPECT_EQ(boxes, (QStringList{box, box, box}));
    EXPECT_EQ(titles, (QStringList{"Send1", "Send2", "Send3"}));
    EXPECT_EQ(notices(), QStringList{"1: The letter sends out the failure!Please try..."});
    // Three connections, each greeting anew.
    EXPECT_EQ(server.events().count("EHLO " + helo), 3) << server.events().join('\n').toStdString();

    // A new name in the box greets again with it, and the mail goes out.
    notices().clear();
    lytest::ModalScript rename(lytest::ModalScript::Others::LeaveOpen);
    rename.then<QInputDialog>([](QInputDialog *b) {
        b->setTextValue("ally");
        b->accept();
    });
    EXPECT_EQ(run(server.port()), QDialog::Accepted);
    EXPECT_EQ(notices(), QStringList{"3: The mail sends out to complete!"});
    EXPECT_TRUE(server.events().contains("EHLO ally"));
}

TEST_F(ToMailUnitTest, NoNetworkKeepsTheWindowOpenWithoutAnAttempt)
{
    ly::mail::OverrideInternetConnected(false);
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !notices().isEmpty(); }, 10000));
        if (window)
            window->BtnCancel->click();
    });
    EXPECT_EQ(run(lytest::closedPort()), QDialog::Rejected);
    EXPECT_EQ(notices(),
              QStringList{"1: Execuse me, your setup  existence problem or network impassability!"});
    EXPECT_EQ(window->Attempts(), 0);
}

TEST_F(ToMailUnitTest, CancelEndsTheAttemptWithoutTheFailureMessage)
{
    // A server that greets and then never answers again.
    SmtpFakeServer server({"S: 220 hi", "C: EHLO " + greetingName()});
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !server.received().isEmpty(); }, 10000));
        window->BtnCancel->click();
    });
    EXPECT_EQ(run(server.port()), QDialog::Rejected);
    EXPECT_TRUE(notices().isEmpty()) << notices().join('\n').toStdString();
    EXPECT_TRUE(titles.isEmpty());
    EXPECT_FALSE(window->SmtpClient1.Connected());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 10000));
}

} // namespace
