#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QDateTime;

// The outgoing mail of the SMTP client and its assembly into the text that goes out after
// DATA: the header block (RFC 5322, non-ASCII text encoded), an empty line, and the body
// stream (plain text, or multipart/mixed with base64 attachments), dot-stuffed and with CR LF
// line ends. The text goes out in its charset, quoted-printable when it is not 7-bit or has
// lines longer than 998 characters.
class TMailMessage
{
public:
    QString FromName;
    QString FromAddress;
    QStringList ToAddress;
    QStringList ToCarbonCopy;
    QStringList ToBlindCarbonCopy;
    QString Subject;
    QString Date; // RFC 5322 date, see ly::mail::DateText; empty: the moment of assembly
    QString MessageId; // "<unique@domain>"; empty: a fresh one for each assembly
    QStringList Body;        // the body lines
    QStringList Attachments; // full paths

    bool HasRecipients() const;
    // Empties the recipient lists and the attachment list; the rest stays.
    void ClearParams();

    // The whole message as it goes out after DATA, ending with CR LF. Throws ly::Error when
    // an attachment cannot be read. The second form takes the boundary of a message with
    // attachments (the first makes a fresh one). charset is declared for a 7-bit text; other
    // text goes out in the code page when it holds every character, in UTF-8 otherwise.
    QByteArray Assemble(const QString &charset) const;
    QByteArray Assemble(const QString &charset, const QByteArray &boundary) const;
};

namespace ly::mail {

// The message date text, RFC 5322: "Thu, 10 Dec 2026 13:29:00 +0100" in the moment's zone.
QString DateText(const QDateTime &moment);

// A fresh multipart boundary: twenty "=", "54535", six random letters "a".."y", "====".
QByteArray MakeBoundary();

// Base64 in lines of 60 characters (45 bytes each), every line ending with CR LF; the last
// line is shorter and "=" padded; no bytes give no line.
QByteArray Base64Lines(const QByteArray &data);

// The address RCPT TO names for a recipient entry: the text inside "<...>" when the entry
// holds "<"; else the text between the first ":" and the next one; else the whole entry.
QString RecipientAddress(const QString &entry);

// A typed recipient text as a list: split at ";" (empty pieces dropped, nothing trimmed)
// when it holds one; else the whole text when it holds "@"; else no recipient.
QStringList RecipientList(const QString &text);

// The To text after the quick pick moved the addresses into it: each address followed by
// ";", with a ";" first when the text does not already end with one. An address that the
// text already names (as RecipientList reads it) is not added again.
QString AppendRecipients(const QString &text, const QStringList &addresses);

} // namespace ly::mail
