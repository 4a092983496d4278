#pragma once

#include "shared/Error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// Fixed-size records of NUL-terminated code-page text fields (the account file and the saved
// mails). A value that does not fit its field is never cut: the writer collects a problem per
// field, and nothing is written while there is one, so the window can tell the user which
// value to shorten.
namespace ly::mail {

struct FieldProblem
{
    QString field; // the field's name: "Name", "Password", "To", "Attachment 3", ...
    QString text;  // a sentence for the user
};

// Thrown by the record writers; its text holds one problem per line.
class FieldsDoNotFit : public Error
{
public:
    explicit FieldsDoNotFit(QList<FieldProblem> problems);
    const QList<FieldProblem> &problems() const { return m_problems; }

private:
    QList<FieldProblem> m_problems;
};

// The code-page bytes of a value when they fit maxBytes and read back as the same text;
// otherwise the problem is appended to `problems` and nothing returned. The text of a
// too-long value says how many of its characters fit; a value holding characters that the
// code page cannot store (or a NUL) is reported as such.
std::optional<QByteArray> encodeFieldValue(const QString &field, const QString &value,
                                           qsizetype maxBytes, QList<FieldProblem> &problems);

// A zero-filled record being built.
class RecordWriter
{
public:
    explicit RecordWriter(qsizetype size) : m_record(size, '\0') {}

    // The value NUL-terminated in `size` bytes at `offset` (so at most size - 1 bytes of text).
    void putText(qsizetype offset, qsizetype size, const QString &field, const QString &value);
    // Bytes already encoded, at offset.
    void putBytes(qsizetype offset, QByteArrayView bytes);
    void putByte(qsizetype offset, quint8 value);
    void putInt32(qsizetype offset, qint32 value); // little-endian
    void addProblem(const QString &field, const QString &text);

    QList<FieldProblem> &problems() { return m_problems; }
    // The record; throws FieldsDoNotFit when a value did not fit.
    QByteArray finish() const;

private:
    QByteArray m_record;
    QList<FieldProblem> m_problems;
};

// The bytes of a text field up to its NUL (the whole field when it has none).
QByteArray fieldBytes(QByteArrayView record, qsizetype offset, qsizetype size);
qint32 fieldInt32(QByteArrayView record, qsizetype offset); // little-endian

} // namespace ly::mail
