#include "shared/CodePage.h"

#include <QList>
#include <QMutex>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace ly::codepage {

namespace {

QMutex g_mutex;
QByteArray g_override;

QByteArray environmentName()
{
    const QByteArray fromEnv = qgetenv("LYRABELL_CODEPAGE").trimmed();
    if (!fromEnv.isEmpty())
        return fromEnv.toUpper();
    QByteArray codeset;
    if (locale_t loc = newlocale(LC_CTYPE_MASK, "", locale_t(nullptr))) {
        codeset = nl_langinfo_l(CODESET, loc);
        freelocale(loc);
    }
    codeset = codeset.toUpper();
    if (codeset.isEmpty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII"
        || codeset == "US-ASCII" || codeset == "UTF8")
        return QByteArrayLiteral("UTF-8");
    return codeset;
}

bool isUtf8(const QByteArray &n) { return n == "UTF-8"; }

// One iconv conversion of a whole buffer. Input that cannot be converted is replaced by
// `replacement` (already in the target encoding) and skipped by `skip` bytes.
QByteArray convert(const QByteArray &to, const QByteArray &from, QByteArrayView input,
                   QByteArrayView replacement, qsizetype skip)
{
    iconv_t cd = iconv_open(to.constData(), from.constData());
    if (cd == iconv_t(-1))
        return {};
    QByteArray out;
    out.resize(input.size() * 4 + 16);
    char *in = const_cast<char *>(input.data());
    size_t inLeft = size_t(input.size());
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != size_t(-1))
            break;
        const qsizetype used = dst - out.data();
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else { // EILSEQ or EINVAL: an unconvertible or cut-off sequence
            const size_t step = std::min(size_t(skip), inLeft);
            in += step;
            inLeft -= step;
            if (out.size() - used < replacement.size() + 16)
                out.resize(out.size() * 2 + replacement.size());
            memcpy(out.data() + used, replacement.data(), size_t(replacement.size()));
            dst = out.data() + used + replacement.size();
            outLeft = size_t(out.size() - used - replacement.size());
            continue;
        }
        dst = out.data() + used;
        outLeft = size_t(out.size() - used);
    }
    const qsizetype used = dst - out.data();
    iconv_close(cd);
    out.resize(used);
    return out;
}

QByteArray encodeWith(const QByteArray &n, QStringView text)
{
    if (isUtf8(n))
        return text.toUtf8();
    const QList<uint> ucs4 = text.toUcs4();
    const QByteArrayView raw(reinterpret_cast<const char *>(ucs4.constData()),
                             ucs4.size() * qsizetype(sizeof(uint)));
    return convert(n, QByteArrayLiteral("UTF-32LE"), raw, "?", 4);
}

} // namespace

QByteArray name()
{
    QMutexLocker lock(&g_mutex);
    if (!g_override.isEmpty())
        return g_override;
    static const QByteArray fromEnvironment = environmentName();
    return fromEnvironment;
}

void overrideName(const QByteArray &n)
{
    QMutexLocker lock(&g_mutex);
    g_override = n.toUpper();
}

QString toUnicode(QByteArrayView bytes)
{
    const QByteArray n = name();
    if (isUtf8(n))
        return QString::fromUtf8(bytes);
    const QByteArray utf8 = convert(QByteArrayLiteral("UTF-8"), n, bytes, "\xEF\xBF\xBD", 1);
    return QString::fromUtf8(utf8);
}

QByteArray fromUnicode(QStringView text)
{
    return encodeWith(name(), text);
}

Fitted fromUnicodeFitted(QStringView text, qsizetype maxBytes)
{
    const QByteArray n = name();
    Fitted result{encodeWith(n, text), true};
    if (result.bytes.size() <= maxBytes)
        return result;
    // Too long: add whole characters one at a time while they fit.
    result.bytes.clear();
    result.complete = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray piece = encodeWith(n, text.mid(i, len));
        if (result.bytes.size() + piece.size() > maxBytes)
            break;
        result.bytes += piece;
        i += len;
    }
    return result;
}

} // namespace ly::codepage
