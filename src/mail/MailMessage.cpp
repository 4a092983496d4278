#include "mail/MailMessage.h"

#include "mail/MailFiles.h"
#include "mail/MimeCodec.h"
#include "shared/CodePage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

using namespace ly::mail;

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
// RFC 5321 4.5.3.1.6: a text line holds at most 998 characters before its CR LF.
constexpr qsizetype kLongestLine = 998;

// A header value on one line: a CR or LF inside a subject, a name or an address would
// otherwise start a header line of the sender's choosing.
QString oneLine(const QString &value)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    QString text = value;
    return text.replace(lineBreaks, QStringLiteral(" "));
}

// The To or Cc field: each entry as its display name and address, joined by ",". Entries
// without an address are left out; nothing is returned when none is left.
QByteArray addressField(const QByteArray &name, const QStringList &entries)
{
    QByteArrayList tokens;
    for (const QString &entry : entries) {
        const Mailbox box = ParseMailbox(oneLine(entry));
        if (box.address.isEmpty())
            continue;
        if (!tokens.isEmpty())
            tokens.last() += ',';
        tokens += MailboxTokens(box.name, box.address);
    }
    return tokens.isEmpty() ? QByteArray() : FoldedField(name, tokens);
}

// The text part: its charset, whether it needs quoted-printable, and its lines as bytes. A
// line break inside a body line makes a line of its own.
struct TextBody
{
    QByteArray charset;
    bool quotedPrintable = false;
    QByteArrayList lines;
};

TextBody textBody(const QStringList &body, const QString &asciiCharset)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString &entry : body)
        lines += entry.split(lineBreak);
    const QString joined = lines.join(QLatin1Char('\n'));

    TextBody text;
    bool ascii = true;
    for (QChar c : joined)
        ascii = ascii && c.unicode() < 0x80;
    QByteArray (*encode)(QStringView) = nullptr;
    if (ascii) {
        text.charset = oneLine(asciiCharset).toLatin1();
        encode = [](QStringView t) { return t.toLatin1(); };
    } else if (ly::codepage::toUnicode(ly::codepage::fromUnicode(joined)) == joined) {
        text.charset = ly::codepage::name().toLower();
        encode = [](QStringView t) { return ly::codepage::fromUnicode(t); };
    } else {
        // The code page cannot hold every character: nothing is lost in UTF-8.
        text.charset = "utf-8";
        encode = [](QStringView t) { return t.toUtf8(); };
    }
    for (const QString &line : lines) {
        const QByteArray bytes = encode(line);
        text.lines.append(bytes);
        if (bytes.size() > kLongestLine)
            text.quotedPrintable = true;
        for (char c : bytes) {
            if (uchar(c) >= 0x80 || (uchar(c) < 0x20 && c != '\t'))
                text.quotedPrintable = true;
        }
    }
    return text;
}

QByteArray textHeader(const TextBody &text)
{
    QByteArray out = "Content-Type: text/plain; charset=" + text.charset + kCrLf;
    if (text.quotedPrintable)
        out += "Content-Transfer-Encoding: quoted-printable" + kCrLf;
    return out;
}

// The lines in their transfer encoding, CR LF each. A line beginning with "." gets one more
// in front, so a line of a single "." cannot end the DATA phase (RFC 5321 4.5.2).
QByteArray stuffedText(const TextBody &text)
{
    QByteArray encoded;
    if (text.quotedPrintable) {
        encoded = QuotedPrintable(text.lines);
    } else {
        for (const QByteArray &line : text.lines)
            encoded += line + kCrLf;
    }
    QByteArray out;
    out.reserve(encoded.size() + 16);
    qsizetype at = 0;
    while (at < encoded.size()) {
        const qsizetype end = encoded.indexOf('\n', at) + 1;
        if (encoded[at] == '.')
            out += '.';
        out += encoded.mid(at, end - at);
        at = end;
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
    if (Attachments.isEmpty())
        return Assemble(charset, QByteArray());
    // A text line that happens to read as the boundary would end the part early.
    const QByteArray text = Body.join(QLatin1Char('\n')).toUtf8();
    QByteArray boundary;
    do
        boundary = MakeBoundary();
    while (text.contains(boundary));
    return Assemble(charset, boundary);
}

QByteArray TMailMessage::Assemble(const QString &charset, const QByteArray &boundary) const
{
    // Every file is read first, so an unreadable one fails before anything is built.
    QList<QByteArray> files;
    for (const QString &path : Attachments)
        files.append(readWholeFile(path));

    const TextBody text = textBody(Body, charset);
    QByteArray out;
    out += FoldedField("From", MailboxTokens(oneLine(FromName), oneLine(FromAddress).trimmed()));
    out += addressField("To", ToAddress);
    out += addressField("CC", ToCarbonCopy);
    if (!Subject.isEmpty())
        out += FoldedField("Subject", UnstructuredTokens(oneLine(Subject)));
    const QString date = oneLine(Date).trimmed();
    out += FoldedField("Date", {date.isEmpty() ? RfcDate(QDateTime::currentDateTime())
                                               : ly::codepage::fromUnicode(date)});
    const QString id = oneLine(MessageId).trimmed();
    out += FoldedField("Message-ID", {id.isEmpty() ? MakeMessageId(FromAddress)
                                                   : ly::codepage::fromUnicode(id)});
    out += "Mime-Version: 1.0" + kCrLf;
    const QByteArray separator = "--" + boundary + kCrLf;
    if (files.isEmpty())
        out += textHeader(text);
    else
        out += "Content-Type: multipart/mixed; boundary=\"" + boundary + '"' + kCrLf;
    // The header block is followed by two CR LF pairs, so the body begins after one more
    // empty line.
    out += kCrLf + kCrLf;
    if (files.isEmpty())
        return out + stuffedText(text);

    out += separator + textHeader(text) + kCrLf;
    out += stuffedText(text);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString name = oneLine(QFileInfo(Attachments[i]).fileName());
        out += separator;
        out += FoldedField("Content-Type", QByteArrayList{"application/octet-stream;"}
                                               + ParameterTokens("name", name));
        out += "Content-Transfer-Encoding: base64" + kCrLf;
        out += FoldedField("Content-Disposition",
                           QByteArrayList{"attachment;"} + ParameterTokens("filename", name));
        out += kCrLf;
        out += Base64Lines(files[i]);
    }
    out += "--" + boundary + "--" + kCrLf;
    return out;
}

namespace ly::mail {

QString DateText(const QDateTime &moment)
{
    return QString::fromLatin1(RfcDate(moment));
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
