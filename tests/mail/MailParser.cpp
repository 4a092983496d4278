#include "mail/MailParser.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryFile>

namespace lytest {

QJsonObject ParseMail(const QByteArray &message, bool stuffed)
{
    QTemporaryFile file;
    if (!file.open() || file.write(message) != message.size() || !file.flush())
        return {{"error", "cannot write the message"}};
    QStringList args{QStringLiteral(LYRABELL_SOURCE_DIR) + "/tests/fixtures/mail_check.py",
                     file.fileName()};
    if (stuffed)
        args << "--stuffed";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), args);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        python.kill();
        python.waitForFinished(5000);
        return {{"error", QString::fromUtf8(python.readAllStandardError())}};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

} // namespace lytest
