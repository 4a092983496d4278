#include "mail/SmtpSecurity.h"

#include "mail/MimeCodec.h"


namespace ly::mail {

QString SecurityName(SmtpSecurity security)
{
    switch (security) {
    case SmtpSecurity::None:
        break;
    case SmtpSecurity::StartTls:
        return QStringLiteral("starttls");
    case SmtpSecurity::Tls:
        return QStringLiteral("tls");
    }
    return QStringLiteral("none");
}

SmtpSecurity SecurityFromName(const QString &name, bool *ok)
{
    const QString n = name.trimmed().toLower();
    if (ok)
        *ok = true;
    if (n == QLatin1String("starttls"))
        return SmtpSecurity::StartTls;
    if (n == QLatin1String("tls"))
        return SmtpSecurity::Tls;
    if (ok && n != QLatin1String("none"))
        *ok = false;
    return SmtpSecurity::None;
}

quint16 EffectivePort(quint16 port, SmtpSecurity security)
{
    if (port != 0)
        return port;
    return security == SmtpSecurity::Tls ? kImplicitTlsPort : kSmtpPort;
}

bool ImplicitTls(quint16 port, SmtpSecurity security)
{
    return security == SmtpSecurity::Tls || EffectivePort(port, security) == kImplicitTlsPort;
}

QString GreetingName(const QString &hostName, const QString &domainName,
                     const QHostAddress &localAddress)
{
    QString name = hostName.trimmed();
    const QString dom = domainName.trimmed();
    if (!name.contains(QLatin1Char('.')) && !dom.isEmpty() && !name.isEmpty())
        name += QLatin1Char('.') + dom;
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (IsDomainName(name) && !name.endsWith(QLatin1String(".localdomain")))
        return name;
    QHostAddress address = localAddress;
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4)
        return QLatin1Char('[') + QHostAddress(v4).toString() + QLatin1Char(']');
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        address.setScopeId(QString());
        return QLatin1String("[IPv6:") + address.toString() + QLatin1Char(']');
    }
    return QStringLiteral("[127.0.0.1]");
}

bool RequiresTls(int code, const QString &text)
{
    if (code < 400 || code >= 600)
        return false;
    return code == 538 || text.contains(QLatin1String("TLS"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("5.7.11"));
}

QString TlsFailedMessage(const QString &server, const QString &reason)
{
    return QStringLiteral("Execuse me, the safe connection(TLS) with the mail server %1 "
                          "establishes the failure!\n%2")
        .arg(server, reason);
}

QString TlsRequiredMessage(const QString &server)
{
    return QStringLiteral("Execuse me, the mail server %1 requires the safe connection(TLS)!"
                          "Please choose STARTTLS or TLS in the mail setting...")
        .arg(server);
}

QString AuthRefusedMessage(const QString &server, const QString &reply)
{
    return QStringLiteral("The mail server %1 refuses the verification(AUTH)!Please check the "
                          "mail server setting...\n%2")
        .arg(server, reply);
}

} // namespace ly::mail
