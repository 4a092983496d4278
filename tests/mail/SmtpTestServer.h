#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace lytest {

// A real SMTP server on loopback: Debian's aiosmtpd (Debian's own Python) running
// tests/fixtures/smtp_server.py, with AUTH LOGIN for "alice"/"secret" without TLS. It logs
// the commands it sees and keeps every mail it accepts; both are read from here.
class SmtpTestServer
{
public:
    // Extra arguments of the script: "--refuse-host NAME", "--refuse-rcpt PREFIX",
    // "--no-login", "--user U", "--password P".
    explicit SmtpTestServer(const QStringList &arguments = {});
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer &) = delete;
    SmtpTestServer &operator=(const SmtpTestServer &) = delete;

    // 0 when the server did not start; error() says why.
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }

    // The logged commands, one per entry, their values joined by spaces (a list by ","):
    // "EHLO me", "AUTH LOGIN alice true", "MAIL a@x", "RCPT b@y true",
    // "DATA mail1.eml a@x b@y,c@z".
    QStringList events() const;
    // The n-th accepted mail (from 1) as received.
    QByteArray mail(int n) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace lytest
