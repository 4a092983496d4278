#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

class QDateTime;

// The encodings of an Internet message (RFC 5322, MIME): header fields folded within 78
// characters where they can be, non-ASCII header text as RFC 2047 encoded-words, parameters
// by RFC 2231, bodies in quoted-printable. Header text is 7-bit; addresses go out as given.
namespace ly::mail {

// A domain name: dot-separated labels of letters, digits and inner hyphens (RFC 5321 4.1.2);
// withDot asks for two labels at least.
bool IsDomainName(const QString &name, bool withDot = true);

// Text as RFC 2047 encoded-words ("=?UTF-8?B?...?="), each at most 60 characters and never
// splitting a character; the words are returned separately so that folding can go between
// them (whitespace between encoded-words is not part of the text).
QByteArrayList EncodedWords(const QString &text);

// A header field "Name: value" with CR LF, folded: the tokens are joined by one space, and a
// fold (CR LF and that space) replaces the space where the line would grow past 78
// characters.
QByteArray FoldedField(const QByteArray &name, const QByteArrayList &tokens);

// An unstructured value (Subject): its words as they stand when the text is printable ASCII
// without words that read as encoded-words or are too long to fold; encoded-words otherwise.
QByteArrayList UnstructuredTokens(const QString &text);

// A mailbox "display name <address>" (or the bare address without a name): the name as atoms,
// a quoted string, or encoded-words, whichever it needs.
QByteArrayList MailboxTokens(const QString &displayName, const QString &address);

// A recipient entry as typed ("Ann Lee <ann@x.test>", "\"Lee, Ann\" <ann@x.test>",
// "ann@x.test", "mailto:ann@x.test") split into its display name and its address (the address
// RCPT TO names).
struct Mailbox
{
    QString name;
    QString address;
};
Mailbox ParseMailbox(const QString &entry);

// A MIME parameter "; name=value": a quoted string when the value is short printable ASCII,
// otherwise RFC 2231 UTF-8 percent-encoding, split into numbered sections when long. Returned
// as the tokens after the ";" that precedes it, each ending with ";" but the last.
QByteArrayList ParameterTokens(const QByteArray &name, const QString &value);

// Quoted-printable (RFC 2045 6.7) of lines given without their line ends: every output line
// at most 76 characters and ending with CR LF, soft breaks "=" where a line is longer.
QByteArray QuotedPrintable(const QByteArrayList &lines);

// The date of a message, RFC 5322 3.3: "Thu, 10 Dec 2026 13:29:00 +0100", in the moment's
// own zone.
QByteArray RfcDate(const QDateTime &moment);

// A fresh "<unique@domain>" for the Message-ID field; the domain is taken from the sender's
// address when it is a domain name, the machine's name otherwise.
QByteArray MakeMessageId(const QString &fromAddress);

} // namespace ly::mail
