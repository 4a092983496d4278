#pragma once

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QImage>
#include <QString>
#include <QStringList>

#include <ostream>

// Failures print Qt values readably.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << "QByteArray(" << b.size() << " bytes: \"" << b.left(200).toStdString()
        << (b.size() > 200 ? "...\")" : "\")");
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const QImage &img, std::ostream *os)
{
    *os << "QImage(" << img.width() << "x" << img.height() << ", format " << int(img.format())
        << ")";
}

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << "QPoint(" << p.x() << ", " << p.y() << ")";
}

inline void PrintTo(const QSize &s, std::ostream *os)
{
    *os << "QSize(" << s.width() << "x" << s.height() << ")";
}

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << "x" << r.height() << ")";
}

inline void PrintTo(const QColor &c, std::ostream *os)
{
    *os << "QColor(" << c.name(QColor::HexArgb).toStdString() << ")";
}
