#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A small keyed, reversible scrambler that turns a text into hexadecimal digits and back. The
// account file stores its mail address, server, user name and password this way so that they do
// not read as plain text. It is obfuscation with a short fixed key, not encryption.
namespace ly::mail {

// The key used when the caller passes none (the mail program always passes none).
inline constexpr char kDefaultScrambleKey[] = "kavrel";

// The text's code-page bytes scrambled behind a random seed byte: 2 + 2 × n upper-case
// hexadecimal digits. An empty key means the default key.
QString ScrambleText(const QString &text, const QString &key = QString());
// The text that was scrambled. Digits are read in either case. Throws ly::Error when the text is
// not a scrambled text: empty, an odd number of digits, or a character that is not a digit.
QString UnscrambleText(const QString &scrambled, const QString &key = QString());

// The same on bytes, with the seed given: ScrambleText is scrambleBytes with a random seed.
QByteArray scrambleBytes(QByteArrayView text, QByteArrayView key, quint8 seed);
QByteArray unscrambleBytes(QByteArrayView digits, QByteArrayView key);

} // namespace ly::mail
