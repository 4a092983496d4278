#pragma once

#include "mail/MailMessage.h"
#include "mail/SmtpSecurity.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QHostAddress;
class QHostInfo;
class QSslError;
class QSslSocket;

// The SMTP client of the mail program: one conversation over a TCP connection, driven by the
// socket's signals on the owning thread. The connection is TLS from its start for Security Tls
// or port 465 (RFC 8314); otherwise STARTTLS (RFC 3207) follows the greeting whenever the
// server offers it (or Security asks for it), and the greeting is repeated over TLS before
// OnConnect, so nothing after it, the login least of all, crosses in clear text. The server's
// certificate is checked against the system's authorities (and CaFile's, and SSL_CERT_FILE's)
// for Host; a failure ends the connect in OnTlsFailed, never in a fall-back to clear text.
//
// Connect, Transaction, SendMail and Disconnect start an operation and return at once; the operation ends in exactly one completion
// signal (OnConnect, OnTransactionDone, OnSuccess, OnDisconnect) or in OnFailure. Every wait
// for the network is bounded by TimeOut; Abort stops the operation in progress.
//
// The operations throw ly::Error when called in the wrong state (connecting twice, sending
// without a connection, another operation running) and, for SendMail, when the message
// cannot be built (an unreadable attachment, "Incomplete Header"): nothing has gone to the
// server then.
//
// Handlers may start the next operation from a signal. Delete the client with deleteLater()
// when a handler decides to drop it.
class TSmtpClient : public QObject
{
    Q_OBJECT

public:
    explicit TSmtpClient(QObject *parent = nullptr);
    ~TSmtpClient() override;

    // Settings, read when an operation starts.
    QString Host;           // name or address of the SMTP server
    quint16 Port = 25;
    QString UserID;         // the account's user name (the greeting carries HeloName)
    int TimeOut = 10000;    // ms for every single network wait
    QString Charset = QStringLiteral("us-ascii");
    bool ClearParams = true; // empty the recipients and attachments after a successful send
    ly::mail::SmtpSecurity Security = ly::mail::SmtpSecurity::None;
    // A file of extra trusted authorities (PEM), besides the system's; empty: none.
    QString CaFile;
    // The argument of EHLO/HELO; empty: the machine's fully qualified name, or an address
    // literal of the connection when it has none (ly::mail::GreetingName).
    QString HeloName;

    TMailMessage MailMessage;

    bool Connected() const;
    // An operation is running.
    bool Busy() const;
    // Code and first line of the last complete reply.
    int ReplyCode() const { return m_replyCode; }
    QString ReplyText() const { return m_replyText; }
    // The connection is encrypted (TLS from the start, or after STARTTLS).
    bool Encrypted() const;
    // The server offered TLS on this connection (STARTTLS, or implicit TLS).
    bool TlsOffered() const { return m_tlsOffered; }
    // The service extensions of the last EHLO reply (its lines after the first, without the
    // code), and the SASL mechanisms of its AUTH line, upper case.
    QStringList Extensions() const { return m_extensions; }
    QStringList AuthMechanisms() const;

    // Looks the host up, opens the connection, reads the greeting and greets with "EHLO ",
    // falling back to "HELO " when the server does not know EHLO. A refused greeting raises
    // OnAuthenticationFailed once; then STARTTLS as above; it ends in OnConnect.
    void Connect();
    // Sends the command line and reads its reply; ends in OnTransactionDone.
    void Transaction(const QString &command);
    // RSET, MAIL FROM, RCPT TO for every recipient (refused ones skipped), DATA, the message
    // in pieces of at most 64 KiB, "."; ends in OnSuccess.
    void SendMail();
    // QUIT, then the socket is closed whatever the reply; ends in OnDisconnect.
    void Disconnect();
    // Stops the operation in progress (it ends in OnFailure) and drops the connection.
    void Abort();

Q_SIGNALS:
    void OnConnect();
    // The TCP connection could not be made; OnFailure follows.
    void OnConnectionFailed();
    // The server refused the greeting. A handler (connected directly) may change userId (the
    // greeting's name) and set retry to greet once more with it; otherwise the connect fails.
    void OnAuthenticationFailed(QString &userId, bool &retry);
    void OnTransactionDone(int code);
    void OnRecipientNotFound(const QString &address);
    // After each piece of the message has gone out.
    void OnPacketSent(qint64 sent, qint64 total);
    void OnSuccess();
    void OnDisconnect();
    void OnFailure(const QString &text);
    // TLS could not be made or was refused after the server offered it, or Security asks for
    // STARTTLS and the server does not offer it; OnFailure follows with the same text.
    void OnTlsFailed(const QString &text);

private:
    enum class State {
        Closed,
        LookingUp,
        Connecting,
        TlsHandshake,      // implicit TLS, before the greeting
        Greeting,
        Ehlo,
        Helo,
        StartTls,
        StartTlsHandshake,
        EhloAfterTls,
        AskingUser,
        Ready,
        Command,
        Rset,
        MailFrom,
        RcptTo,
        Data,
        Sending,
        Dot,
        Quit,
    };

    bool waitingForReply() const;
    void requireReady() const;
    void connectTo(const QHostAddress &address);
    void sendCommand(const QString &command, State next);
    void lookedUp(const QHostInfo &info);
    void socketConnected();
    void readReply();
    void replyLine(QByteArray line);
    void replyDone();
    void greetingRefused();
    void greeted(bool extended);
    void encrypted();
    void sslErrors(const QList<QSslError> &errors);
    void failTls(const QString &reason, bool keepConnection);
    QString greetingName() const;
    void nextRecipient();
    void writePiece();
    void piecesWritten();
    void socketClosed();
    void timedOut();
    void finish(State next);
    // Ends the operation in OnFailure; a failure of the network drops the connection, a
    // refusal by the server keeps it.
    void refused(const QString &text);
    void failNetwork(const QString &text);

    QSslSocket *m_socket;
    QTimer m_wait;
    State m_state = State::Closed;
    int m_lookupId = -1;
    bool m_greetingRetried = false;

    QByteArray m_input;
    bool m_replyStarted = false;
    int m_replyCode = 0;
    QString m_replyText;
    QStringList m_replyLines; // every line of the reply being read
    QStringList m_extensions;
    bool m_tlsOffered = false;
    QString m_tlsReason; // the certificate's problems, until the handshake reports its end

    QStringList m_recipients;
    qsizetype m_nextRecipient = 0;
    QByteArray m_stream;
    qsizetype m_sent = 0;
    qsizetype m_pieceEnd = 0;
};
