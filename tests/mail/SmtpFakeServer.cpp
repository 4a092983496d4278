#include "mail/SmtpFakeServer.h"

#include <QTcpSocket>

namespace lytest {

SmtpFakeServer::SmtpFakeServer(QStringList script) : m_script(std::move(script))
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &SmtpFakeServer::advance);
    connect(&m_server, &QTcpServer::newConnection, this, &SmtpFakeServer::accepted);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QStringList SmtpFakeServer::scriptedLines() const
{
    QStringList lines;
    for (const QString &step : m_script) {
        if (step.startsWith(QLatin1String("C: ")))
            lines.append(step.mid(3));
    }
    return lines;
}

void SmtpFakeServer::accepted()
{
    if (m_client)
        return;
    m_client = m_server.nextPendingConnection();
    connect(m_client, &QTcpSocket::readyRead, this, [this] {
        m_input += m_client->readAll();
        advance();
    });
    connect(m_client, &QTcpSocket::disconnected, this, [this] { m_closed = true; });
    advance();
}

bool SmtpFakeServer::takeLine(QByteArray &line)
{
    const qsizetype end = m_input.indexOf("\r\n");
    if (end < 0)
        return false;
    line = m_input.left(end);
    m_input.remove(0, end + 2);
    return true;
}

void SmtpFakeServer::advance()
{
    if (!m_client || m_pause.isActive())
        return;
    while (m_step < m_script.size()) {
        const QString &step = m_script[m_step];
        const QString kind = step.left(2);
        const QString arg = step.mid(3);
        QByteArray line;
        if (kind == QLatin1String("S:")) {
            m_client->write(arg.toUtf8() + "\r\n");
        } else if (kind == QLatin1String("P:")) {
            m_client->write(arg.toUtf8());
            m_client->flush();
        } else if (kind == QLatin1String("W:")) {
            ++m_step;
            m_client->flush();
            m_pause.start(arg.toInt());
            return;
        } else if (kind == QLatin1String("C:")) {
            if (!takeLine(line))
                return;
            m_received.append(QString::fromUtf8(line));
        } else if (kind == QLatin1String("D:")) {
            const qsizetype end = m_input.startsWith(".\r\n") ? 0 : m_input.indexOf("\r\n.\r\n");
            if (end < 0)
                return;
            const qsizetype dataEnd = end == 0 ? 0 : end + 2;
            m_data = m_input.left(dataEnd);
            m_input.remove(0, dataEnd + 3);
        } else if (kind == QLatin1String("R:")) {
            if (m_input.size() < arg.toLongLong())
                return;
            m_input.remove(0, arg.toLongLong());
        } else if (kind == QLatin1String("X:")) {
            ++m_step;
            m_client->close();
            return;
        }
        ++m_step;
    }
    QByteArray line;
    while (takeLine(line))
        m_received.append(QString::fromUtf8(line));
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace lytest
