#pragma once

#include "mail/FixedRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A saved mail: a 1672-byte ".qpt" record (To, Cc, subject, the path of the body file and up to
// 11 attachment paths) and the body in the file "Qpt.dat" beside it. Every mail saved into one
// folder shares that body file, so the mail saved last there sets the body they all open with.
namespace ly::mail {

inline constexpr qsizetype kSavedMailRecordSize = 1672;
inline constexpr int kMaxSavedAttachments = 11;
inline constexpr char kMailBodyFileName[] = "Qpt.dat";

struct SavedMail
{
    QString to;
    QString cc;
    QString subject;
    QString bodyFile; // full path
    QStringList attachments;

    friend bool operator==(const SavedMail &, const SavedMail &) = default;
};

// The values that do not fit the record: To and Cc up to 200 code-page bytes, the subject 50,
// the body file path and each attachment path 100, at most 11 attachments. Field names: "To",
// "Cc", "Subject", "Body file", "Attachment N" (from 1), "Attachments".
QList<FieldProblem> SavedMailProblems(const SavedMail &mail);
// Throws FieldsDoNotFit when a value does not fit; nothing is ever cut.
QByteArray EncodeSavedMail(const SavedMail &mail);
// Throws ly::Error when the record is shorter than 1672 bytes, its attachment count lies outside
// 0 … 11 or an attachment's length byte exceeds 100.
SavedMail DecodeSavedMail(QByteArrayView record);

// The ".qpt" file a chosen name saves to: the name, with ".qpt" appended unless it ends so.
QString SavedMailFileName(const QString &chosenName);

// Saves the mail under the chosen name: first the body lines (each followed by CR LF) into
// the body file of that name in the name's folder ("Qpt.dat", shared by the folder, unless
// another name is given), then the record. Returns the ".qpt" file's path. Throws
// FieldsDoNotFit before writing anything when a value does not fit, and ly::Error when a file
// cannot be written.
QString SaveMail(const QString &chosenName, const QString &to, const QString &cc,
                 const QString &subject, const QStringList &bodyLines,
                 const QStringList &attachments,
                 const QString &bodyFileName = QLatin1String(kMailBodyFileName));

// A body file of the mail's own, so that saving a second mail into a folder never replaces
// the body of the first: the ".qpt" file's base name + ".Qpt.dat" ("card.qpt" gives
// "card.Qpt.dat"). Readers take the body file the record names, so mails of the shared
// layout still open.
QString OwnBodyFileName(const QString &chosenName);

// Reads a ".qpt" file; throws ly::Error when it cannot be read or is damaged.
SavedMail OpenSavedMail(const QString &qptFile);
// The lines of a body file; throws ly::Error "Cannot open file ..." when it cannot be read.
QStringList ReadMailBody(const QString &bodyFile);

} // namespace ly::mail
