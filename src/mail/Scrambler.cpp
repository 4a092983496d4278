#include "mail/Scrambler.h"

#include "shared/CodePage.h"
#include "shared/Error.h"

#include <QRandomGenerator>

namespace ly::mail {

namespace {

QByteArray keyBytes(const QString &key)
{
    return key.isEmpty() ? QByteArray(kDefaultScrambleKey) : codepage::fromUnicode(key);
}

QByteArrayView effectiveKey(QByteArrayView key)
{
    return key.isEmpty() ? QByteArrayView(kDefaultScrambleKey) : key;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void appendHex(QByteArray &out, int value)
{
    static const char kDigits[] = "0123456789ABCDEF";
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
}

[[noreturn]] void notScrambled(QByteArrayView digits, const char *why)
{
    throw Error(QStringLiteral("Not a scrambled text (%1): \"%2\"")
                    .arg(QLatin1String(why), QString::fromLatin1(digits)));
}

} // namespace

QByteArray scrambleBytes(QByteArrayView text, QByteArrayView key, quint8 seed)
{
    key = effectiveKey(key);
    QByteArray out;
    out.reserve(2 + 2 * text.size());
    appendHex(out, seed);
    int prev = seed;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = quint8(text[i]);
        const int k = quint8(key[i % key.size()]);
        const int v = ((prev + b) % 255) ^ k;
        appendHex(out, v);
        prev = v;
    }
    return out;
}

QByteArray unscrambleBytes(QByteArrayView digits, QByteArrayView key)
{
    key = effectiveKey(key);
    if (digits.isEmpty())
        notScrambled(digits, "no seed");
    if (digits.size() % 2 != 0)
        notScrambled(digits, "an odd number of digits");
    QByteArray out;
    out.reserve(digits.size() / 2 - 1);
    int prev = -1;
    for (qsizetype pos = 0; pos < digits.size(); pos += 2) {
        const int hi = hexValue(digits[pos]);
        const int lo = hexValue(digits[pos + 1]);
        if (hi < 0 || lo < 0)
            notScrambled(digits, "not a hexadecimal digit");
        const int c = hi * 16 + lo;
        if (prev >= 0) {
            const int t = c ^ quint8(key[(pos / 2 - 1) % key.size()]);
            int b = prev < t ? t - prev : t - prev + 255;
            // Sums are taken modulo 255, so after a previous value of 255 the byte 255 comes back
            // as 0. A text never holds 0 (fields end at it), so 0 can only mean 255.
            if (b == 0)
                b = 255;
            out += char(b);
        }
        prev = c;
    }
    return out;
}

QString ScrambleText(const QString &text, const QString &key)
{
    const auto seed = quint8(QRandomGenerator::global()->bounded(256));
    return QString::fromLatin1(scrambleBytes(codepage::fromUnicode(text), keyBytes(key), seed));
}

QString UnscrambleText(const QString &scrambled, const QString &key)
{
    // Every character stays one byte; one outside ASCII is no digit and becomes '?'.
    QByteArray digits;
    digits.reserve(scrambled.size());
    for (const QChar ch : scrambled)
        digits += ch.unicode() < 0x80 ? char(ch.unicode()) : '?';
    return codepage::toUnicode(unscrambleBytes(digits, keyBytes(key)));
}

} // namespace ly::mail
