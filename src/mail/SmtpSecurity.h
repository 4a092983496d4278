#pragma once

#include <QHostAddress>
#include <QString>

// How the mail program protects its SMTP connection, and the texts it shows when that fails.
namespace ly::mail {

enum class SmtpSecurity {
    None,     // STARTTLS whenever the server offers it, plain text otherwise
    StartTls, // STARTTLS required: a server that does not offer it is not used
    Tls,      // TLS from the first byte (RFC 8314), as on port 465
};

// Port 465 is the submission port with implicit TLS (RFC 8314 3.3).
inline constexpr quint16 kImplicitTlsPort = 465;
inline constexpr quint16 kSmtpPort = 25;

// The stored names "none", "starttls" and "tls" (compared without regard to case); an
// unknown name reads as None.
QString SecurityName(SmtpSecurity security);
SmtpSecurity SecurityFromName(const QString &name, bool *ok = nullptr);

// The port to use: the given one, or when there is none (0) 465 for TLS and 25 otherwise.
quint16 EffectivePort(quint16 port, SmtpSecurity security);
// The connection is TLS from its start: TLS chosen, or port 465.
bool ImplicitTls(quint16 port, SmtpSecurity security);

// The argument of EHLO/HELO (RFC 5321 4.1.1.1): the machine's fully qualified name when it
// has one (a host name with a dot, or host and domain name), otherwise an address literal of
// the connection's local address, "[192.0.2.1]" or "[IPv6:2001:db8::1]".
QString GreetingName(const QString &hostName, const QString &domainName,
                     const QHostAddress &localAddress);

// A refusal that asks for an encrypted connection: 538, or a 4xx/5xx reply that names TLS
// ("530 5.7.0 Must issue a STARTTLS command first") or "5.7.11" (encryption required).
bool RequiresTls(int code, const QString &text);

// The mail program's texts for the outcomes of a secured send.
QString TlsFailedMessage(const QString &server, const QString &reason);
QString TlsRequiredMessage(const QString &server);
QString AuthRefusedMessage(const QString &server, const QString &reply);

} // namespace ly::mail
