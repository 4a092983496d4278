#include "mail/SmtpTestServer.h"

#include "support/Sandbox.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace lytest {

namespace {

QString eventValue(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isArray()) {
        QStringList items;
        for (const QJsonValue &item : value.toArray())
            items.append(eventValue(item));
        return items.join(QLatin1Char(','));
    }
    return value.toVariant().toString();
}

} // namespace

SmtpTestServer::SmtpTestServer(const QStringList &arguments)
{
    const QString script =
        QStringLiteral(LYRABELL_SOURCE_DIR) + QStringLiteral("/tests/fixtures/smtp_server.py");
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{script, QStringLiteral("--dir"), m_dir.path()} + arguments);
    QByteArray out;
    QDeadlineTimer deadline(20000);
    while (!out.contains('\n') && !deadline.hasExpired()
           && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        out += m_process.readAllStandardOutput();
    }
    if (out.startsWith("PORT "))
        m_port = quint16(out.mid(5).trimmed().toUInt());
    if (m_port == 0)
        m_error = QString::fromUtf8(out + m_process.readAllStandardError());
}

SmtpTestServer::~SmtpTestServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QStringList SmtpTestServer::events() const
{
    QStringList events;
    const QByteArray log = readFile(m_dir.filePath(QStringLiteral("events.jsonl")));
    for (const QByteArray &line : log.split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList values;
        for (const QJsonValue &value : QJsonDocument::fromJson(line).array())
            values.append(eventValue(value));
        events.append(values.join(QLatin1Char(' ')));
    }
    return events;
}

QByteArray SmtpTestServer::mail(int n) const
{
    return readFile(m_dir.filePath(QStringLiteral("mail%1.eml").arg(n)));
}

} // namespace lytest
