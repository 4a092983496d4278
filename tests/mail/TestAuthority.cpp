#include "mail/TestAuthority.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace lytest {

namespace {

QString run(const QString &dir, const QStringList &args)
{
    QProcess openssl;
    openssl.setWorkingDirectory(dir);
    openssl.start(QStringLiteral("openssl"), args);
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        openssl.kill();
        openssl.waitForFinished(5000);
        return QStringLiteral("openssl %1: %2")
            .arg(args.join(' '), QString::fromUtf8(openssl.readAllStandardError()));
    }
    return {};
}

// An EC key (quick to make) and a certificate signing request for the common name.
const QStringList kNewKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                             "-nodes", "-days", "3650"};

QString makeSigned(const QString &dir, const QString &name, const QString &altNames)
{
    QFile ext(dir + "/" + name + ".ext");
    if (!ext.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1").arg(ext.fileName());
    ext.write("basicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\nsubjectAltName=" + altNames.toUtf8() + "\n");
    ext.close();
    QString error = run(dir, QStringList{"req"} + kNewKey
                                 + QStringList{"-keyout", name + ".key", "-out", name + ".csr",
                                               "-subj", "/CN=" + altNames.section(',', 0, 0).section(':', 1)});
    if (error.isEmpty())
        error = run(dir, {"x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                          "-CAcreateserial", "-days", "3650", "-extfile", name + ".ext", "-out",
                          name + ".pem"});
    return error;
}

} // namespace

const TestAuthority &TestAuthority::get()
{
    static QTemporaryDir dir;
    static const TestAuthority made = [] {
        TestAuthority a;
        const QString d = dir.path();
        a.error = run(d, QStringList{"req", "-x509"} + kNewKey
                             + QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-subj",
                                           "/CN=Lyrabell Test Authority", "-addext",
                                           "basicConstraints=critical,CA:TRUE", "-addext",
                                           "keyUsage=critical,keyCertSign,cRLSign"});
        if (a.error.isEmpty())
            a.error = makeSigned(d, "server", "DNS:localhost,IP:127.0.0.1");
        if (a.error.isEmpty())
            a.error = makeSigned(d, "other", "DNS:mail.other.test");
        if (a.error.isEmpty())
            a.error = run(d, QStringList{"req", "-x509"} + kNewKey
                                 + QStringList{"-keyout", "self.key", "-out", "self.pem", "-subj",
                                               "/CN=localhost", "-addext",
                                               "subjectAltName=DNS:localhost,IP:127.0.0.1"});
        a.authority = d + "/ca.pem";
        a.server = d + "/server.pem";
        a.otherName = d + "/other.pem";
        a.selfSigned = d + "/self.pem";
        return a;
    }();
    return made;
}

QString TestAuthority::keyOf(const QString &certificate)
{
    return certificate.chopped(4) + ".key";
}

QStringList TestAuthority::serverArguments(const QString &certificate)
{
    return {"--cert", certificate, "--key", keyOf(certificate)};
}

} // namespace lytest
