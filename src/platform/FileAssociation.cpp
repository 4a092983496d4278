#include "platform/FileAssociation.h"

#include "platform/Registry.h"
#include "shared/Error.h"
#include "shared/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QXmlStreamWriter>

#include <algorithm>

namespace ly {

namespace platform {

namespace {

// A type name as it may appear in a MIME type and a file name.
QString plainName(const QString &typeName)
{
    QString name = typeName.toLower();
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.')
            && c != QLatin1Char('+') && c != QLatin1Char('-'))
            c = QLatin1Char('-');
    return name;
}

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// One argument of a desktop entry's Exec line: quoted when it holds a reserved character,
// with '"', '`', '$' and '\' escaped inside the quotes; then "%" doubled and every '\'
// doubled again for the string level of the file.
QString execArgument(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString arg = program;
    if (std::any_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        arg = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return arg;
}

// A value of a desktop entry's string keys: one line, '\' escaped.
QString entryString(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text;
}

QByteArray mimePackage(const QString &typeName, const QString &extension,
                       const QString &description)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    w.writeStartElement(QStringLiteral("mime-info"));
    w.writeStartElement(QStringLiteral("mime-type"));
    w.writeAttribute(QStringLiteral("type"), MimeTypeOf(typeName));
    w.writeTextElement(QStringLiteral("comment"), description);
    w.writeEmptyElement(QStringLiteral("glob"));
    w.writeAttribute(QStringLiteral("pattern"), QLatin1Char('*') + extension);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QByteArray desktopEntry(const QString &typeName, const QString &description,
                        const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2 %f\n"
                                        "MimeType=%3;\n"
                                        "NoDisplay=true\n"
                                        "Terminal=false\n")
                             .arg(entryString(description), execArgument(program),
                                  MimeTypeOf(typeName));
    return text.toUtf8();
}

// Writes the file unless it already holds these bytes; true when it was written.
bool writeIfChanged(const QString &path, const QByteArray &bytes)
{
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw Error(QStringLiteral("Unable to write to %1").arg(path));
    return true;
}

// Rebuilds a desktop cache when its tool is installed; bounded, so a hanging tool cannot
// hold up the start of the program.
void runUpdater(const QString &tool, const QString &folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(exe, {folder});
    if (!p.waitForFinished(10000))
        p.kill();
    p.waitForFinished(1000);
}

} // namespace

QString MimeTypeOf(const QString &typeName)
{
    return QStringLiteral("application/x-") + plainName(typeName);
}

QString MimePackageFile(const QString &typeName)
{
    return dataHome() + QStringLiteral("/mime/packages/lyrabell-") + plainName(typeName)
           + QStringLiteral(".xml");
}

QString DesktopEntryFile(const QString &typeName)
{
    return dataHome() + QStringLiteral("/applications/lyrabell-") + plainName(typeName)
           + QStringLiteral(".desktop");
}

} // namespace platform

void RegisterFileType(const QString &extension, QString typeName, const QString &description,
                      int iconIndex, const QString &program)
{
    if (extension.isEmpty() || program.isEmpty())
        return;
    if (typeName.isEmpty())
        typeName = extension.mid(extension.indexOf(QLatin1Char('.')) + 1, 3)
                   + QStringLiteral("_auto_file");
    using platform::RegistryRoot;
    try {
        const auto root = RegistryRoot::ClassesRoot;
        platform::WriteRegistryString(root, extension, QString(), typeName);
        platform::WriteRegistryString(root, typeName, QString(), description);
        platform::WriteRegistryString(root, typeName + QStringLiteral("\\DefaultIcon"), QString(),
                                      program + QLatin1Char(',') + QString::number(iconIndex));
        platform::WriteRegistryString(root, typeName + QStringLiteral("\\shell\\open\\command"),
                                      QString(), program + QStringLiteral(" \"%1\""));

        if (platform::writeIfChanged(platform::MimePackageFile(typeName),
                                     platform::mimePackage(typeName, extension, description)))
            platform::runUpdater(QStringLiteral("update-mime-database"),
                                 platform::dataHome() + QStringLiteral("/mime"));
        if (platform::writeIfChanged(platform::DesktopEntryFile(typeName),
                                     platform::desktopEntry(typeName, description, program)))
            platform::runUpdater(QStringLiteral("update-desktop-database"),
                                 platform::dataHome() + QStringLiteral("/applications"));
    } catch (const Error &e) {
        WriteLog(e.text());
    }
}

} // namespace ly
