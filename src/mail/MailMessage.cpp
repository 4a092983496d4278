#include "mail/MailMessage.h"

#include "mail/MailFiles.h"
#include "shared/CodePage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QByteArray encoded(const QString &text)
{
    return ly::codepage::fromUnicode(text);
}

// A header value on one line: a CR or LF inside a subject, a name or an address would
// otherwise start a header line of the sender's choosing.
QString oneLine(const QString &value)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    QString text = value;
    return text.replace(lineBreaks, QStringLiteral(" "));
}

QByteArray headerLine(const char *name, const QString &value)
{
    return QByteArray(name) + encoded(oneLine(value)) + kCrLf;
}

// A file name as a quoted string (RFC 2045 parameter value): a quote or backslash in the
// name is escaped so that it cannot end the value early.
QByteArray quotedName(const QString &path)
{
    QString name = oneLine(QFileInfo(path).fileName());
    name.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    name.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return '"' + encoded(name) + '"';
}

// The body lines with CR LF each. A line beginning with "." gets one more in front, so a
// line of a single "." cannot end the DATA phase (RFC 5321 4.5.2). A line break inside a
// body line makes a line of its own, stuffed like the others.
QByteArray bodyLines(const QStringList &body)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QByteArray out;
    for (const QString &entry : body) {
        for (const QString &line : entry.split(lineBreak)) {
            const QByteArray bytes = encoded(line);
            if (bytes.startsWith('.'))
                out += '.';
            out += bytes + kCrLf;
        }
    }
    return out;
}

} // namespace

bool TMailMessage::HasRecipients() const
{
    return !ToAddress.isEmpty() || !ToCarbonCopy.isEmpty() || !ToBlindCarbonCopy.isEmpty();
}

void TMailMessage::ClearParams()
{
    ToAddress.clear();
    ToCarbonCopy.clear();
    ToBlindCarbonCopy.clear();
    Attachments.clear();
}

QByteArray TMailMessage::Assemble(const QString &charset) const
{
    return Assemble(charset, Attachments.isEmpty() ? QByteArray() : ly::mail::MakeBoundary());
}

QByteArray TMailMessage::Assemble(const QString &charset, const QByteArray &boundary) const
{
    // Every file is read first, so an unreadable one fails before anything is built.
    QList<QByteArray> files;
    for (const QString &path : Attachments)
        files.append(ly::mail::readWholeFile(path));

    const QByteArray textType = "Content-Type: text/plain; charset=" + encoded(oneLine(charset));
    QByteArray out;
    out += headerLine("From: ", FromName + QLatin1Char('<') + FromAddress + QLatin1Char('>'));
    if (!ToAddress.isEmpty())
        out += headerLine("To: ", ToAddress.join(QLatin1Char(',')));
    if (!ToCarbonCopy.isEmpty())
        out += headerLine("CC: ", ToCarbonCopy.join(QLatin1Char(',')));
    if (!Subject.isEmpty())
        out += headerLine("Subject: ", Subject);
    out += headerLine("Date: ", Date);
    out += "Mime-Version: 1.0" + kCrLf;
    const QByteArray separator = "--" + boundary + kCrLf;
    if (files.isEmpty())
        out += textType + kCrLf;
    else
        out += "Content-Type: multipart/mixed; boundary=\"" + boundary + '"' + kCrLf;
    // The header block is followed by two CR LF pairs, so the body begins after one more
    // empty line.
    out += kCrLf + kCrLf;
    if (files.isEmpty())
        return out + bodyLines(Body);

    out += separator + textType + kCrLf + kCrLf;
    out += bodyLines(Body);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QByteArray name = quotedName(Attachments[i]);
        out += separator;
        out += "Content-Type: application/octet-stream; name=" + name + kCrLf;
        out += "Content-Transfer-Encoding: base64" + kCrLf;
        out += "Content-Disposition: attachment; filename=" + name + kCrLf;
        out += kCrLf;
        out += ly::mail::Base64Lines(files[i]);
    }
    out += "--" + boundary + "--" + kCrLf;
    return out;
}

namespace ly::mail {

QString DateText(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QByteArray MakeBoundary()
{
    QByteArray boundary = QByteArray(20, '=') + "54535";
    for (int i = 0; i < 6; ++i)
        boundary += char('a' + QRandomGenerator::global()->bounded(25));
    return boundary + "====";
}

QByteArray Base64Lines(const QByteArray &data)
{
    constexpr qsizetype kBytesPerLine = 45;
    QByteArray out;
    out.reserve((data.size() + kBytesPerLine - 1) / kBytesPerLine * 62);
    for (qsizetype at = 0; at < data.size(); at += kBytesPerLine)
        out += data.mid(at, kBytesPerLine).toBase64() + kCrLf;
    return out;
}

QString RecipientAddress(const QString &entry)
{
    const auto between = [&entry](QChar open, QChar close) {
        const qsizetype start = entry.indexOf(open) + 1;
        const qsizetype end = entry.indexOf(close, start);
        return entry.mid(start, end < 0 ? -1 : end - start);
    };
    if (entry.contains(QLatin1Char('<')))
        return between(QLatin1Char('<'), QLatin1Char('>'));
    if (entry.contains(QLatin1Char(':')))
        return between(QLatin1Char(':'), QLatin1Char(':'));
    return entry;
}

QStringList RecipientList(const QString &text)
{
    if (text.contains(QLatin1Char(';')))
        return text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (text.contains(QLatin1Char('@')))
        return {text};
    return {};
}

QString AppendRecipients(const QString &text, const QStringList &addresses)
{
    QString result = text;
    QStringList present = RecipientList(text);
    for (const QString &address : addresses) {
        if (address.isEmpty() || present.contains(address))
            continue;
        if (!result.isEmpty() && !result.endsWith(QLatin1Char(';')))
            result += QLatin1Char(';');
        result += address + QLatin1Char(';');
        present.append(address);
    }
    return result;
}

} // namespace ly::mail
