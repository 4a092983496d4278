#include "shared/Log.h"

#include "shared/CodePage.h"
#include "shared/Paths.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

namespace ly {

QString LogFileOf(const QDate &day)
{
    return ProgramDir() + QStringLiteral("log/") + day.toString(QStringLiteral("yyyyMMdd"))
           + QStringLiteral(".txt");
}

void WriteLog(const QString &text)
{
    EnsureDir(ProgramDir() + QStringLiteral("log"));
    const QDateTime now = QDateTime::currentDateTime();
    const QString path = LogFileOf(now.date());
    QByteArray content;
    {
        QFile old(path);
        if (old.open(QIODevice::ReadOnly))
            content = old.readAll();
    }
    const QString line = now.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("    ") + text;
    content += codepage::fromUnicode(line) + "\r\n";
    // The whole file is written anew; through a temporary file so no entry is ever lost.
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size())
        out.commit();
}

} // namespace ly
