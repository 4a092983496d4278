#pragma once

#include <QObject>
#include <QString>

class TSmtpClient;

// The login after a successful greeting, shared by the sending window and the tool:
// "AUTH LOGIN", then the user name and the password in base64, each step only when the
// server's reply asks for it (334), and authenticated on 235. A server that offers PLAIN but
// not LOGIN gets "AUTH PLAIN" with both values at once (RFC 4616). Start it from the client's
// OnConnect; it ends in Finished. No value is sent on a connection that is not encrypted
// although the server offered TLS.
class TSmtpLogin : public QObject
{
    Q_OBJECT

public:
    enum class Result {
        Authenticated,
        Refused, // the server did not ask for the next step or did not answer 235
        Failed,  // the network failed inside the steps
        TlsRequired, // the server takes a login only over TLS
        Unavailable, // the server refused AUTH for another reason than the login values
    };
    Q_ENUM(Result)

    explicit TSmtpLogin(TSmtpClient &client, QObject *parent = nullptr);

    void Start(const QString &user, const QString &password);

Q_SIGNALS:
    // detail: the reply that ended a refused login, or the failure's text.
    void Finished(TSmtpLogin::Result result, const QString &detail);

private:
    enum class Step { Idle, AuthLogin, User, Password, Plain };

    void transactionDone(int code);
    void failure(const QString &text);
    void transaction(Step step, const QString &command);
    // The result of a reply other than the one the step asked for.
    Result refusal(int code, bool valuesSent) const;
    void finish(Result result, const QString &detail);

    TSmtpClient &m_client;
    Step m_step = Step::Idle;
    QString m_user;
    QString m_password;
};

namespace ly::mail {

// A login value in standard base64 on one line, from the code page's bytes of the text.
QString LoginBase64(const QString &value);
// The AUTH PLAIN response: no authorisation identity, NUL, user, NUL, password, in base64.
QString PlainBase64(const QString &user, const QString &password);

} // namespace ly::mail
