#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The mail program's data folder and the file handling its stores share.
namespace ly::mail {

// ProgramDir + "Mail/", with a trailing separator.
QString MailDataDir();
// The account "MyMail.Dat", the address book "SendMail.Dat" and the domain table
// "PopnSmtp.dat" in the data folder.
QString AccountFile();
QString AddressBookFile();
QString DomainTableFile();

// The whole file. Throws ly::Error "Cannot open file ..." when it cannot be read.
QByteArray readWholeFile(const QString &file);
// Replaces the file (or creates it) in one step: a crash or a full disk never leaves half a
// file. Throws ly::Error "Unable to write to <file>" on failure.
void writeWholeFile(const QString &file, const QByteArray &bytes);

// The lines of a text, without their CR LF (a lone LF or CR ends a line as well); a final line
// break does not start another line.
QByteArrayList splitTextLines(QByteArrayView data);
// The lines of a text file; nothing when the file does not exist or cannot be read.
std::optional<QByteArrayList> readTextLines(const QString &file);

// The value of one item of a line of "#"-joined Name=Value items (names compare without regard
// to case); empty when the line has no such item.
QString itemValue(const QString &line, const QString &name);

} // namespace ly::mail
