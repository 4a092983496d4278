#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The system's "ANSI code page": the encoding of every text file and fixed-size record field
// the programs read or write. It is the locale's code set, overridden by the environment
// variable LYRABELL_CODEPAGE (an encoding name such as "windows-1252") so that files made on
// the original platform can be exchanged. The plain C locale counts as UTF-8, as in Qt.
namespace ly::codepage {

// The encoding in use, as an iconv name ("UTF-8", "WINDOWS-1252", ...).
QByteArray name();
// Tests switch the encoding; an empty name goes back to the environment's.
void overrideName(const QByteArray &name);

QString toUnicode(QByteArrayView bytes);
// Characters the code page cannot represent become "?".
QByteArray fromUnicode(QStringView text);

struct Fitted
{
    QByteArray bytes;
    bool complete = true; // false when characters had to be left out
};
// The encoded text cut to at most maxBytes bytes, never in the middle of a character.
Fitted fromUnicodeFitted(QStringView text, qsizetype maxBytes);

} // namespace ly::codepage
