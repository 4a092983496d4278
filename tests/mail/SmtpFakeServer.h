#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QTimer>

class QTcpSocket;

namespace lytest {

// A scripted SMTP peer on loopback for the exact edge cases a real server will not show.
// It serves the first connection with the script, one step per line:
//   "S: text"  sends text and CR LF
//   "P: text"  sends text without a line end, flushed as a segment of its own
//   "W: ms"    pauses
//   "C: text"  reads one line of the client (its text is recorded, see received())
//   "D:"       reads the DATA block up to the line "." (see data())
//   "R: n"     reads n bytes
//   "X:"       closes the connection
// After the last step it stays silent but keeps recording the client's lines.
class SmtpFakeServer : public QObject
{
    Q_OBJECT

public:
    explicit SmtpFakeServer(QStringList script);

    quint16 port() const { return m_server.serverPort(); }
    // The lines the client sent, without line ends, in order.
    QStringList received() const { return m_received; }
    // The "C:" lines of the script: what a client that follows it sends.
    QStringList scriptedLines() const;
    // The DATA block as sent (dot stuffing and all), without the final "." line.
    QByteArray data() const { return m_data; }
    bool clientClosed() const { return m_closed; }

private:
    void accepted();
    void advance();
    bool takeLine(QByteArray &line);

    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    QStringList m_script;
    qsizetype m_step = 0;
    QTimer m_pause;
    QByteArray m_input;
    QStringList m_received;
    QByteArray m_data;
    bool m_closed = false;
};

// A loopback port where nothing listens: connecting to it is refused.
quint16 closedPort();

} // namespace lytest
