#include "mail/SavedMail.h"

#include "mail/MailFiles.h"
#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ly::mail {

namespace {

constexpr qsizetype kToOffset = 0;
constexpr qsizetype kToSize = 201;
constexpr qsizetype kCcOffset = 201;
constexpr qsizetype kCcSize = 201;
constexpr qsizetype kSubjectOffset = 402;
constexpr qsizetype kSubjectSize = 51;
constexpr qsizetype kBodyOffset = 453;
constexpr qsizetype kBodySize = 101;
constexpr qsizetype kCountOffset = 556;
constexpr qsizetype kAttachmentsOffset = 560;
constexpr qsizetype kAttachmentSlot = 101; // a length byte and 100 bytes of path
constexpr qsizetype kMaxPathBytes = kAttachmentSlot - 1;

RecordWriter buildRecord(const SavedMail &mail)
{
    RecordWriter record(kSavedMailRecordSize);
    record.putText(kToOffset, kToSize, QStringLiteral("To"), mail.to);
    record.putText(kCcOffset, kCcSize, QStringLiteral("Cc"), mail.cc);
    record.putText(kSubjectOffset, kSubjectSize, QStringLiteral("Subject"), mail.subject);
    record.putText(kBodyOffset, kBodySize, QStringLiteral("Body file"), mail.bodyFile);
    if (mail.attachments.size() > kMaxSavedAttachments) {
        record.addProblem(QStringLiteral("Attachments"),
                          QStringLiteral("A saved mail holds at most %1 attachments, this one "
                                         "has %2.")
                              .arg(kMaxSavedAttachments)
                              .arg(mail.attachments.size()));
    }
    const qsizetype count = std::min<qsizetype>(mail.attachments.size(), kMaxSavedAttachments);
    record.putInt32(kCountOffset, qint32(count));
    for (qsizetype i = 0; i < count; ++i) {
        const auto path = encodeFieldValue(QStringLiteral("Attachment %1").arg(i + 1),
                                           mail.attachments[i], kMaxPathBytes, record.problems());
        if (!path)
            continue;
        const qsizetype slot = kAttachmentsOffset + i * kAttachmentSlot;
        record.putByte(slot, quint8(path->size()));
        record.putBytes(slot + 1, *path);
    }
    return record;
}

} // namespace

QList<FieldProblem> SavedMailProblems(const SavedMail &mail)
{
    return buildRecord(mail).problems();
}

QByteArray EncodeSavedMail(const SavedMail &mail)
{
    return buildRecord(mail).finish();
}

SavedMail DecodeSavedMail(QByteArrayView record)
{
    if (record.size() < kSavedMailRecordSize)
        throw Error(QStringLiteral("it holds %1 bytes instead of %2")
                        .arg(record.size())
                        .arg(kSavedMailRecordSize));
    const qint32 count = fieldInt32(record, kCountOffset);
    if (count < 0 || count > kMaxSavedAttachments)
        throw Error(QStringLiteral("its attachment count is %1, not 0 to %2")
                        .arg(count)
                        .arg(kMaxSavedAttachments));
    SavedMail mail;
    mail.to = codepage::toUnicode(fieldBytes(record, kToOffset, kToSize));
    mail.cc = codepage::toUnicode(fieldBytes(record, kCcOffset, kCcSize));
    mail.subject = codepage::toUnicode(fieldBytes(record, kSubjectOffset, kSubjectSize));
    mail.bodyFile = codepage::toUnicode(fieldBytes(record, kBodyOffset, kBodySize));
    for (qint32 i = 0; i < count; ++i) {
        const qsizetype slot = kAttachmentsOffset + i * kAttachmentSlot;
        const int length = quint8(record[slot]);
        if (length > kMaxPathBytes)
            throw Error(QStringLiteral("the path of attachment %1 claims %2 bytes, not at most %3")
                            .arg(i + 1)
                            .arg(length)
                            .arg(kMaxPathBytes));
        mail.attachments.append(codepage::toUnicode(record.sliced(slot + 1, length)));
    }
    return mail;
}

QString SavedMailFileName(const QString &chosenName)
{
    if (chosenName.endsWith(QLatin1String(".qpt"), Qt::CaseInsensitive))
        return chosenName;
    return chosenName + QStringLiteral(".qpt");
}

QString SaveMail(const QString &chosenName, const QString &to, const QString &cc,
                 const QString &subject, const QStringList &bodyLines,
                 const QStringList &attachments, const QString &bodyFileName)
{
    const QString qptFile = SavedMailFileName(chosenName);
    SavedMail mail{to, cc, subject,
                   QDir(QFileInfo(chosenName).absolutePath()).filePath(bodyFileName),
                   attachments};
    const QByteArray record = EncodeSavedMail(mail);
    QByteArray body;
    for (const QString &line : bodyLines)
        body += codepage::fromUnicode(line) + "\r\n";
    writeWholeFile(mail.bodyFile, body);
    writeWholeFile(qptFile, record);
    return qptFile;
}

QString OwnBodyFileName(const QString &chosenName)
{
    QString name = QFileInfo(SavedMailFileName(chosenName)).fileName();
    name.chop(4); // ".qpt"
    return name + QStringLiteral(".Qpt.dat");
}

SavedMail OpenSavedMail(const QString &qptFile)
{
    const QByteArray bytes = readWholeFile(qptFile);
    try {
        return DecodeSavedMail(bytes);
    } catch (const Error &e) {
        throw Error(QStringLiteral("The saved mail \"%1\" is damaged: %2.").arg(qptFile, e.text()));
    }
}

QStringList ReadMailBody(const QString &bodyFile)
{
    QStringList lines;
    for (const QByteArray &line : splitTextLines(readWholeFile(bodyFile)))
        lines.append(codepage::toUnicode(line));
    return lines;
}

} // namespace ly::mail
