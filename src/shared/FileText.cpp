#include "shared/FileText.h"

#include "shared/Error.h"

#include <QFile>
#include <QLocale>

namespace ly {

uint32_t FileSizeOf(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(file, f.errorString()));
    return uint32_t(quint64(f.size()) & 0xFFFFFFFFu);
}

QString ByteCountText(const QString &file)
{
    return QString::number(FileSizeOf(file));
}

QString SizeTextOf(uint32_t bytes)
{
    const uint64_t k = bytes / 1024;
    if (k == 0)
        return QStringLiteral("1KB");
    if (k < 1024)
        return QString::number(k) + QStringLiteral("KB");
    return TenthsText(k, 1024) + QStringLiteral("MB");
}

QString DetailSizeText(uint32_t bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral("B");
    if (bytes < 1048576)
        return TenthsText(bytes, 1024) + QStringLiteral("KB");
    return TenthsText(bytes, 1048576) + QStringLiteral("MB");
}

QString TenthsText(uint64_t value, uint64_t unit)
{
    uint64_t tenths = value * 10 / unit;
    const uint64_t rest = value * 10 % unit;
    if (rest * 2 > unit || (rest * 2 == unit && tenths % 2 == 1))
        ++tenths;
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += QLocale::system().decimalPoint() + QString::number(tenths % 10);
    return text;
}

QString SizeText(const QString &file)
{
    return SizeTextOf(FileSizeOf(file));
}

QString SecondsToHms(int seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds % 3600 / 60)
        .arg(seconds % 60);
}

} // namespace ly
