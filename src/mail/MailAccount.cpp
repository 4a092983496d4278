#include "mail/MailAccount.h"

#include "mail/MailFiles.h"
#include "mail/Scrambler.h"
#include "shared/CodePage.h"
#include "shared/Error.h"

namespace ly::mail {

namespace {

struct Field
{
    const char *name;
    qsizetype offset;
    qsizetype size;
    QString MailAccount::*value;
    bool scrambled;
};

const Field kFields[] = {
    {"Name", 0, 51, &MailAccount::name, false},
    {"Mail address", 51, 101, &MailAccount::mailAddress, true},
    {"SMTP server", 152, 51, &MailAccount::smtpServer, true},
    {"User name", 204, 31, &MailAccount::userName, true},
    {"Password", 235, 51, &MailAccount::password, true},
};
constexpr qsizetype kFlagOffset = 203;

// The longest value a field takes: a scrambled one needs 2 + 2 × n digits and the terminator.
qsizetype maxValueBytes(const Field &f)
{
    return f.scrambled ? (f.size - 3) / 2 : f.size - 1;
}

RecordWriter buildRecord(const MailAccount &account)
{
    RecordWriter record(kAccountRecordSize);
    for (const Field &f : kFields) {
        const QString &value = account.*f.value;
        const auto bytes = encodeFieldValue(QLatin1String(f.name), value, maxValueBytes(f),
                                            record.problems());
        if (bytes)
            record.putBytes(f.offset, f.scrambled ? ScrambleText(value).toLatin1() : *bytes);
    }
    record.putByte(kFlagOffset, account.needsLogin ? 1 : 0);
    return record;
}

} // namespace

bool AccountComplete(const MailAccount &account)
{
    return !account.name.trimmed().isEmpty() && !account.mailAddress.trimmed().isEmpty()
        && !account.smtpServer.trimmed().isEmpty() && !account.userName.trimmed().isEmpty();
}

QList<FieldProblem> AccountProblems(const MailAccount &account)
{
    return buildRecord(account).problems();
}

QByteArray EncodeAccount(const MailAccount &account)
{
    return buildRecord(account).finish();
}

MailAccount DecodeAccount(QByteArrayView record)
{
    if (record.size() < kAccountRecordSize)
        throw Error(QStringLiteral("it holds %1 bytes instead of %2")
                        .arg(record.size())
                        .arg(kAccountRecordSize));
    MailAccount account;
    for (const Field &f : kFields) {
        const QByteArray bytes = fieldBytes(record, f.offset, f.size);
        if (!f.scrambled) {
            account.*f.value = codepage::toUnicode(bytes);
            continue;
        }
        try {
            account.*f.value = codepage::toUnicode(unscrambleBytes(bytes, kDefaultScrambleKey));
        } catch (const Error &) {
            throw Error(QStringLiteral("field \"%1\" is not scrambled text")
                            .arg(QLatin1String(f.name)));
        }
    }
    account.needsLogin = record[kFlagOffset] != 0;
    return account;
}

MailAccount ReadAccount(const QString &file)
{
    const QByteArray bytes = readWholeFile(file);
    try {
        return DecodeAccount(bytes);
    } catch (const Error &e) {
        throw Error(QStringLiteral("The account file \"%1\" is damaged: %2.").arg(file, e.text()));
    }
}

std::optional<MailAccount> ReadAccountIfSound(const QString &file)
{
    try {
        return ReadAccount(file);
    } catch (const Error &) {
        return std::nullopt;
    }
}

void WriteAccount(const QString &file, const MailAccount &account)
{
    writeWholeFile(file, EncodeAccount(account));
}

} // namespace ly::mail
