#include "mail/widgets/ToMailUnit.h"

#include "mail/MailWindowFixture.h"
#include "mail/SmtpFakeServer.h"
#include "mail/SmtpTestServer.h"

#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using lytest::SmtpFakeServer;

class ToMailUnitTest : public lytest::MailWindowFixture
{
protected:
    // The sending window as the main window opens it, run to its end. Returns its result.
    int run(quint16 port, const QString &user = QStringLiteral("alice"))
    {
        ly::mail::MailAccount account = alice();
        account.userName = user;
        TMailMessage message;
        message.ToAddress = {QStringLiteral("ann@x.test")};
        message.Subject = QStringLiteral("Hi");
        message.Body = {QStringLiteral("body")};
        window = std::make_unique<TFrmToMail>(account, message, QStringLiteral("ann@x.test"));
        window->Port = port;
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
    const QStringList login = {"S: 220 hi",      "C: EHLO alice",      "S: 250-fake",
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
        lytest::ModalAnswers answers;
        run(port);
        EXPECT_EQ(notices(), c.notices);
        EXPECT_EQ(window->Attempts(), c.attempts);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(answers.unexpected.isEmpty());
        if (server)
            EXPECT_EQ(server->received(), server->scriptedLines());
    }
}

TEST_F(ToMailUnitTest, ThreeFreshAttemptsThenTheFailureAndTheGreetingInputBox)
{
    // The server refuses the greeting of "alice"; each attempt asks for another name.
    lytest::SmtpTestServer server({"--refuse-host", "alice"});
    ASSERT_NE(server.port(), 0) << server.error().toStdString();
    lytest::ModalAnswers answers;
    QStringList boxes;
    for (int i = 0; i < 3; ++i) {
        answers.then<QInputDialog>([&](QInputDialog *box) {
            boxes.append(box->windowTitle() + " | " + box->labelText() + " | " + box->textValue());
            box->reject();
        });
    }
    EXPECT_EQ(run(server.port()), QDialog::Rejected);
    EXPECT_TRUE(answers.allAnswered());
    const QString box = "Mail user's name[alice]Establish the failure | Please input the new "
                        "mail user's name: | alice";
    EXPECT_EQ(boxes, (QStringList{box, box, box}));
    EXPECT_EQ(titles, (QStringList{"Send1", "Send2", "Send3"}));
    EXPECT_EQ(notices(), QStringList{"1: The letter sends out the failure!Please try..."});
    // Three connections, each greeting anew.
    EXPECT_EQ(server.events().count("EHLO alice"), 3) << server.events().join('\n').toStdString();

    // A new name in the box greets again with it, and the mail goes out.
    notices().clear();
    lytest::ModalAnswers rename;
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
        QTest::qWaitFor([this] { return !notices().isEmpty(); }, 10000);
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
    SmtpFakeServer server({"S: 220 hi", "C: EHLO alice"});
    QTimer::singleShot(0, [&] {
        QTest::qWaitFor([&] { return !server.received().isEmpty(); }, 10000);
        window->BtnCancel->click();
    });
    EXPECT_EQ(run(server.port()), QDialog::Rejected);
    EXPECT_TRUE(notices().isEmpty()) << notices().join('\n').toStdString();
    EXPECT_TRUE(titles.isEmpty());
    EXPECT_FALSE(window->SmtpClient1.Connected());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientClosed(); }, 10000));
}

} // namespace
