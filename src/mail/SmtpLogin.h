#pragma once

#include <QObject>
#include <QString>

class TSmtpClient;

// The login after a successful greeting, shared by the sending window and the tool:
// "AUTH LOGIN", then the user name and the password in base64, each step only when the
// server's reply asks for it (334), and authenticated on 235. Start it from the client's
// OnConnect; it ends in Finished.
class TSmtpLogin : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Authenticated,
        Refused, // the server did not ask for the next step or did not answer 235
        Failed,  // the network failed inside the steps
    };
    Q_ENUM(Result)

    explicit TSmtpLogin(TSmtpClient &client, QObject *parent = nullptr);

    void Start(const QString &user, const QString &password);

Q_SIGNALS:
    // detail: the reply that ended a refused login, or the failure's text.
    void Finished(TSmtpLogin::Result result, const QString &detail);

private:
    enum class Step { Idle, AuthLogin, User, Password };

    void transactionDone(int code);
    void failure(const QString &text);
    void transaction(Step step, const QString &command);
    void finish(Result result, const QString &detail);

    TSmtpClient &m_client;
    Step m_step = Step::Idle;
    QString m_user;
    QString m_password;
};

namespace ly::mail {

// A login value in standard base64 on one line, from the code page's bytes of the text.
QString LoginBase64(const QString &value);

} // namespace ly::mail
