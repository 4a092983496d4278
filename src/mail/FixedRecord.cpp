#include "mail/FixedRecord.h"

#include "shared/CodePage.h"

#include <QStringList>
#include <QtEndian>

namespace ly::mail {

namespace {

QString joinedText(const QList<FieldProblem> &problems)
{
    QStringList lines;
    for (const FieldProblem &p : problems)
        lines.append(p.text);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

FieldsDoNotFit::FieldsDoNotFit(QList<FieldProblem> problems)
    : Error(joinedText(problems)), m_problems(std::move(problems))
{
}

std::optional<QByteArray> encodeFieldValue(const QString &field, const QString &value,
                                           qsizetype maxBytes, QList<FieldProblem> &problems)
{
    const QByteArray bytes = codepage::fromUnicode(value);
    if (bytes.contains('\0') || codepage::toUnicode(bytes) != value) {
        problems.append({field, QStringLiteral("Field \"%1\" holds characters that cannot be "
                                               "stored (code page %2).")
                                    .arg(field, QString::fromLatin1(codepage::name()))});
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        const codepage::Fitted fitted = codepage::fromUnicodeFitted(value, maxBytes);
        const qsizetype fit = codepage::toUnicode(fitted.bytes).toUcs4().size();
        problems.append({field, QStringLiteral("Field \"%1\" is too long: only its first %2 "
                                               "characters fit.")
                                    .arg(field)
                                    .arg(fit)});
        return std::nullopt;
    }
    return bytes;
}

void RecordWriter::putText(qsizetype offset, qsizetype size, const QString &field,
                           const QString &value)
{
    if (const auto bytes = encodeFieldValue(field, value, size - 1, m_problems))
        putBytes(offset, *bytes);
}

void RecordWriter::putBytes(qsizetype offset, QByteArrayView bytes)
{
    std::copy(bytes.begin(), bytes.end(), m_record.begin() + offset);
}

void RecordWriter::putByte(qsizetype offset, quint8 value)
{
    m_record[offset] = char(value);
}

void RecordWriter::putInt32(qsizetype offset, qint32 value)
{
    qToLittleEndian(value, m_record.data() + offset);
}

void RecordWriter::addProblem(const QString &field, const QString &text)
{
    m_problems.append({field, text});
}

QByteArray RecordWriter::finish() const
{
    if (!m_problems.isEmpty())
        throw FieldsDoNotFit(m_problems);
    return m_record;
}

QByteArray fieldBytes(QByteArrayView record, qsizetype offset, qsizetype size)
{
    const QByteArrayView field = record.sliced(offset, size);
    const qsizetype nul = field.indexOf('\0');
    return (nul < 0 ? field : field.first(nul)).toByteArray();
}

qint32 fieldInt32(QByteArrayView record, qsizetype offset)
{
    return qFromLittleEndian<qint32>(record.data() + offset);
}

} // namespace ly::mail
