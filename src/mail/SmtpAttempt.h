#pragma once

#include "mail/MailMessage.h"
#include "mail/SmtpLogin.h"

#include <QObject>
#include <QString>

class TSmtpClient;

// One sending attempt over a client whose settings (Host, Port, Security, TimeOut, Charset)
// the caller has set: connect, log in, fill the message with the moment's date, send it,
// and say goodbye with QUIT. It ends in Finished with the outcome the sending window and
// the tool report. A refused login drops the connection without QUIT; any other failure
// says QUIT when the conversation is still in step, then drops the connection.
class TSmtpAttempt : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Sent,
        ConnectionFailed, // the TCP connection could not be made
        LoginFailed,      // the network failed during the login
        LoginRefused,     // the server refused the login
        Failed,           // any other failure
        TlsFailed,        // TLS could not be made, or the server offered it and then refused
        TlsRequired,      // the server takes the login or the mail only over TLS
        AuthRefused,      // the server refused AUTH for another reason than the login values
    };
    Q_ENUM(Outcome)

    explicit TSmtpAttempt(TSmtpClient &client, QObject *parent = nullptr);

    // user and password are the account's login values (UserID only names the client in
    // the greeting).
    void Start(const TMailMessage &message, const QString &user, const QString &password);

Q_SIGNALS:
    // detail: what went wrong, as the client or the server said it; empty on success.
    void Finished(TSmtpAttempt::Outcome outcome, const QString &detail);

private:
    enum class Phase { Idle, Connecting, LoggingIn, Sending, Quitting, Closing };

    void connected();
    void loggedIn(TSmtpLogin::Result result, const QString &detail);
    void sent();
    void disconnected();
    void failure(const QString &text);
    void fail(Outcome outcome, const QString &detail);
    void finish(Outcome outcome, const QString &detail);

    TSmtpClient &m_client;
    TSmtpLogin m_login;
    Phase m_phase = Phase::Idle;
    bool m_connectionFailed = false;
    bool m_tlsFailed = false;
    TMailMessage m_message;
    QString m_user;
    QString m_password;
    Outcome m_outcome = Outcome::Failed;
    QString m_detail;
};
