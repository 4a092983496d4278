#pragma once

#include <QString>
#include <QStringList>

namespace lytest {

// Certificates made with the openssl tool once per test program, in a private folder: a test
// authority, a server certificate it signed for "localhost" and 127.0.0.1, one it signed for
// another name, and a self-signed one for "localhost" that no authority vouches for. Each is
// a PEM file with its key beside it (".key" for ".pem").
struct TestAuthority
{
    QString authority;  // the authority's certificate, to trust
    QString server;     // signed, for localhost and 127.0.0.1
    QString otherName;  // signed, for mail.other.test only
    QString selfSigned; // for localhost, signed by nobody
    QString error;      // why the files could not be made; empty when they were

    static const TestAuthority &get();
    static QString keyOf(const QString &certificate);
    // The test server's arguments for serving with the certificate: "--cert", "--key".
    static QStringList serverArguments(const QString &certificate);
};

} // namespace lytest
