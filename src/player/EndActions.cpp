#include "player/EndActions.h"

#include "shared/Error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace ly::player {

QString WebPageOf(const QString &openHttp)
{
    const QString text = openHttp.trimmed();
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty() || text.contains(QRegularExpression(QStringLiteral("[\\s\\x00-\\x1f]"))))
        return QString();
    return text;
}

QString MailAddressOf(const QString &sendMail)
{
    // One address as people write them: no blanks, quotes, commas or query parts, a domain
    // of dot-separated labels.
    static const QRegularExpression address(QStringLiteral(
        "^[A-Za-z0-9.!#$%&'*+/=^_`{|}~-]+@[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?"
        "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)+$"));
    const QString text = sendMail.trimmed();
    if (!address.match(text).hasMatch() || text.startsWith(QLatin1Char('.'))
        || text.contains(QLatin1String("..")))
        return QString();
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "@"));
}

bool StartDesktopProgram(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

QString AutostartEntryFile(const QString &card)
{
    const QString path = QFileInfo(card).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/lyrabell-card-") + QString::fromLatin1(hash)
           + QStringLiteral(".desktop");
}

namespace {

// A value of a desktop entry's Exec key: quoted, with the characters that quoting reserves
// escaped, and "%" doubled (the field-code escape).
QString execArgument(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    // A desktop entry's string values escape backslashes once more.
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString entryValue(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

} // namespace

void WriteAutostartEntry(const QString &card, const QString &title)
{
    const QString file = AutostartEntryFile(card);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    const QByteArray text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                           "X-GNOME-Autostart-enabled=true\n")
                                .arg(entryValue(title), execArgument(QFileInfo(card).absoluteFilePath()))
                                .toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw Error(QStringLiteral("Cannot write the autostart entry \"%1\"").arg(file));
}

bool RemoveAutostartEntry(const QString &card)
{
    return QFile::remove(AutostartEntryFile(card));
}

} // namespace ly::player
