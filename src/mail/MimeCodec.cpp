#include "mail/MimeCodec.h"

#include "mail/MailMessage.h"

#include <QDateTime>
#include <QHostInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringView>

namespace ly::mail {

namespace {

// RFC 5322 recommends lines of at most 78 characters.
constexpr qsizetype kFoldWidth = 78;
// Words longer than this are not folded as they stand but encoded, so no line grows long.
constexpr qsizetype kLongestWord = 70;
// UTF-8 bytes per encoded-word: 36 bytes give 48 base64 characters, a word of 60.
constexpr qsizetype kWordBytes = 36;
// Quoted-printable lines hold at most 76 characters (RFC 2045 6.7 (5)), the soft break's "="
// included.
constexpr qsizetype kQpWidth = 76;
// Longest parameter section, so that a parameter line stays near 78 characters.
constexpr qsizetype kParameterWidth = 60;

bool alphanumeric(char16_t u)
{
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

bool printableAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// atext of RFC 5322 3.2.3, with the space that separates the atoms of a phrase.
bool atomText(QStringView text)
{
    static const QString specials = QStringLiteral("!#$%&'*+-/=?^_`{|}~ ");
    for (QChar c : text) {
        if (!alphanumeric(c.unicode()) && !specials.contains(c))
            return false;
    }
    return true;
}

// The words of a text split at single spaces fold without changing it, as long as none of
// them is too long and none reads as an encoded-word.
bool foldsAsItStands(const QString &text)
{
    if (!printableAscii(text) || text.contains(QLatin1String("=?"))
        || text.contains(QLatin1String("  ")) || text.startsWith(QLatin1Char(' '))
        || text.endsWith(QLatin1Char(' ')))
        return false;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        if (word.size() > kLongestWord)
            return false;
    }
    return true;
}

// The UTF-16 units of the character at i: a surrogate pair stays together.
qsizetype characterLength(const QString &text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

QByteArrayList asciiWords(const QString &text)
{
    QByteArrayList words;
    for (const QString &word : text.split(QLatin1Char(' ')))
        words.append(word.toLatin1());
    return words;
}

} // namespace

bool IsDomainName(const QString &name, bool withDot)
{
    static const QRegularExpression domain(QStringLiteral(
        "^[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    return name.size() <= 253 && domain.match(name).hasMatch()
           && (!withDot || name.contains(QLatin1Char('.')));
}

QByteArrayList EncodedWords(const QString &text)
{
    QByteArrayList words;
    QByteArray chunk;
    const auto flush = [&] {
        if (!chunk.isEmpty())
            words.append("=?UTF-8?B?" + chunk.toBase64() + "?=");
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = characterLength(text, i);
        const QByteArray bytes = QStringView(text).mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + bytes.size() > kWordBytes)
            flush();
        chunk += bytes;
    }
    flush();
    return words;
}

QByteArray FoldedField(const QByteArray &name, const QByteArrayList &tokens)
{
    QByteArray out;
    QByteArray line = name + ':';
    bool lineHasToken = false;
    for (const QByteArray &token : tokens) {
        if (lineHasToken && !token.isEmpty() && line.size() + 1 + token.size() > kFoldWidth) {
            out += line + "\r\n";
            line.clear();
        }
        line += ' ' + token;
        lineHasToken = true;
    }
    return out + line + "\r\n";
}

QByteArrayList UnstructuredTokens(const QString &text)
{
    return foldsAsItStands(text) ? asciiWords(text) : EncodedWords(text);
}

QByteArrayList MailboxTokens(const QString &displayName, const QString &address)
{
    const QByteArray angle = address.toUtf8();
    const QString name = displayName.simplified();
    if (name.isEmpty())
        return {angle};
    QByteArrayList tokens;
    if (atomText(name) && foldsAsItStands(name)) {
        tokens = asciiWords(name);
    } else if (printableAscii(name) && name.size() <= kLongestWord
               && !name.contains(QLatin1String("=?"))) {
        // A quoted string keeps specials such as the comma of "Lee, Ann" inside the name.
        QString quoted = name;
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
        tokens = {'"' + quoted.toLatin1() + '"'};
    } else {
        tokens = EncodedWords(name);
    }
    tokens.append('<' + angle + '>');
    return tokens;
}

Mailbox ParseMailbox(const QString &entry)
{
    Mailbox box;
    box.address = RecipientAddress(entry).trimmed();
    const qsizetype open = entry.indexOf(QLatin1Char('<'));
    if (open < 0)
        return box;
    QString name = entry.left(open).trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"'))) {
        name = name.mid(1, name.size() - 2);
        static const QRegularExpression escaped(QStringLiteral("\\\\(.)"));
        name.replace(escaped, QStringLiteral("\\1"));
    }
    box.name = name;
    return box;
}

QByteArrayList ParameterTokens(const QByteArray &name, const QString &value)
{
    if (printableAscii(value) && value.size() <= kParameterWidth) {
        QString quoted = value;
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
        return {name + "=\"" + quoted.toLatin1() + '"'};
    }
    // RFC 2231 attribute-char: printable ASCII except space, "*", "'", "%" and the tspecials.
    static const QByteArray keep = QByteArrayLiteral("!#$&+-.^_`|~");
    // One piece per character: a section never splits the bytes of a character, which a
    // reader decodes section by section.
    QByteArrayList pieces;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype n = characterLength(value, i);
        QByteArray piece;
        for (char c : QStringView(value).mid(i, n).toUtf8()) {
            if (alphanumeric(uchar(c)) || keep.contains(c))
                piece += c;
            else
                piece += '%' + QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        }
        pieces.append(piece);
        i += n - 1;
    }
    const QByteArray prefix = "utf-8''";
    QByteArray whole = prefix;
    for (const QByteArray &p : pieces)
        whole += p;
    if (whole.size() <= kParameterWidth)
        return {name + "*=" + whole};

    QByteArrayList tokens;
    QByteArray section = prefix;
    const auto flush = [&] {
        tokens.append(name + '*' + QByteArray::number(tokens.size()) + "*=" + section);
        section.clear();
    };
    for (const QByteArray &p : pieces) {
        if (section.size() + p.size() > kParameterWidth)
            flush();
        section += p;
    }
    flush();
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i)
        tokens[i] += ';';
    return tokens;
}

QByteArray QuotedPrintable(const QByteArrayList &lines)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const QByteArray &line : lines) {
        qsizetype width = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const uchar c = uchar(line[i]);
            const bool last = i + 1 == line.size();
            char piece[3];
            qsizetype n = 1;
            piece[0] = char(c);
            // Whitespace at the end of a line may be stripped on the way (RFC 2045 6.7 (3)).
            const bool literal =
                ((c == ' ' || c == '\t') && !last) || (c >= 33 && c <= 126 && c != '=');
            if (!literal) {
                piece[0] = '=';
                piece[1] = hex[c >> 4];
                piece[2] = hex[c & 15];
                n = 3;
            }
            // Room for the soft break's "=" at the end of the line.
            if (width + n > kQpWidth - 1) {
                out += "=\r\n";
                width = 0;
            }
            out.append(piece, n);
            width += n;
        }
        out += "\r\n";
    }
    return out;
}

QByteArray RfcDate(const QDateTime &moment)
{
    static const char *const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = moment.date();
    const QTime t = moment.time();
    const int offset = moment.offsetFromUtc() / 60;
    const int absOffset = qAbs(offset);
    return QByteArray(days[d.dayOfWeek() - 1]) + ", " + QByteArray::number(d.day()) + ' '
           + months[d.month() - 1] + ' ' + QByteArray::number(d.year()).rightJustified(4, '0')
           + ' ' + t.toString(QStringLiteral("hh:mm:ss")).toLatin1() + ' '
           + (offset < 0 ? '-' : '+')
           + QByteArray::number(absOffset / 60).rightJustified(2, '0')
           + QByteArray::number(absOffset % 60).rightJustified(2, '0');
}

QByteArray MakeMessageId(const QString &fromAddress)
{
    QString domain = fromAddress.mid(fromAddress.lastIndexOf(QLatin1Char('@')) + 1).trimmed();
    if (!fromAddress.contains(QLatin1Char('@')) || !IsDomainName(domain, false)) {
        domain = QHostInfo::localHostName();
        if (!IsDomainName(domain, false))
            domain = QStringLiteral("quillpost.invalid");
    }
    quint32 random[4];
    QRandomGenerator::system()->fillRange(random);
    QByteArray unique;
    for (quint32 r : random)
        unique += QByteArray::number(r, 16).rightJustified(8, '0');
    unique += '.' + QByteArray::number(QDateTime::currentMSecsSinceEpoch(), 36);
    return '<' + unique + '@' + domain.toLatin1() + '>';
}

} // namespace ly::mail
