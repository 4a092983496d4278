#include "mail/MailAccount.h"

#include "mail/MailFiles.h"
#include "mail/Scrambler.h"
#include "shared/CodePage.h"
#include "shared/Error.h"
#include "shared/Ini.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <limits>

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
// The side file's keys, in the order of kFields.
const char *const kSideKeys[] = {"Name", "MailAddress", "SmtpServer", "UserName", "Password"};
const QString kSideSection = QStringLiteral("Account");
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

// The longest start of the value whose code-page bytes fit maxBytes; whole characters only, so
// characters the code page cannot store stay for the record's check to report.
QString cutToField(const QString &value, qsizetype maxBytes)
{
    QString cut = value;
    while (codepage::fromUnicode(cut).size() > maxBytes) {
        cut.chop(cut.size() >= 2 && cut.back().isLowSurrogate() ? 2 : 1);
    }
    return cut;
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

void WriteAccount(const QString &file, const MailAccount &account)
{
    writeWholeFile(file, EncodeAccount(account));
}

QString AccountSideFile(const QString &accountFile)
{
    return QFileInfo(accountFile).dir().filePath(QStringLiteral("MyMail.ini"));
}

MailAccount LoadAccount(const QString &accountFile)
{
    MailAccount account = ReadAccount(accountFile);
    const QString side = AccountSideFile(accountFile);
    if (!QFileInfo::exists(side))
        return account;
    const QStringList keys = ini::keys(side, kSideSection);
    const auto has = [&keys](const char *key) {
        return keys.contains(QLatin1String(key), Qt::CaseInsensitive);
    };
    for (qsizetype i = 0; i < qsizetype(std::size(kFields)); ++i) {
        const Field &f = kFields[i];
        if (!has(kSideKeys[i]))
            continue;
        QString value = ini::read(side, kSideSection, QLatin1String(kSideKeys[i]));
        if (f.scrambled) {
            try {
                value = value.isEmpty() ? QString() : UnscrambleText(value);
            } catch (const Error &) {
                continue;
            }
        }
        QString &recorded = account.*f.value;
        if (cutToField(value, maxValueBytes(f)) == recorded)
            recorded = value;
    }
    bool ok = false;
    const uint port = ini::read(side, kSideSection, QStringLiteral("Port")).toUInt(&ok);
    account.port = ok && port <= 65535 ? quint16(port) : 0;
    account.security = SecurityFromName(ini::read(side, kSideSection, QStringLiteral("Security")));
    return account;
}

void SaveAccount(const QString &accountFile, const MailAccount &account)
{
    // Every character is checked, also those after the record's cut: the side file keeps them.
    QList<FieldProblem> problems;
    for (const Field &f : kFields) {
        encodeFieldValue(QLatin1String(f.name), account.*f.value,
                         std::numeric_limits<qsizetype>::max(), problems);
    }
    if (!problems.isEmpty())
        throw FieldsDoNotFit(problems);
    MailAccount fitted = account;
    for (const Field &f : kFields)
        fitted.*f.value = cutToField(account.*f.value, maxValueBytes(f));
    const QByteArray record = EncodeAccount(fitted);

    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    QString text = QLatin1Char('[') + kSideSection + QLatin1String("]\r\n");
    for (qsizetype i = 0; i < qsizetype(std::size(kFields)); ++i) {
        const Field &f = kFields[i];
        QString value = account.*f.value;
        value = f.scrambled ? ScrambleText(value) : value.replace(lineBreaks, QStringLiteral(" "));
        text += QLatin1String(kSideKeys[i]) + QLatin1Char('=') + value + QLatin1String("\r\n");
    }
    text += QStringLiteral("Port=%1\r\n").arg(account.port);
    text += QLatin1String("Security=") + SecurityName(account.security) + QLatin1String("\r\n");
    writeWholeFile(AccountSideFile(accountFile), codepage::fromUnicode(text));
    writeWholeFile(accountFile, record);
}

std::optional<MailAccount> LoadAccountIfSound(const QString &accountFile)
{
    try {
        return LoadAccount(accountFile);
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace ly::mail
