#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

#include "mail/FixedRecord.h"
#include "mail/SmtpSecurity.h"

// The sender's account, one 286-byte record in "MyMail.Dat": the name in plain text, the mail
// address, SMTP server, user name and password scrambled (default key), and a flag byte saying
// whether the server needs a login. Every byte after a field's terminator is 0.
namespace ly::mail {

inline constexpr qsizetype kAccountRecordSize = 286;

struct MailAccount
{
    QString name;
    QString mailAddress;
    QString smtpServer;
    bool needsLogin = true; // "A verification of body(SMTP)"
    QString userName;
    QString password;
    // Kept in the side file only: the server's port (0: by the security mode, 25 or 465) and
    // how the connection is protected.
    quint16 port = 0;
    SmtpSecurity security = SmtpSecurity::None;

    friend bool operator==(const MailAccount &, const MailAccount &) = default;
};

// Name, mail address, SMTP server and user name are each non-empty once trimmed; the
// password may be empty. Only a complete account is saved.
bool AccountComplete(const MailAccount &account);

// The values that do not fit their fields (empty when all fit). Field names: "Name",
// "Mail address", "SMTP server", "User name", "Password". A field holds its value's code-page
// bytes up to 50 (name), 49, 24, 14 and 24 (scrambled fields, which take 2 + 2 × n digits).
QList<FieldProblem> AccountProblems(const MailAccount &account);

// The record, scrambled with fresh seeds. Throws FieldsDoNotFit when a value does not fit.
QByteArray EncodeAccount(const MailAccount &account);
// Throws ly::Error when the record is shorter than 286 bytes or a scrambled field is not
// scrambled text. Bytes after the record are ignored.
MailAccount DecodeAccount(QByteArrayView record);

// Reads the account file; throws ly::Error when it cannot be read or is damaged.
MailAccount ReadAccount(const QString &file);
// Writes the account file, creating or replacing it in one step. Throws FieldsDoNotFit (and
// leaves the file as it was) when a value does not fit; ly::Error when it cannot be written.
void WriteAccount(const QString &file, const MailAccount &account);

// The account's side file "MyMail.ini" beside the account file. It keeps what the record
// cannot: values longer than their fields, the port and the security mode. Section [Account],
// keys Name (plain), MailAddress, SmtpServer, UserName, Password (scrambled like the record's
// fields), Port and Security ("none", "starttls", "tls").
QString AccountSideFile(const QString &accountFile);

// The account as the mail program uses it: the record, and the side file's values where it
// has them. A text value of the side file is taken only while the record still holds it (cut
// to its field), so a record that another program has rewritten since wins. Throws like
// ReadAccount; a missing or unreadable side file leaves the record's values.
MailAccount LoadAccount(const QString &accountFile);
// Writes the side file with every value, then the record with each value cut to its field
// (never inside a character), each in one step. Throws FieldsDoNotFit (and writes nothing)
// only for characters the code page cannot store; ly::Error when a file cannot be written.
void SaveAccount(const QString &accountFile, const MailAccount &account);
// LoadAccount when the record exists and is sound; a missing or damaged record gives nothing,
// so the program asks for the account again instead of failing.
std::optional<MailAccount> LoadAccountIfSound(const QString &accountFile);

} // namespace ly::mail
