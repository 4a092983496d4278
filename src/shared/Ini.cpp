#include "shared/Ini.h"

#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QFile>
#include <QSaveFile>

namespace ly::ini {

namespace {

// One line of the file: its bytes (terminator included) and what it is.
struct Line
{
    enum class Kind { Section, Key, Other };
    QByteArray raw;
    Kind kind = Kind::Other;
    QString name;  // section or key name, trimmed
    QString value; // key lines: the text after the first "=", trimmed

    bool hasTerminator() const { return raw.endsWith('\n'); }
};

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

Line classify(QByteArray raw)
{
    Line line;
    line.raw = std::move(raw);
    QByteArray body = line.raw;
    if (body.endsWith('\n'))
        body.chop(1);
    if (body.endsWith('\r'))
        body.chop(1);
    const QString text = codepage::toUnicode(body).trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
        return line;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = text.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq > 0) {
        const QString name = text.left(eq).trimmed();
        if (!name.isEmpty()) {
            line.kind = Line::Kind::Key;
            line.name = name;
            line.value = text.mid(eq + 1).trimmed();
        }
    }
    return line;
}

QList<Line> load(const QString &file)
{
    QList<Line> lines;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray data = f.readAll();
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        end = end < 0 ? data.size() : end + 1;
        lines.append(classify(data.mid(start, end - start)));
        start = end;
    }
    return lines;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The range [first, last) of the lines of a section, the header included; first < 0 when
// the file does not have it.
struct Range
{
    qsizetype first = -1;
    qsizetype last = -1;
};

Range findSection(const QList<Line> &lines, const QString &section)
{
    Range r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Line::Kind::Section)
            continue;
        if (r.first >= 0) {
            r.last = i;
            return r;
        }
        if (sameName(lines[i].name, section))
            r.first = i;
    }
    if (r.first >= 0)
        r.last = lines.size();
    return r;
}

qsizetype findKey(const QList<Line> &lines, Range r, const QString &key)
{
    for (qsizetype i = r.first + 1; i < r.last; ++i)
        if (lines[i].kind == Line::Kind::Key && sameName(lines[i].name, key))
            return i;
    return -1;
}

[[noreturn]] void failWrite(const QString &file)
{
    throw Error(QStringLiteral("Unable to write to %1").arg(file));
}

void save(const QString &file, const QList<Line> &lines)
{
    QByteArray data;
    for (const Line &l : lines)
        data += l.raw;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        failWrite(file);
}

Line makeLine(const QString &text)
{
    return classify(codepage::fromUnicode(text) + kCrLf);
}

void terminate(Line &line)
{
    if (!line.hasTerminator())
        line.raw += kCrLf;
}

bool writable(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}

} // namespace

QString read(const QString &file, const QString &section, const QString &key,
             const QString &defaultValue)
{
    const QList<Line> lines = load(file);
    const Range r = findSection(lines, section);
    if (r.first < 0)
        return defaultValue;
    const qsizetype k = findKey(lines, r, key);
    if (k < 0)
        return defaultValue;
    QString value = lines[k].value;
    if (value.size() > kMaxValueLength) {
        value.truncate(kMaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

void write(const QString &file, const QString &section, const QString &key,
           const QString &value)
{
    // Names and values that the line format cannot hold would corrupt the file.
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || sectionName.contains(QLatin1Char(']')) || !writable(section)
        || keyName.isEmpty() || keyName.contains(QLatin1Char('=')) || !writable(key)
        || keyName.startsWith(QLatin1Char(';')) || keyName.startsWith(QLatin1Char('['))
        || !writable(value))
        failWrite(file);

    QList<Line> lines = load(file);
    const Range r = findSection(lines, sectionName);
    if (r.first < 0) {
        if (!lines.isEmpty())
            terminate(lines.last());
        lines.append(makeLine(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        lines.append(makeLine(keyName + QLatin1Char('=') + value));
    } else if (const qsizetype k = findKey(lines, r, keyName); k >= 0) {
        lines[k] = makeLine(lines[k].name + QLatin1Char('=') + value);
    } else {
        qsizetype after = r.first;
        for (qsizetype i = r.first + 1; i < r.last; ++i)
            if (lines[i].kind == Line::Kind::Key)
                after = i;
        terminate(lines[after]);
        lines.insert(after + 1, makeLine(keyName + QLatin1Char('=') + value));
    }
    save(file, lines);
}

void eraseSection(const QString &file, const QString &section)
{
    QList<Line> lines = load(file);
    Range r = findSection(lines, section);
    if (r.first < 0)
        return;
    // A section that appears more than once goes as a whole.
    for (; r.first >= 0; r = findSection(lines, section))
        lines.remove(r.first, r.last - r.first);
    save(file, lines);
}

bool hasSection(const QString &file, const QString &section)
{
    return findSection(load(file), section).first >= 0;
}

QStringList sections(const QString &file)
{
    QStringList names;
    for (const Line &l : load(file))
        if (l.kind == Line::Kind::Section && !names.contains(l.name, Qt::CaseInsensitive))
            names.append(l.name);
    return names;
}

QStringList keys(const QString &file, const QString &section)
{
    const QList<Line> lines = load(file);
    const Range r = findSection(lines, section);
    QStringList names;
    for (qsizetype i = r.first + 1; r.first >= 0 && i < r.last; ++i)
        if (lines[i].kind == Line::Kind::Key && !names.contains(lines[i].name, Qt::CaseInsensitive))
            names.append(lines[i].name);
    return names;
}

} // namespace ly::ini
