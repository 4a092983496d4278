#include "mail/SmtpClient.h"

#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QSslSocket>

#include <limits>

namespace {

// A reply line is read into a buffer of this size; a longer one ends the conversation.
constexpr qsizetype kReplyLineMax = 64 * 1024;
// The message goes out in pieces of at most this size, with a progress event after each.
constexpr qsizetype kPieceSize = 64 * 1024;

// The reply code: the run of decimal digits at the start of the line (at most 10), 0 when
// there is none.
int replyCodeOf(const QString &line)
{
    qint64 code = 0;
    for (qsizetype i = 0; i < line.size() && i < 10 && line[i].isDigit(); ++i)
        code = code * 10 + line[i].digitValue();
    return int(qMin<qint64>(code, std::numeric_limits<int>::max()));
}

// Another line of the same reply follows: "250-..." (RFC 5321 4.2.1), or a line that
// begins with a space.
bool continues(const QString &line)
{
    return line.startsWith(QLatin1Char(' ')) || (line.size() > 3 && line[3] == QLatin1Char('-'));
}

// The service extensions an EHLO reply names: its lines after the first, without the code
// (RFC 5321 4.1.1.1).
QStringList extensionsOf(const QStringList &replyLines)
{
    QStringList extensions;
    for (qsizetype i = 1; i < replyLines.size(); ++i)
        extensions.append(replyLines[i].mid(4));
    return extensions;
}

} // namespace

TSmtpClient::TSmtpClient(QObject *parent)
    : QObject(parent), m_socket(new QSslSocket(this))
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &TSmtpClient::timedOut);
    connect(m_socket, &QSslSocket::connected, this, &TSmtpClient::socketConnected);
    connect(m_socket, &QSslSocket::encrypted, this, &TSmtpClient::encrypted);
    connect(m_socket, &QSslSocket::sslErrors, this, &TSmtpClient::sslErrors);
    connect(m_socket, &QSslSocket::readyRead, this, &TSmtpClient::readReply);
    connect(m_socket, &QSslSocket::bytesWritten, this, &TSmtpClient::piecesWritten);
    connect(m_socket, &QSslSocket::disconnected, this, &TSmtpClient::socketClosed);
    connect(m_socket, &QSslSocket::errorOccurred, this, &TSmtpClient::socketClosed);
}

TSmtpClient::~TSmtpClient()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    // No signal of the dying socket may reach this half-destroyed object.
    m_socket->disconnect(this);
    m_socket->abort();
}

bool TSmtpClient::Connected() const
{
    return m_state != State::Closed && m_state != State::LookingUp
           && m_state != State::Connecting && m_state != State::TlsHandshake;
}

bool TSmtpClient::Encrypted() const
{
    return m_socket->isEncrypted();
}

QStringList TSmtpClient::AuthMechanisms() const
{
    // "AUTH LOGIN PLAIN" (RFC 4954), or the older "AUTH=LOGIN".
    static const QRegularExpression auth(QStringLiteral("^AUTH[ =](.*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList mechanisms;
    for (const QString &line : m_extensions) {
        const QRegularExpressionMatch m = auth.match(line);
        if (m.hasMatch())
            mechanisms += m.captured(1).toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    mechanisms.removeDuplicates();
    return mechanisms;
}

bool TSmtpClient::Busy() const
{
    return m_state != State::Closed && m_state != State::Ready;
}

bool TSmtpClient::waitingForReply() const
{
    switch (m_state) {
    case State::Greeting:
    case State::Ehlo:
    case State::Helo:
    case State::StartTls:
    case State::EhloAfterTls:
    case State::Command:
    case State::Rset:
    case State::MailFrom:
    case State::RcptTo:
    case State::Data:
    case State::Dot:
    case State::Quit:
        return true;
    default:
        return false;
    }
}

void TSmtpClient::requireReady() const
{
    if (m_state == State::Closed)
        throw ly::Error(QStringLiteral("Not connected"));
    if (m_state != State::Ready)
        throw ly::Error(QStringLiteral("The mail server is busy with another command"));
}

void TSmtpClient::Connect()
{
    if (m_state != State::Closed)
        throw ly::Error(QStringLiteral("Already connected"));
    m_greetingRetried = false;
    m_tlsOffered = false;
    m_tlsReason.clear();
    m_extensions.clear();
    m_input.clear();
    m_replyCode = 0;
    m_replyText.clear();

    QHostAddress address;
    if (address.setAddress(Host)) {
        connectTo(address);
        return;
    }
    m_state = State::LookingUp;
    m_wait.start(TimeOut);
    m_lookupId = QHostInfo::lookupHost(Host, this, &TSmtpClient::lookedUp);
}

void TSmtpClient::lookedUp(const QHostInfo &info)
{
    if (m_state != State::LookingUp || info.lookupId() != m_lookupId)
        return;
    m_lookupId = -1;
    const QList<QHostAddress> addresses = info.addresses();
    if (info.error() != QHostInfo::NoError || addresses.isEmpty()) {
        failNetwork(QStringLiteral("Unable to find the mail server %1").arg(Host));
        return;
    }
    // The server may listen on IPv4 only; its IPv4 address is tried when it has one.
    for (const QHostAddress &a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            connectTo(a);
            return;
        }
    }
    connectTo(addresses.first());
}

void TSmtpClient::connectTo(const QHostAddress &address)
{
    m_state = State::Connecting;
    m_wait.start(TimeOut);
    // The certificate must name the server the user chose, whatever address it has.
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    QList<QSslCertificate> extra;
    for (const QString &file : {CaFile, qEnvironmentVariable("SSL_CERT_FILE")}) {
        if (!file.isEmpty())
            extra += QSslCertificate::fromPath(file, QSsl::Pem);
    }
    if (!extra.isEmpty())
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() + extra);
    m_socket->setSslConfiguration(tls);
    m_socket->setPeerVerifyName(Host);
    if (ly::mail::ImplicitTls(Port, Security)) {
        m_tlsOffered = true;
        m_socket->connectToHostEncrypted(address.toString(), Port, Host);
    } else {
        m_socket->connectToHost(address, Port);
    }
}

void TSmtpClient::socketConnected()
{
    if (m_state != State::Connecting)
        return;
    m_replyStarted = false;
    m_state = ly::mail::ImplicitTls(Port, Security) ? State::TlsHandshake : State::Greeting;
    m_wait.start(TimeOut);
}

void TSmtpClient::encrypted()
{
    if (m_state == State::TlsHandshake) {
        m_replyStarted = false;
        m_state = State::Greeting;
        m_wait.start(TimeOut);
    } else if (m_state == State::StartTlsHandshake) {
        // What the server said before TLS counts no more (RFC 3207 4.2): greet again.
        m_extensions.clear();
        sendCommand(QLatin1String("EHLO ") + greetingName(), State::EhloAfterTls);
    }
}

void TSmtpClient::sslErrors(const QList<QSslError> &errors)
{
    // Not ignored: the handshake ends with an error, which socketClosed reports with these.
    QStringList reasons;
    for (const QSslError &e : errors)
        reasons.append(e.errorString());
    reasons.removeDuplicates();
    m_tlsReason = reasons.join(QStringLiteral("; "));
}

QString TSmtpClient::greetingName() const
{
    if (!HeloName.isEmpty())
        return HeloName;
    return ly::mail::GreetingName(QHostInfo::localHostName(), QHostInfo::localDomainName(),
                                  m_socket->localAddress());
}

void TSmtpClient::Transaction(const QString &command)
{
    requireReady();
    sendCommand(command, State::Command);
}

void TSmtpClient::SendMail()
{
    requireReady();
    m_stream = MailMessage.Assemble(Charset);
    if (MailMessage.FromAddress.isEmpty() || !MailMessage.HasRecipients()) {
        m_stream.clear();
        throw ly::Error(QStringLiteral("Incomplete Header"));
    }
    m_recipients.clear();
    for (const QStringList *list : {&MailMessage.ToAddress, &MailMessage.ToCarbonCopy,
                                    &MailMessage.ToBlindCarbonCopy}) {
        for (const QString &entry : *list) {
            const QString address = ly::mail::RecipientAddress(entry);
            if (!address.isEmpty())
                m_recipients.append(address);
        }
    }
    m_nextRecipient = 0;
    sendCommand(QStringLiteral("RSET"), State::Rset);
}

void TSmtpClient::Disconnect()
{
    requireReady();
    sendCommand(QStringLiteral("QUIT"), State::Quit);
}

void TSmtpClient::Abort()
{
    if (Busy()) {
        failNetwork(QStringLiteral("Aborted"));
        return;
    }
    m_state = State::Closed;
    m_socket->abort();
}

void TSmtpClient::sendCommand(const QString &command, State next)
{
    // A line break inside a value (a user name, an address) would start a command of its own.
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    QString line = command;
    line.replace(lineBreaks, QStringLiteral(" "));
    m_replyStarted = false;
    m_state = next;
    m_wait.start(TimeOut);
    m_socket->write(ly::codepage::fromUnicode(line) + "\r\n");
    // Lines the server sent ahead of time answer this command.
    if (m_input.contains('\n'))
        QMetaObject::invokeMethod(this, &TSmtpClient::readReply, Qt::QueuedConnection);
}

void TSmtpClient::readReply()
{
    m_input += m_socket->readAll();
    QPointer<TSmtpClient> alive(this);
    while (alive && waitingForReply()) {
        const qsizetype end = m_input.indexOf('\n');
        if (end < 0)
            break;
        QByteArray line = m_input.left(end);
        m_input.remove(0, end + 1);
        replyLine(std::move(line));
    }
    // Replies nobody asked for are kept for the next command, but not without bound.
    if (alive && m_input.size() > kReplyLineMax) {
        if (Busy())
            failNetwork(QStringLiteral("The mail server's reply is too long"));
        else
            Abort();
    }
}

void TSmtpClient::replyLine(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    const QString text = ly::codepage::toUnicode(line);
    if (!m_replyStarted) {
        m_replyStarted = true;
        m_replyCode = replyCodeOf(text);
        m_replyText = text;
        m_replyLines.clear();
    }
    m_replyLines.append(text);
    // Every reply is read to its last line, so the next command gets its own reply.
    if (continues(text)) {
        m_wait.start(TimeOut);
        return;
    }
    m_wait.stop();
    replyDone();
}

void TSmtpClient::replyDone()
{
    const int code = m_replyCode;
    switch (m_state) {
    case State::Greeting:
        // A server that opens with 421 or 554 does not take mail (RFC 5321 3.1).
        if (code < 200 || code >= 400)
            refused(m_replyText);
        else
            sendCommand(QLatin1String("EHLO ") + greetingName(), State::Ehlo);
        break;
    case State::Ehlo:
        // A server that does not know EHLO may still take HELO.
        if (code >= 300) {
            sendCommand(QLatin1String("HELO ") + greetingName(), State::Helo);
            break;
        }
        greeted(true);
        break;
    case State::Helo:
        if (code >= 300) {
            greetingRefused();
            break;
        }
        greeted(false);
        break;
    case State::StartTls:
        if (code != 220) {
            failTls(QStringLiteral("The server refused STARTTLS: %1").arg(m_replyText), true);
            break;
        }
        // Anything sent after the reply in clear text could pose as the server's words over
        // TLS; it is dropped.
        m_input.clear();
        m_state = State::StartTlsHandshake;
        m_wait.start(TimeOut);
        m_socket->startClientEncryption();
        break;
    case State::EhloAfterTls:
        if (code >= 300) {
            refused(m_replyText);
            break;
        }
        m_extensions = extensionsOf(m_replyLines);
        finish(State::Ready);
        Q_EMIT OnConnect();
        break;
    case State::Command:
        finish(State::Ready);
        Q_EMIT OnTransactionDone(code);
        break;
    case State::Rset:
        if (code >= 400)
            refused(m_replyText);
        else
            sendCommand(QLatin1String("MAIL FROM:<") + MailMessage.FromAddress
                            + QLatin1Char('>'),
                        State::MailFrom);
        break;
    case State::MailFrom:
        if (code >= 400)
            refused(m_replyText);
        else
            nextRecipient();
        break;
    case State::RcptTo:
        if (code > 300) {
            QPointer<TSmtpClient> alive(this);
            Q_EMIT OnRecipientNotFound(m_recipients[m_nextRecipient - 1]);
            if (!alive || m_state != State::RcptTo)
                return;
        }
        nextRecipient();
        break;
    case State::Data:
        if (code >= 400) {
            refused(m_replyText);
        } else {
            m_sent = 0;
            m_state = State::Sending;
            writePiece();
        }
        break;
    case State::Dot:
        if (code >= 400) {
            refused(m_replyText);
            break;
        }
        m_stream.clear();
        if (ClearParams)
            MailMessage.ClearParams();
        finish(State::Ready);
        Q_EMIT OnSuccess();
        break;
    case State::Quit:
        finish(State::Closed);
        m_socket->abort();
        if (code > 339)
            Q_EMIT OnFailure(m_replyText);
        else
            Q_EMIT OnDisconnect();
        break;
    default:
        break;
    }
}

void TSmtpClient::greetingRefused()
{
    static const QString kText = QStringLiteral("Authentication failed");
    if (m_greetingRetried) {
        refused(kText);
        return;
    }
    m_greetingRetried = true;
    m_state = State::AskingUser;
    QString userId = greetingName();
    bool retry = false;
    QPointer<TSmtpClient> alive(this);
    Q_EMIT OnAuthenticationFailed(userId, retry);
    if (!alive || m_state != State::AskingUser)
        return;
    if (!retry) {
        refused(kText);
        return;
    }
    HeloName = userId;
    sendCommand(QLatin1String("EHLO ") + HeloName, State::Ehlo);
}

void TSmtpClient::greeted(bool extended)
{
    m_extensions = extended ? extensionsOf(m_replyLines) : QStringList();
    if (!Encrypted()) {
        static const QRegularExpression startTls(QStringLiteral("^STARTTLS( |$)"),
                                                 QRegularExpression::CaseInsensitiveOption);
        if (!m_extensions.filter(startTls).isEmpty()) {
            m_tlsOffered = true;
            sendCommand(QStringLiteral("STARTTLS"), State::StartTls);
            return;
        }
        if (Security == ly::mail::SmtpSecurity::StartTls) {
            failTls(QStringLiteral("The server does not offer STARTTLS"), true);
            return;
        }
    }
    finish(State::Ready);
    Q_EMIT OnConnect();
}

void TSmtpClient::nextRecipient()
{
    if (m_nextRecipient < m_recipients.size()) {
        const QString &address = m_recipients[m_nextRecipient++];
        sendCommand(QLatin1String("RCPT TO:<") + address + QLatin1Char('>'), State::RcptTo);
    } else {
        sendCommand(QStringLiteral("DATA"), State::Data);
    }
}

void TSmtpClient::writePiece()
{
    const QByteArray piece = m_stream.mid(m_sent, kPieceSize);
    m_pieceEnd = m_sent + piece.size();
    m_wait.start(TimeOut);
    m_socket->write(piece);
}

void TSmtpClient::piecesWritten()
{
    if (m_state != State::Sending)
        return;
    m_wait.start(TimeOut);
    if (m_socket->bytesToWrite() > 0)
        return;
    m_sent = m_pieceEnd;
    QPointer<TSmtpClient> alive(this);
    Q_EMIT OnPacketSent(m_sent, m_stream.size());
    if (!alive || m_state != State::Sending)
        return;
    if (m_sent < m_stream.size())
        writePiece();
    else
        sendCommand(QStringLiteral("."), State::Dot);
}

void TSmtpClient::socketClosed()
{
    switch (m_state) {
    case State::Closed:
        break;
    case State::Ready:
        // The server has closed an idle connection.
        m_socket->abort();
        m_state = State::Closed;
        break;
    case State::Connecting:
        failNetwork(m_socket->errorString());
        break;
    case State::TlsHandshake:
    case State::StartTlsHandshake:
        failTls(m_tlsReason.isEmpty() ? m_socket->errorString() : m_tlsReason, false);
        break;
    default:
        failNetwork(QStringLiteral("The mail server closed the connection"));
        break;
    }
}

void TSmtpClient::timedOut()
{
    switch (m_state) {
    case State::LookingUp:
        failNetwork(QStringLiteral("Timed out looking up the mail server %1").arg(Host));
        break;
    case State::Connecting:
        failNetwork(QStringLiteral("Timed out connecting to the mail server %1").arg(Host));
        break;
    case State::Sending:
        failNetwork(QStringLiteral("Timed out sending the mail"));
        break;
    case State::TlsHandshake:
    case State::StartTlsHandshake:
        failTls(QStringLiteral("Timed out waiting for the TLS handshake"), false);
        break;
    default:
        if (waitingForReply())
            failNetwork(QStringLiteral("Timed out waiting for the mail server's reply"));
        break;
    }
}

void TSmtpClient::finish(State next)
{
    m_wait.stop();
    m_state = next;
}

void TSmtpClient::refused(const QString &text)
{
    m_stream.clear();
    if (m_socket->state() == QAbstractSocket::ConnectedState) {
        finish(State::Ready);
    } else {
        finish(State::Closed);
        m_socket->abort();
    }
    Q_EMIT OnFailure(text);
}

void TSmtpClient::failNetwork(const QString &text)
{
    const State was = m_state;
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    m_stream.clear();
    m_input.clear();
    finish(State::Closed);
    m_socket->abort();
    QPointer<TSmtpClient> alive(this);
    if (was == State::Connecting)
        Q_EMIT OnConnectionFailed();
    if (alive)
        Q_EMIT OnFailure(text);
}

void TSmtpClient::failTls(const QString &reason, bool keepConnection)
{
    m_stream.clear();
    if (keepConnection && m_socket->state() == QAbstractSocket::ConnectedState) {
        finish(State::Ready);
    } else {
        m_input.clear();
        finish(State::Closed);
        m_socket->abort();
    }
    QPointer<TSmtpClient> alive(this);
    Q_EMIT OnTlsFailed(reason);
    if (alive)
        Q_EMIT OnFailure(reason);
}
