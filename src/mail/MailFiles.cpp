#include "mail/MailFiles.h"

#include "shared/Error.h"
#include "shared/Paths.h"

#include <QFile>
#include <QSaveFile>

namespace ly::mail {

QString MailDataDir()
{
    return ProgramDir() + QStringLiteral("Mail/");
}

QString AccountFile()
{
    return MailDataDir() + QStringLiteral("MyMail.Dat");
}

QString AddressBookFile()
{
    return MailDataDir() + QStringLiteral("SendMail.Dat");
}

QString DomainTableFile()
{
    return MailDataDir() + QStringLiteral("PopnSmtp.dat");
}

QByteArray readWholeFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(file, f.errorString()));
    return f.readAll();
}

void writeWholeFile(const QString &file, const QByteArray &bytes)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Error(QStringLiteral("Unable to write to ") + file);
}

QByteArrayList splitTextLines(QByteArrayView data)
{
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = start;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        lines.append(data.sliced(start, end - start).toByteArray());
        if (end + 1 < data.size() && data[end] == '\r' && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

std::optional<QByteArrayList> readTextLines(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitTextLines(f.readAll());
}

QString itemValue(const QString &line, const QString &name)
{
    for (const QStringView item : QStringView(line).split(QLatin1Char('#'))) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq >= 0 && item.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return item.mid(eq + 1).toString();
    }
    return QString();
}

} // namespace ly::mail
