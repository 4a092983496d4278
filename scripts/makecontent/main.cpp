// Draws the skin of the editor's windows and the sample material of the shipped libraries.
// Everything is generated from code with fixed seeds, so the output is the same on every run.
//
//   makecontent CONTENT_DIR

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <numbers>
#include <vector>

namespace {

QString g_root;

void save(const QImage &image, const QString &relative, int quality = -1)
{
    const QString path = g_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void saveBytes(const QByteArray &bytes, const QString &relative)
{
    const QString path = g_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QImage canvas(int w, int h, QColor fill = Qt::transparent)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// GIF with LZW compression (Qt reads GIF but does not write it). The picture is reduced to a
// 6 x 7 x 6 colour cube with error diffusion; pixels less than half opaque take the
// transparent index 252.
QByteArray gifFile(const QImage &source)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> table;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                table.append(qRgb(r * 51, g * 255 / 6, b * 51));
    const int transparent = int(table.size()); // 252
    QImage opaque(argb.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter p(&opaque);
        p.drawImage(0, 0, argb);
    }
    QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, table, Qt::DiffuseDither);
    while (table.size() < 256)
        table.append(qRgb(255, 255, 255));
    indexed.setColorTable(table);
    bool hasTransparency = false;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) < 128) {
                indexed.setPixel(x, y, uint(transparent));
                hasTransparency = true;
            }

    QByteArray out("GIF89a");
    const auto put16 = [&out](int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    put16(indexed.width());
    put16(indexed.height());
    out.append(char(0xF7)).append(char(0)).append(char(0)); // global table of 256 colours
    for (const QRgb c : table)
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    if (hasTransparency) {
        out.append(char(0x21)).append(char(0xF9)).append(char(4)).append(char(1));
        put16(0);
        out.append(char(transparent)).append(char(0));
    }
    out.append(char(0x2C));
    put16(0);
    put16(0);
    put16(indexed.width());
    put16(indexed.height());
    out.append(char(0));
    const int minCode = 8, clear = 256, end = 257;
    out.append(char(minCode));

    QByteArray data;
    quint32 acc = 0;
    int bits = 0, width = minCode + 1;
    const auto put = [&](int code) {
        acc |= quint32(code) << bits;
        bits += width;
        while (bits >= 8) {
            data.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    std::map<std::pair<int, int>, int> codes;
    int next = end + 1;
    put(clear);
    int prefix = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int k = line[x];
            if (prefix < 0) {
                prefix = k;
                continue;
            }
            const auto found = codes.find({prefix, k});
            if (found != codes.end()) {
                prefix = found->second;
                continue;
            }
            put(prefix);
            if (next < 4096) {
                codes[{prefix, k}] = next++;
                if (next > (1 << width) && width < 12)
                    ++width;
            } else {
                put(clear);
                codes.clear();
                next = end + 1;
                width = minCode + 1;
            }
            prefix = k;
        }
    }
    if (prefix >= 0)
        put(prefix);
    put(end);
    if (bits > 0)
        data.append(char(acc & 0xFF));
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const QByteArray block = data.mid(pos, 255);
        out.append(char(block.size())).append(block);
    }
    out.append(char(0)).append(char(0x3B));
    return out;
}

// ---- Skin ---------------------------------------------------------------------------------

const QColor kTitleTop(0x78, 0x5a, 0xb8);
const QColor kTitleMid(0x57, 0x3b, 0x9c);
const QColor kTitleBottom(0x3e, 0x28, 0x78);
const QColor kHighlight(0x9f, 0x88, 0xda);
const QColor kDark(0x24, 0x15, 0x4a);
const QColor kEdgeLight(0x70, 0x55, 0xb0);

void drawTitleBar()
{
    QImage image = canvas(64, 28);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, 28);
    g.setColorAt(0.0, kTitleTop);
    g.setColorAt(0.5, kTitleMid);
    g.setColorAt(1.0, kTitleBottom);
    p.fillRect(image.rect(), g);
    // A soft sheen over the upper half.
    QLinearGradient sheen(0, 0, 0, 14);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 46));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 8));
    p.fillRect(QRect(0, 1, 64, 13), sheen);
    p.fillRect(QRect(0, 0, 64, 1), kHighlight);
    p.fillRect(QRect(0, 27, 64, 1), kDark);
    p.end();
    save(image, QStringLiteral("Skin/TitleBar.png"));
}

void drawEdges()
{
    const QColor columns[4] = {kDark, kTitleMid, kEdgeLight, kTitleBottom};
    QImage left = canvas(4, 32), right = canvas(4, 32), bottom = canvas(32, 4);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 32; ++j) {
            left.setPixelColor(i, j, columns[i]);
            right.setPixelColor(3 - i, j, columns[i]);
            bottom.setPixelColor(j, 3 - i, columns[i]);
        }
    }
    save(left, QStringLiteral("Skin/EdgeLeft.png"));
    save(right, QStringLiteral("Skin/EdgeRight.png"));
    save(bottom, QStringLiteral("Skin/EdgeBottom.png"));
}

void drawClient()
{
    QImage image = canvas(64, 64, QColor(0xf5, 0xf2, 0xfa));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x57, 0x3b, 0x9c, 14), 1));
    // A faint diagonal lattice, drawn shifted by the tile size so it tiles without seams.
    for (int dx = -64; dx <= 64; dx += 64) {
        for (int x = 0; x < 64; x += 16) {
            p.drawLine(QPointF(x + dx, 0), QPointF(x + dx + 64, 64));
            p.drawLine(QPointF(x + dx + 64, 0), QPointF(x + dx, 64));
        }
    }
    p.end();
    save(image, QStringLiteral("Skin/Client.png"));
}

enum class Glyph { Min, Max, Norm, Exit, Help };
enum class ButtonState { Idle, Up, Down };

void drawTitleButton(Glyph glyph, ButtonState state, const QString &name)
{
    QImage image = canvas(18, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool exit = glyph == Glyph::Exit;
    QColor fill, border, ink(255, 255, 255, 230);
    switch (state) {
    case ButtonState::Idle:
        fill = QColor(255, 255, 255, 26);
        border = QColor(255, 255, 255, 80);
        ink.setAlpha(215);
        break;
    case ButtonState::Up:
        fill = exit ? QColor(0xe0, 0x48, 0x50, 240) : QColor(255, 255, 255, 70);
        border = exit ? QColor(0xff, 0xa8, 0xa8) : QColor(255, 255, 255, 170);
        ink.setAlpha(255);
        break;
    case ButtonState::Down:
        fill = exit ? QColor(0xa0, 0x22, 0x30, 245) : QColor(0, 0, 0, 70);
        border = QColor(255, 255, 255, 110);
        break;
    }
    QLinearGradient g(0, 0, 0, 16);
    g.setColorAt(0, fill.lighter(state == ButtonState::Down ? 100 : 125));
    g.setColorAt(1, fill);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 15), 3.5, 3.5);
    const QPointF o = state == ButtonState::Down ? QPointF(0.5, 0.5) : QPointF(0, 0);
    p.translate(o);
    QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Min:
        p.drawLine(QPointF(5.5, 11), QPointF(12.5, 11));
        break;
    case Glyph::Max:
        p.drawRect(QRectF(5, 4, 8, 8));
        p.drawLine(QPointF(5, 5), QPointF(13, 5));
        break;
    case Glyph::Norm:
        pen.setWidthF(1.3);
        p.setPen(pen);
        p.drawPolyline(QPolygonF({QPointF(7.5, 5), QPointF(7.5, 3.5), QPointF(13.5, 3.5),
                                  QPointF(13.5, 9.5), QPointF(12, 9.5)}));
        p.drawRect(QRectF(4.5, 6.5, 6.5, 6));
        break;
    case Glyph::Exit:
        p.drawLine(QPointF(5.5, 4.5), QPointF(12.5, 11.5));
        p.drawLine(QPointF(12.5, 4.5), QPointF(5.5, 11.5));
        break;
    case Glyph::Help: {
        QPainterPath mark;
        mark.moveTo(6.5, 6);
        mark.cubicTo(6.5, 3, 11.5, 3, 11.5, 6);
        mark.cubicTo(11.5, 8, 9, 8, 9, 10.2);
        p.drawPath(mark);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(9, 12.6), 1.0, 1.0);
        break;
    }
    }
    p.end();
    save(image, QStringLiteral("Skin/") + name + QStringLiteral(".png"));
}

void drawTitleButtons()
{
    const struct { Glyph glyph; const char *name; } glyphs[] = {
        {Glyph::Min, "BtnMin"}, {Glyph::Max, "BtnMax"}, {Glyph::Norm, "BtnNorm"},
        {Glyph::Exit, "BtnExit"}, {Glyph::Help, "BtnHelp"}};
    const struct { ButtonState state; const char *suffix; } states[] = {
        {ButtonState::Idle, "Idle"}, {ButtonState::Up, "Up"}, {ButtonState::Down, "Down"}};
    for (const auto &g : glyphs)
        for (const auto &s : states)
            drawTitleButton(g.glyph, s.state, QLatin1String(g.name) + QLatin1String(s.suffix));
}

// The product's sign: a golden bell with a small note, on any size.
QImage bellIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    QPainterPath bell;
    bell.moveTo(12, 3);
    bell.cubicTo(16.5, 3, 17.5, 7, 17.5, 11);
    bell.cubicTo(17.5, 14, 18.5, 16, 20.5, 17.5);
    bell.lineTo(20.5, 18.5);
    bell.lineTo(3.5, 18.5);
    bell.lineTo(3.5, 17.5);
    bell.cubicTo(5.5, 16, 6.5, 14, 6.5, 11);
    bell.cubicTo(6.5, 7, 7.5, 3, 12, 3);
    QLinearGradient gold(4, 0, 20, 0);
    gold.setColorAt(0.0, QColor(0xc9, 0x8a, 0x12));
    gold.setColorAt(0.35, QColor(0xff, 0xe0, 0x7a));
    gold.setColorAt(1.0, QColor(0xb0, 0x74, 0x0c));
    p.setPen(QPen(QColor(0x6b, 0x40, 0x05), 0.8));
    p.setBrush(gold);
    p.drawPath(bell);
    p.setBrush(QColor(0x8a, 0x55, 0x08));
    p.drawEllipse(QPointF(12, 20.2), 2.0, 2.0);
    p.drawEllipse(QPointF(12, 2.6), 1.2, 1.2);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 7), QPointF(8.5, 12));
    p.end();
    return image;
}

void drawIcons()
{
    save(bellIcon(24), QStringLiteral("Skin/Icon.png"));
    save(bellIcon(48), QStringLiteral("Skin/Icon48.png"));

    for (bool open : {false, true}) {
        QImage image = canvas(16, 16);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 0.8));
        p.setBrush(QColor(0xe8, 0xb0, 0x30));
        QPainterPath back;
        back.moveTo(1.5, 3);
        back.lineTo(6, 3);
        back.lineTo(7.5, 4.5);
        back.lineTo(14.5, 4.5);
        back.lineTo(14.5, 13.5);
        back.lineTo(1.5, 13.5);
        back.closeSubpath();
        p.drawPath(back);
        QLinearGradient g(0, 6, 0, 14);
        g.setColorAt(0, QColor(0xff, 0xe0, 0x80));
        g.setColorAt(1, QColor(0xf0, 0xbc, 0x40));
        p.setBrush(g);
        if (open)
            p.drawPolygon(QPolygonF({QPointF(3.5, 7), QPointF(15.5, 7), QPointF(13.5, 13.5),
                                     QPointF(1.5, 13.5)}));
        else
            p.drawRect(QRectF(1.5, 6, 13, 7.5));
        p.end();
        save(image, open ? QStringLiteral("Skin/FolderOpen.png")
                         : QStringLiteral("Skin/FolderClosed.png"));
    }
}

// ---- Sample pictures ----------------------------------------------------------------------

void skyGradient(QPainter &p, const QRect &r, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(0, r.top(), 0, r.bottom());
    for (const auto &[at, color] : stops)
        g.setColorAt(at, color);
    p.fillRect(r, g);
}

void hill(QPainter &p, double baseY, double amplitude, double phase, double waves, QColor color,
          int w, int h)
{
    QPainterPath path;
    path.moveTo(0, h);
    for (int x = 0; x <= w; x += 4)
        path.lineTo(x, baseY - amplitude * std::sin(phase + waves * x / w * std::numbers::pi));
    path.lineTo(w, h);
    path.closeSubpath();
    p.fillPath(path, color);
}

QPainterPath heartPath(QPointF c, double s)
{
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s * 0.35);
    path.cubicTo(c.x() - s * 1.1, c.y() - s * 0.35, c.x() - s * 0.45, c.y() - s * 1.0, c.x(),
                 c.y() - s * 0.45);
    path.cubicTo(c.x() + s * 0.45, c.y() - s * 1.0, c.x() + s * 1.1, c.y() - s * 0.35, c.x(),
                 c.y() + s * 0.35);
    return path;
}

QPainterPath starPath(QPointF c, double outer, double inner, int points, double turn = 0)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn - std::numbers::pi / 2 + i * std::numbers::pi / points;
        const double r = i % 2 ? inner : outer;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void drawScenery()
{
    const int w = 640, h = 480;
    {
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        skyGradient(p, image.rect(), {{0.0, QColor(0x2c, 0x1e, 0x5c)}, {0.45, QColor(0xd8, 0x5a, 0x6a)},
                                       {0.7, QColor(0xff, 0xb3, 0x5c)}});
        QRadialGradient sun(QPointF(420, 300), 70);
        sun.setColorAt(0, QColor(0xff, 0xf4, 0xc0));
        sun.setColorAt(0.6, QColor(0xff, 0xd0, 0x70));
        sun.setColorAt(1, QColor(0xff, 0xb0, 0x50, 0));
        p.fillRect(image.rect(), sun);
        hill(p, 340, 30, 0.3, 2.2, QColor(0x7a, 0x3a, 0x6a), w, h);
        hill(p, 380, 26, 1.4, 3.1, QColor(0x52, 0x24, 0x52), w, h);
        hill(p, 425, 20, 2.0, 1.7, QColor(0x2e, 0x14, 0x36), w, h);
        p.end();
        save(image, QStringLiteral("Picture/Scenery/Sunset.jpg"), 85);
    }
    {
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        skyGradient(p, image.rect(), {{0.0, QColor(0x05, 0x08, 0x20)}, {1.0, QColor(0x1c, 0x2c, 0x60)}});
        QRandomGenerator rng(20240611);
        for (int i = 0; i < 160; ++i) {
            const QPointF c(rng.bounded(w), rng.bounded(360));
            const double r = 0.4 + rng.bounded(1.4);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 240, 120 + rng.bounded(135)));
            p.drawEllipse(c, r, r);
        }
        p.setBrush(QColor(0xff, 0xf6, 0xd0));
        p.drawEllipse(QPointF(500, 110), 46, 46);
        p.setBrush(QColor(0x0a, 0x10, 0x2c));
        p.drawEllipse(QPointF(522, 96), 42, 42);
        hill(p, 420, 18, 0.8, 2.5, QColor(0x0b, 0x12, 0x22), w, h);
        p.end();
        save(image, QStringLiteral("Picture/Scenery/Night Sky.jpg"), 85);
    }
    {
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        skyGradient(p, image.rect(), {{0.0, QColor(0x58, 0x9c, 0xe0)}, {0.6, QColor(0xc8, 0xe6, 0xff)}});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 220));
        for (const QPointF c : {QPointF(140, 90), QPointF(175, 80), QPointF(205, 95), QPointF(430, 60), QPointF(462, 52)})
            p.drawEllipse(c, 34, 20);
        hill(p, 330, 24, 0.5, 2.0, QColor(0x8c, 0xc8, 0x5a), w, h);
        hill(p, 390, 20, 2.2, 2.6, QColor(0x5c, 0xa8, 0x44), w, h);
        QRandomGenerator rng(7);
        const QColor petals[] = {QColor(0xff, 0x6f, 0x91), QColor(0xff, 0xe1, 0x4d), QColor(0xff, 0xff, 0xff),
                                 QColor(0xb3, 0x7c, 0xff)};
        for (int i = 0; i < 90; ++i) {
            const QPointF c(rng.bounded(w), 400 + rng.bounded(80));
            p.setBrush(petals[i % 4]);
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2 * std::numbers::pi / 5;
                p.drawEllipse(c + QPointF(4 * std::cos(a), 4 * std::sin(a)), 3.2, 3.2);
            }
            p.setBrush(QColor(0xff, 0xc2, 0x20));
            p.drawEllipse(c, 2.4, 2.4);
        }
        p.end();
        save(image, QStringLiteral("Picture/Scenery/Meadow.jpg"), 85);
    }
    {
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient bg(QPointF(320, 240), 420);
        bg.setColorAt(0, QColor(0xff, 0xe4, 0xee));
        bg.setColorAt(1, QColor(0xf0, 0x7a, 0xa6));
        p.fillRect(image.rect(), bg);
        QRandomGenerator rng(14);
        for (int i = 0; i < 40; ++i) {
            const QPointF c(rng.bounded(w), rng.bounded(h));
            const double s = 10 + rng.bounded(28);
            p.fillPath(heartPath(c, s), QColor(0xd6, 0x1e, 0x5a, 60 + rng.bounded(140)));
        }
        p.fillPath(heartPath(QPointF(320, 260), 150), QColor(0xe0, 0x20, 0x50));
        p.fillPath(heartPath(QPointF(300, 230), 40), QColor(255, 255, 255, 60));
        p.end();
        save(image, QStringLiteral("Picture/Celebration/Hearts.jpg"), 85);
    }
    {
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        skyGradient(p, image.rect(), {{0.0, QColor(0x7e, 0xc8, 0xf4)}, {1.0, QColor(0xe6, 0xf6, 0xff)}});
        const struct { QPointF c; QColor color; } balloons[] = {
            {{180, 170}, QColor(0xe8, 0x3a, 0x4a)}, {{270, 130}, QColor(0xf5, 0xb8, 0x20)},
            {{360, 180}, QColor(0x3a, 0x8e, 0xe8)}, {{450, 140}, QColor(0x4c, 0xb8, 0x5a)},
            {{320, 90}, QColor(0xb0, 0x5c, 0xe0)}};
        for (const auto &b : balloons) {
            p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.2));
            QPainterPath string;
            string.moveTo(b.c + QPointF(0, 58));
            string.cubicTo(b.c + QPointF(-14, 110), b.c + QPointF(14, 160), QPointF(320, 420));
            p.setBrush(Qt::NoBrush);
            p.drawPath(string);
            QRadialGradient g(b.c + QPointF(-14, -18), 70);
            g.setColorAt(0, b.color.lighter(160));
            g.setColorAt(0.4, b.color);
            g.setColorAt(1, b.color.darker(150));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(b.c, 44, 56);
        }
        p.end();
        save(image, QStringLiteral("Picture/Celebration/Balloons.jpg"), 85);
    }
}

// Tileable fill pictures (the pattern repeats at the tile's edges).
void drawFills()
{
    {
        QImage image = canvas(64, 64, QColor(0xfb, 0xf3, 0xe4));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xc8, 0xa0, 0x6a), 2));
        for (int d = -64; d <= 64; d += 64) {
            p.drawLine(QPointF(d, 0), QPointF(d + 64, 64));
            p.drawLine(QPointF(d + 64, 0), QPointF(d, 64));
            p.drawLine(QPointF(d + 32, 0), QPointF(d + 96, 64));
            p.drawLine(QPointF(d + 32, 0), QPointF(d - 32, 64));
        }
        p.end();
        save(image, QStringLiteral("blk/Fill/Lattice.bmp"));
    }
    {
        QImage image = canvas(48, 48, QColor(0xe8, 0xf1, 0xfb));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8c, 0xb4, 0xe6));
        for (const QPointF c : {QPointF(12, 12), QPointF(36, 36)})
            p.drawEllipse(c, 6, 6);
        p.setBrush(QColor(0xc4, 0xd8, 0xf2));
        for (const QPointF c : {QPointF(36, 12), QPointF(12, 36)})
            p.drawEllipse(c, 3, 3);
        p.end();
        saveBytes(gifFile(image), QStringLiteral("blk/Fill/Dots.gif"));
    }
    {
        QImage image = canvas(40, 40);
        QPainter p(&image);
        const QColor stripes[] = {QColor(0xff, 0xe9, 0xf0), QColor(0xfb, 0xd0, 0xdf)};
        for (int x = 0; x < 40; x += 10)
            p.fillRect(QRect(x, 0, 10, 40), stripes[(x / 10) % 2]);
        p.end();
        save(image, QStringLiteral("blk/Fill/Stripes.jpg"), 90);
    }
    {
        QImage image = canvas(56, 56, QColor(0xfd, 0xee, 0xf3));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(heartPath(QPointF(14, 16), 9), QColor(0xee, 0x7a, 0x9e));
        p.fillPath(heartPath(QPointF(42, 44), 9), QColor(0xf4, 0xa8, 0xc0));
        p.end();
        saveBytes(gifFile(image), QStringLiteral("blk/Fill/Little Hearts.gif"));
    }
}

void drawIconSamples()
{
    const auto icon = [](const std::function<void(QPainter &)> &draw, const QString &name) {
        QImage image = canvas(32, 32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        save(image, QStringLiteral("blk/Icons/") + name);
    };
    icon([](QPainter &p) { p.drawImage(QRect(0, 0, 32, 32), bellIcon(64)); }, QStringLiteral("Bell.ico"));
    icon([](QPainter &p) {
        QRadialGradient g(QPointF(12, 10), 20);
        g.setColorAt(0, QColor(0xff, 0x8a, 0xa8));
        g.setColorAt(1, QColor(0xc8, 0x10, 0x40));
        p.fillPath(heartPath(QPointF(16, 19), 15), g);
    }, QStringLiteral("Heart.ico"));
    icon([](QPainter &p) {
        QRadialGradient g(QPointF(16, 14), 16);
        g.setColorAt(0, QColor(0xff, 0xf6, 0xb0));
        g.setColorAt(1, QColor(0xf0, 0xa8, 0x10));
        p.setPen(QPen(QColor(0xa0, 0x68, 0x00), 1));
        p.setBrush(g);
        p.drawPath(starPath(QPointF(16, 17), 15, 6.5, 5));
    }, QStringLiteral("Star.ico"));
    icon([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x57, 0x3b, 0x9c));
        p.drawEllipse(QPointF(10, 24), 5.5, 4.2);
        p.drawEllipse(QPointF(24, 21), 5.5, 4.2);
        p.drawRect(QRectF(14, 6, 2.2, 18));
        p.drawRect(QRectF(28, 3, 2.2, 18));
        p.drawPolygon(QPolygonF({QPointF(14, 6), QPointF(30.2, 3), QPointF(30.2, 8), QPointF(14, 11)}));
    }, QStringLiteral("Note.ico"));
}

// Window pictures for frame cards: a decorated border around a clear middle.
void drawFrames()
{
    {
        QImage image = canvas(320, 240, QColor(0xff, 0xfb, 0xf2));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xc0, 0x20, 0x40), 10));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(8, 8, 304, 224), 14, 14);
        p.setPen(QPen(QColor(0xf0, 0xc0, 0x50), 2));
        p.drawRoundedRect(QRectF(17, 17, 286, 206), 9, 9);
        // A bow at the top.
        p.setPen(QPen(QColor(0x90, 0x10, 0x28), 1.2));
        p.setBrush(QColor(0xd8, 0x28, 0x48));
        QPainterPath bow;
        bow.moveTo(160, 14);
        bow.cubicTo(130, -6, 118, 34, 160, 14);
        bow.moveTo(160, 14);
        bow.cubicTo(190, -6, 202, 34, 160, 14);
        p.drawPath(bow);
        p.drawEllipse(QPointF(160, 14), 5, 5);
        p.end();
        save(image, QStringLiteral("blk/Frames/Ribbon.bmp"));
    }
    {
        QImage image = canvas(320, 240, QColor(0xf4, 0xfa, 0xf0));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x3c, 0x8a, 0x40), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(12, 12, 296, 216));
        QRandomGenerator rng(99);
        const QColor colors[] = {QColor(0xff, 0x6f, 0x91), QColor(0xff, 0xd1, 0x3d), QColor(0x9b, 0x6c, 0xff)};
        const auto leafAt = [&](QPointF c, int i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x4c, 0xa0, 0x4c));
            p.drawEllipse(c + QPointF(-5, 3), 5, 3);
            p.setBrush(colors[i % 3]);
            p.drawEllipse(c, 4.5, 4.5);
            p.setBrush(QColor(255, 255, 255, 180));
            p.drawEllipse(c + QPointF(-1.2, -1.2), 1.4, 1.4);
        };
        int i = 0;
        for (int x = 18; x <= 302; x += 18) {
            leafAt(QPointF(x, 12 + rng.bounded(3)), i++);
            leafAt(QPointF(x, 228 - rng.bounded(3)), i++);
        }
        for (int y = 30; y <= 210; y += 18) {
            leafAt(QPointF(12 + rng.bounded(3), y), i++);
            leafAt(QPointF(308 - rng.bounded(3), y), i++);
        }
        p.end();
        save(image, QStringLiteral("blk/Frames/Garland.jpg"), 90);
    }
}

void drawPictureSamples()
{
    {
        QImage image = canvas(160, 160);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x3a, 0x7a, 0x30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(80, 90), QPointF(84, 156));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4c, 0x9a, 0x3c));
        p.drawEllipse(QPointF(100, 122), 14, 7);
        p.drawEllipse(QPointF(66, 134), 13, 6);
        for (int ring = 0; ring < 4; ++ring) {
            const double r = 46 - ring * 10;
            QRadialGradient g(QPointF(80, 62), r);
            g.setColorAt(0, QColor(0xf0, 0x3a, 0x5c).lighter(100 + ring * 12));
            g.setColorAt(1, QColor(0xa8, 0x10, 0x30).lighter(100 + ring * 12));
            p.setBrush(g);
            p.setPen(QPen(QColor(0x80, 0x08, 0x20), 1));
            for (int k = 0; k < 5; ++k) {
                const double a = k * 2 * std::numbers::pi / 5 + ring * 0.6;
                p.drawEllipse(QPointF(80, 62) + QPointF(r * 0.45 * std::cos(a), r * 0.45 * std::sin(a)),
                              r * 0.55, r * 0.5);
            }
        }
        p.end();
        saveBytes(gifFile(image), QStringLiteral("blk/Pictures/Rose.gif"));
    }
    {
        QImage image = canvas(160, 160);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient box(20, 0, 140, 0);
        box.setColorAt(0, QColor(0x2f, 0x7d, 0xd6));
        box.setColorAt(1, QColor(0x1c, 0x55, 0xa6));
        p.setPen(Qt::NoPen);
        p.setBrush(box);
        p.drawRoundedRect(QRectF(26, 66, 108, 84), 6, 6);
        p.setBrush(QColor(0x3c, 0x8c, 0xe6));
        p.drawRoundedRect(QRectF(18, 50, 124, 24), 5, 5);
        p.setBrush(QColor(0xf5, 0xc8, 0x30));
        p.drawRect(QRectF(72, 50, 16, 100));
        QPainterPath bow;
        bow.moveTo(80, 50);
        bow.cubicTo(40, 14, 34, 62, 80, 50);
        bow.moveTo(80, 50);
        bow.cubicTo(120, 14, 126, 62, 80, 50);
        p.setPen(QPen(QColor(0xb0, 0x84, 0x00), 1.5));
        p.drawPath(bow);
        p.end();
        saveBytes(gifFile(image), QStringLiteral("blk/Pictures/Gift.gif"));
    }
}

// ---- Picture frames of the album ----------------------------------------------------------

// A frame set: eight JPEG pieces in BoxPicture/PicBoxFull/<name>/. The edge strips are tiled
// along the album window, so every pattern repeats after kFrameTile pixels; the corners are
// as large as the strips are thick and join them at a mitre.
constexpr int kFrameTile = 48;

enum FrameSide { SideTop, SideLeft, SideRight, SideBottom };

struct FrameStyle
{
    QString name;
    int thickness;
    // The colour at t across the strip (0 the outer edge, 1 the inner) and s along it.
    std::function<QColor(double t, double s, FrameSide side)> profile;
    // Ornaments over a strip (upright, along its long side) and over a corner.
    std::function<void(QPainter &, QSizeF strip, bool horizontal)> strip;
    std::function<void(QPainter &, double size)> corner;
};

QColor mixColor(QColor a, QColor b, double f)
{
    f = std::clamp(f, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * f),
                            float(a.greenF() + (b.greenF() - a.greenF()) * f),
                            float(a.blueF() + (b.blueF() - a.blueF()) * f));
}

QColor shade(QColor c, double f)
{
    return QColor::fromRgbF(float(std::clamp(c.redF() * f, 0.0, 1.0)),
                            float(std::clamp(c.greenF() * f, 0.0, 1.0)),
                            float(std::clamp(c.blueF() * f, 0.0, 1.0)));
}

// Light falls from the top left: the top and left strips are a little brighter.
double sideLight(FrameSide side)
{
    return side == SideTop ? 1.08 : side == SideLeft ? 1.0 : side == SideRight ? 0.86 : 0.8;
}

QImage framePiece(const FrameStyle &style, int w, int h, FrameSide side)
{
    QImage image(w, h, QImage::Format_RGB32);
    const int T = style.thickness;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = 0, s = 0;
            switch (side) {
            case SideTop: t = y; s = x; break;
            case SideBottom: t = T - 1 - y; s = x; break;
            case SideLeft: t = x; s = y; break;
            case SideRight: t = T - 1 - x; s = y; break;
            }
            image.setPixelColor(x, y, style.profile((t + 0.5) / T, s, side));
        }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (style.strip)
        style.strip(p, QSizeF(w, h), side == SideTop || side == SideBottom);
    return image;
}

// A corner: the two strips that meet there, joined along the diagonal.
QImage frameCorner(const FrameStyle &style, bool right, bool bottom)
{
    const int T = style.thickness;
    QImage image(T, T, QImage::Format_RGB32);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const int across = bottom ? T - 1 - y : y; // distance from the horizontal edge
            const int side = right ? T - 1 - x : x;    // distance from the vertical edge
            const bool horizontal = across <= side;
            const FrameSide s = horizontal ? (bottom ? SideBottom : SideTop)
                                           : (right ? SideRight : SideLeft);
            const double t = horizontal ? across : side;
            image.setPixelColor(x, y, style.profile((t + 0.5) / T, horizontal ? x : y, s));
        }
    if (style.corner) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        style.corner(p, T);
    }
    return image;
}

std::vector<FrameStyle> frameStyles()
{
    const double pi = std::numbers::pi;
    std::vector<FrameStyle> styles;

    // Gilded moulding with a row of beads.
    const QColor gold(214, 172, 64), goldDark(110, 74, 18), goldLight(255, 236, 160);
    styles.push_back({QStringLiteral("GoldLeaf"), 26,
        [=](double t, double s, FrameSide side) {
            QColor c;
            if (t < 0.1)
                c = goldDark;
            else if (t < 0.5)
                c = mixColor(gold, goldLight, std::sin(pi * (t - 0.1) / 0.4));
            else if (t < 0.82) {
                const double bead = 0.5 + 0.5 * std::cos(2 * pi * s / 8.0);
                const double round = std::sin(pi * (t - 0.5) / 0.32);
                c = mixColor(goldDark, goldLight, 0.25 + 0.75 * bead * round);
            } else
                c = mixColor(gold, goldDark, (t - 0.82) / 0.18);
            return shade(c, sideLight(side));
        },
        nullptr,
        [=](QPainter &p, double size) {
            const QPointF c(size / 2, size / 2);
            QRadialGradient g(c, size * 0.36);
            g.setColorAt(0, goldLight);
            g.setColorAt(0.6, gold);
            g.setColorAt(1, goldDark);
            p.setPen(QPen(goldDark, 1));
            p.setBrush(g);
            for (int i = 0; i < 4; ++i) {
                p.save();
                p.translate(c);
                p.rotate(45 + 90 * i);
                p.drawEllipse(QRectF(-size * 0.09, -size * 0.36, size * 0.18, size * 0.3));
                p.restore();
            }
            p.drawEllipse(c, size * 0.14, size * 0.14);
        }});

    // Polished walnut with a thin gilt lip on the inside.
    const QColor wood(96, 58, 30), woodDark(58, 32, 16), woodLight(150, 98, 56);
    styles.push_back({QStringLiteral("Walnut"), 22,
        [=](double t, double s, FrameSide side) {
            if (t > 0.84 && t < 0.93)
                return shade(QColor(222, 184, 96), sideLight(side));
            const double grain = std::sin(2 * pi * (2 * s / kFrameTile) + 9 * t
                                          + 1.8 * std::sin(2 * pi * s / kFrameTile + 3 * t));
            QColor c = mixColor(woodDark, woodLight, 0.45 + 0.3 * grain);
            c = mixColor(c, wood, 0.3);
            const double round = 0.75 + 0.35 * std::sin(pi * std::min(t / 0.84, 1.0));
            return shade(c, round * sideLight(side));
        },
        nullptr, nullptr});

    // Brushed silver with a groove in the middle.
    const QColor silver(196, 200, 208);
    styles.push_back({QStringLiteral("Silver"), 18,
        [=](double t, double s, FrameSide side) {
            if (std::abs(t - 0.5) < 0.06)
                return shade(QColor(96, 100, 110), sideLight(side));
            const double sheen = 0.78 + 0.3 * std::cos(pi * (2 * t - 0.55));
            const double brush = 0.02 * std::sin(2 * pi * 5 * s / kFrameTile + 40 * t);
            return shade(silver, (sheen + brush) * sideLight(side));
        },
        nullptr,
        [=](QPainter &p, double size) {
            const QPointF c(size / 2, size / 2);
            QRadialGradient g(c - QPointF(1.5, 1.5), size * 0.3);
            g.setColorAt(0, Qt::white);
            g.setColorAt(1, QColor(110, 116, 128));
            p.setPen(QPen(QColor(80, 84, 94), 1));
            p.setBrush(g);
            p.drawEllipse(c, size * 0.22, size * 0.22);
        }});

    // A pink ribbon with small hearts.
    const QColor rose(200, 56, 104), blush(250, 200, 218);
    styles.push_back({QStringLiteral("Hearts"), 24,
        [=](double t, double, FrameSide side) {
            if (t < 0.1 || t > 0.9)
                return shade(rose, sideLight(side));
            if (t < 0.16 || t > 0.84)
                return QColor(Qt::white);
            return shade(mixColor(blush, QColor(255, 228, 236), std::sin(pi * t)), 0.96 + 0.04 * sideLight(side));
        },
        [=](QPainter &p, QSizeF piece, bool horizontal) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(226, 64, 110));
            const double across = horizontal ? piece.height() : piece.width();
            for (double a = kFrameTile / 4.0; a < kFrameTile; a += kFrameTile / 2.0) {
                const QPointF c = horizontal ? QPointF(a, across / 2 + 1) : QPointF(across / 2, a + 1);
                p.drawPath(heartPath(c, across * 0.3));
            }
        },
        [=](QPainter &p, double size) {
            p.setPen(QPen(Qt::white, 1));
            p.setBrush(rose);
            p.drawPath(heartPath(QPointF(size / 2, size / 2 + 2), size * 0.42));
        }});

    // Night blue with golden stars.
    const QColor night(22, 30, 84), nightLight(54, 70, 150), star(255, 214, 90);
    styles.push_back({QStringLiteral("Starry"), 22,
        [=](double t, double, FrameSide side) {
            if (t < 0.08 || t > 0.92)
                return shade(star, 0.85 * sideLight(side));
            return shade(mixColor(night, nightLight, std::sin(pi * t) * 0.8), sideLight(side));
        },
        [=](QPainter &p, QSizeF piece, bool horizontal) {
            p.setPen(Qt::NoPen);
            p.setBrush(star);
            const double h = horizontal ? piece.height() : piece.width();
            for (int i = 0; i < 4; ++i) {
                const double along = kFrameTile / 8.0 + i * kFrameTile / 4.0;
                const double off = h / 2 + (i % 2 ? h * 0.14 : -h * 0.14);
                const double r = i % 2 ? h * 0.16 : h * 0.22;
                const QPointF c = horizontal ? QPointF(along, off) : QPointF(off, along);
                p.drawPath(starPath(c, r, r * 0.42, 5));
            }
        },
        [=](QPainter &p, double size) {
            p.setPen(QPen(QColor(150, 110, 20), 0.8));
            p.setBrush(star);
            p.drawPath(starPath(QPointF(size / 2, size / 2), size * 0.42, size * 0.18, 5));
        }});
    return styles;
}

void drawAlbumFrames()
{
    for (const FrameStyle &style : frameStyles()) {
        const QString folder = QStringLiteral("BoxPicture/PicBoxFull/") + style.name + QLatin1Char('/');
        const int T = style.thickness;
        save(framePiece(style, kFrameTile, T, SideTop), folder + "Top.jpg", 92);
        save(framePiece(style, kFrameTile, T, SideBottom), folder + "Bottom.jpg", 92);
        save(framePiece(style, T, kFrameTile, SideLeft), folder + "Left.jpg", 92);
        save(framePiece(style, T, kFrameTile, SideRight), folder + "Right.jpg", 92);
        save(frameCorner(style, false, false), folder + "TopLeft.jpg", 92);
        save(frameCorner(style, true, false), folder + "TopRight.jpg", 92);
        save(frameCorner(style, false, true), folder + "BtmLeft.jpg", 92);
        save(frameCorner(style, true, true), folder + "BtmRight.jpg", 92);
    }
}

// ---- Sample tunes -------------------------------------------------------------------------

constexpr int kRate = 11025;

double noteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A PCM wave file, 16-bit mono.
QByteArray waveFile(const std::vector<double> &samples)
{
    QByteArray data;
    for (double s : samples) {
        const int v = int(std::lround(std::clamp(s, -1.0, 1.0) * 32000));
        data.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
    }
    const auto u32 = [](quint32 v) {
        const char b[] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char(v >> 24)};
        return QByteArray(b, 4);
    };
    const auto u16 = [](quint16 v) {
        const char b[] = {char(v & 0xff), char(v >> 8)};
        return QByteArray(b, 2);
    };
    QByteArray out = "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1)
                     + u32(kRate) + u32(kRate * 2) + u16(2) + u16(16) + "data" + u32(data.size());
    return out + data;
}

struct Note { int midi; double start; double length; };

// Bell tones: a few inharmonic partials dying away at different speeds.
void addBell(std::vector<double> &out, const Note &n, double gain)
{
    const double f = noteFrequency(n.midi);
    const struct { double ratio, amp, decay; } partials[] = {
        {1.0, 1.0, 2.2}, {2.0, 0.45, 3.5}, {2.76, 0.3, 5.0}, {5.4, 0.12, 8.0}};
    const int first = int(n.start * kRate), count = int((n.length + 1.2) * kRate);
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t * 300);
        double v = 0;
        for (const auto &p : partials)
            v += p.amp * std::exp(-p.decay * t) * std::sin(2 * std::numbers::pi * f * p.ratio * t);
        out[first + i] += gain * attack * v;
    }
}

// Plucked-string tones (Karplus-Strong) with a fixed noise seed.
void addPluck(std::vector<double> &out, const Note &n, double gain, quint32 seed)
{
    QRandomGenerator rng(seed);
    const int period = int(kRate / noteFrequency(n.midi));
    std::vector<double> line(period);
    for (double &v : line)
        v = rng.generateDouble() * 2 - 1;
    const int first = int(n.start * kRate), count = int((n.length + 0.6) * kRate);
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const int k = i % period;
        const double v = line[k];
        line[k] = 0.497 * (v + line[(k + 1) % period]);
        const double release = i > n.length * kRate ? std::exp(-(i - n.length * kRate) / (0.1 * kRate)) : 1.0;
        out[first + i] += gain * v * release;
    }
}

void normalise(std::vector<double> &samples)
{
    double peak = 0;
    for (double s : samples)
        peak = std::max(peak, std::abs(s));
    if (peak > 0)
        for (double &s : samples)
            s = s / peak * 0.85;
}

void drawTunes()
{
    {
        // A morning chime in C major pentatonic.
        const int melody[] = {72, 76, 79, 84, 81, 79, 76, 79, 72, 74, 76, 79, 76, 72};
        std::vector<double> out(int(5.2 * kRate));
        double t = 0;
        for (size_t i = 0; i < std::size(melody); ++i) {
            const double len = (i == 3 || i == 7 || i == 13) ? 0.52 : 0.26;
            addBell(out, {melody[i], t, len}, 0.5);
            t += len;
        }
        addBell(out, {48, 0.0, 2.0}, 0.35);
        addBell(out, {55, 2.08, 2.0}, 0.3);
        normalise(out);
        saveBytes(waveFile(out), QStringLiteral("Music/Tunes/Morning Bells.wav"));
    }
    {
        // A little waltz: a bass note and two chords a bar, the tune above.
        const int bass[] = {48, 53, 55, 48};
        const int chords[][3] = {{64, 67, 72}, {65, 69, 72}, {62, 67, 71}, {64, 67, 72}};
        const int tune[] = {76, 79, 84, 81, 77, 81, 79, 74, 77, 76, 72, 72};
        const double beat = 0.4;
        std::vector<double> out(int(5.6 * kRate));
        quint32 seed = 1;
        for (int bar = 0; bar < 4; ++bar) {
            const double b0 = bar * 3 * beat;
            addPluck(out, {bass[bar], b0, beat * 0.9}, 0.6, seed++);
            for (int beatNo = 1; beatNo < 3; ++beatNo)
                for (int c : chords[bar])
                    addPluck(out, {c, b0 + beatNo * beat, beat * 0.6}, 0.22, seed++);
            for (int k = 0; k < 3; ++k)
                addPluck(out, {tune[bar * 3 + k], b0 + k * beat, beat * 0.95}, 0.5, seed++);
        }
        normalise(out);
        saveBytes(waveFile(out), QStringLiteral("Music/Tunes/Little Waltz.wav"));
    }
}

// ---- Sample Flash animations --------------------------------------------------------------

// Writes the bit fields of SWF records, most significant bit first.
class BitWriter
{
public:
    void bits(quint32 value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_acc = quint8((m_acc << 1) | ((value >> i) & 1));
            if (++m_used == 8)
                flush();
        }
    }
    void sbits(qint32 value, int count) { bits(quint32(value) & ((1u << count) - 1), count); }
    void align()
    {
        if (m_used)
            bits(0, 8 - m_used);
    }
    void u8(quint8 v) { align(); m_out.append(char(v)); }
    void u16(quint16 v) { u8(v & 0xff); u8(v >> 8); }
    QByteArray take() { align(); return std::exchange(m_out, QByteArray()); }

private:
    void flush() { m_out.append(char(m_acc)); m_acc = 0; m_used = 0; }
    QByteArray m_out;
    quint8 m_acc = 0;
    int m_used = 0;
};

int bitsFor(qint32 v)
{
    int n = 1;
    while (v < -(1 << (n - 1)) || v >= (1 << (n - 1)))
        ++n;
    return n;
}

int bitsFor(std::initializer_list<qint32> values)
{
    int n = 1;
    for (qint32 v : values)
        n = std::max(n, bitsFor(v));
    return n;
}

void rect(BitWriter &w, qint32 xmin, qint32 xmax, qint32 ymin, qint32 ymax)
{
    const int n = bitsFor({xmin, xmax, ymin, ymax});
    w.bits(n, 5);
    for (qint32 v : {xmin, xmax, ymin, ymax})
        w.sbits(v, n);
    w.align();
}

QByteArray tag(int code, const QByteArray &body)
{
    BitWriter w;
    if (body.size() < 63) {
        w.u16(quint16(code << 6 | body.size()));
    } else {
        w.u16(quint16(code << 6 | 63));
        w.u16(quint16(body.size() & 0xffff));
        w.u16(quint16(body.size() >> 16));
    }
    return w.take() + body;
}

// A filled closed outline in twips: straight edges between the given points.
QByteArray defineShape(int id, const std::vector<QPoint> &points, QColor fill)
{
    qint32 xmin = points[0].x(), xmax = xmin, ymin = points[0].y(), ymax = ymin;
    for (const QPoint &pt : points) {
        xmin = std::min(xmin, pt.x()); xmax = std::max(xmax, pt.x());
        ymin = std::min(ymin, pt.y()); ymax = std::max(ymax, pt.y());
    }
    BitWriter w;
    w.u16(quint16(id));
    rect(w, xmin, xmax, ymin, ymax);
    w.u8(1);         // one fill style
    w.u8(0x00);      // solid
    w.u8(quint8(fill.red())); w.u8(quint8(fill.green())); w.u8(quint8(fill.blue()));
    w.u8(0);         // no line styles
    w.bits(1, 4);    // fill index bits
    w.bits(0, 4);    // line index bits
    // Style change: move to the first point, fill style 1.
    w.bits(0, 1);
    w.bits(0b00101, 5); // StateFillStyle1, StateMoveTo
    const int mb = bitsFor({points[0].x(), points[0].y()});
    w.bits(mb, 5);
    w.sbits(points[0].x(), mb);
    w.sbits(points[0].y(), mb);
    w.bits(1, 1);
    for (size_t i = 1; i <= points.size(); ++i) {
        const QPoint d = points[i % points.size()] - points[i - 1];
        const int nb = std::max(2, bitsFor({d.x(), d.y()}));
        w.bits(1, 1);        // edge
        w.bits(1, 1);        // straight
        w.bits(nb - 2, 4);
        w.bits(1, 1);        // general line
        w.sbits(d.x(), nb);
        w.sbits(d.y(), nb);
    }
    w.bits(0, 6);            // end of shape
    return tag(2, w.take());
}

// Places (or moves) the character at depth 1 with scale, rotation and translation.
QByteArray placeObject(int id, bool first, double scale, double angle, QPoint translate)
{
    BitWriter w;
    w.u8(first ? 0x06 : 0x05); // HasMatrix | HasCharacter, or HasMatrix | Move
    w.u16(1);
    if (first)
        w.u16(quint16(id));
    const qint32 sx = qint32(std::lround(scale * std::cos(angle) * 65536));
    const qint32 r0 = qint32(std::lround(scale * std::sin(angle) * 65536));
    w.bits(1, 1);
    const int ns = bitsFor({sx, sx});
    w.bits(ns, 5); w.sbits(sx, ns); w.sbits(sx, ns);
    w.bits(1, 1);
    const int nr = bitsFor({r0, -r0});
    w.bits(nr, 5); w.sbits(r0, nr); w.sbits(-r0, nr);
    const int nt = bitsFor({translate.x(), translate.y()});
    w.bits(nt, 5); w.sbits(translate.x(), nt); w.sbits(translate.y(), nt);
    return tag(26, w.take());
}

QByteArray swfFile(int width, int height, int frameRate, const QByteArray &tags, int frames)
{
    BitWriter w;
    rect(w, 0, width * 20, 0, height * 20);
    w.u8(0);
    w.u8(quint8(frameRate));
    w.u16(quint16(frames));
    const QByteArray body = w.take() + tags + tag(0, {});
    BitWriter head;
    for (char c : QByteArray("FWS"))
        head.u8(quint8(c));
    head.u8(6);
    const quint32 length = quint32(8 + body.size());
    head.u16(quint16(length & 0xffff));
    head.u16(quint16(length >> 16));
    return head.take() + body;
}

void drawFlash()
{
    const auto background = [](QColor c) {
        const char rgb[] = {char(c.red()), char(c.green()), char(c.blue())};
        return tag(9, QByteArray(rgb, 3));
    };
    {
        // A ball (a 16-sided disc) bouncing across the stage.
        std::vector<QPoint> disc;
        for (int i = 0; i < 16; ++i) {
            const double a = i * 2 * std::numbers::pi / 16;
            disc.emplace_back(int(std::lround(400 * std::cos(a))), int(std::lround(400 * std::sin(a))));
        }
        QByteArray tags = background(QColor(0xe8, 0xf4, 0xff)) + defineShape(1, disc, QColor(0xe0, 0x40, 0x50));
        const int frames = 36;
        for (int f = 0; f < frames; ++f) {
            const double t = double(f) / frames;
            const int x = int(20 * (40 + 240 * t));
            const int y = int(20 * (200 - 150 * std::abs(std::sin(t * 3 * std::numbers::pi))));
            tags += placeObject(1, f == 0, 1.0, 0, QPoint(x, y)) + tag(1, {});
        }
        saveBytes(swfFile(320, 240, 12, tags, frames), QStringLiteral("Flash/Samples/Bouncing Ball.swf"));
    }
    {
        // A star that turns and pulses in the middle of a dark stage.
        std::vector<QPoint> star;
        for (int i = 0; i < 10; ++i) {
            const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const double r = i % 2 ? 260 : 640;
            star.emplace_back(int(std::lround(r * std::cos(a))), int(std::lround(r * std::sin(a))));
        }
        QByteArray tags = background(QColor(0x1c, 0x18, 0x40)) + defineShape(1, star, QColor(0xff, 0xd8, 0x40));
        const int frames = 48;
        for (int f = 0; f < frames; ++f) {
            const double t = double(f) / frames;
            const double scale = 1.0 + 0.35 * std::sin(t * 4 * std::numbers::pi);
            tags += placeObject(1, f == 0, scale, t * 2 * std::numbers::pi, QPoint(160 * 20, 120 * 20))
                    + tag(1, {});
        }
        saveBytes(swfFile(320, 240, 24, tags, frames), QStringLiteral("Flash/Samples/Twinkle.swf"));
    }
}

// ---- Main window and its small windows ----------------------------------------------------

const QColor kLavender(0xf3, 0xef, 0xfa);
const QColor kLilac(0xdd, 0xd3, 0xf0);

QPainterPath noteGlyph(QPointF head, double s)
{
    QPainterPath path;
    path.addEllipse(head, s * 0.55, s * 0.4);
    path.addRect(QRectF(head.x() + s * 0.42, head.y() - s * 2.2, s * 0.16, s * 2.2));
    path.moveTo(head.x() + s * 0.5, head.y() - s * 2.2);
    path.cubicTo(head.x() + s * 1.2, head.y() - s * 1.9, head.x() + s * 1.3, head.y() - s * 1.3,
                 head.x() + s * 1.0, head.y() - s * 0.9);
    path.cubicTo(head.x() + s * 1.05, head.y() - s * 1.4, head.x() + s * 0.9, head.y() - s * 1.7,
                 head.x() + s * 0.5, head.y() - s * 1.8);
    return path;
}

void verticalStrip(int w, int h, std::initializer_list<std::pair<double, QColor>> stops,
                   QColor bottomLine, const QString &name)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    skyGradient(p, image.rect(), stops);
    if (bottomLine.isValid())
        p.fillRect(QRect(0, h - 1, w, 1), bottomLine);
    p.end();
    save(image, name);
}

void drawMainStrips()
{
    verticalStrip(64, 24, {{0.0, QColor(0xfb, 0xf9, 0xff)}, {1.0, kLilac}}, QColor(0xb8, 0xa8, 0xdc),
                  QStringLiteral("Skin/ToolTop.png"));
    verticalStrip(64, 62, {{0.0, QColor(0xff, 0xff, 0xff)}, {0.55, kLavender}, {1.0, kLilac}},
                  QColor(0xa8, 0x96, 0xd2), QStringLiteral("Skin/PageBar.png"));
    verticalStrip(64, 20, {{0.0, kTitleMid}, {1.0, kTitleBottom}}, QColor(),
                  QStringLiteral("Skin/StatusBar.png"));

    // The header picture that editors and dialogs put behind their headings.
    {
        const int w = 800, h = 52;
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, w, 0);
        g.setColorAt(0.0, kTitleBottom);
        g.setColorAt(0.6, kTitleMid);
        g.setColorAt(1.0, kTitleTop);
        p.fillRect(image.rect(), g);
        for (int i = 0; i < 3; ++i)
            hill(p, h - 10 - 6 * i, 5, i * 1.7, 2.8, QColor(255, 255, 255, 18), w, h);
        QRandomGenerator rng(52);
        for (int i = 0; i < 7; ++i)
            p.fillPath(noteGlyph(QPointF(560 + i * 34 + rng.bounded(10), 22 + rng.bounded(20)), 4.5),
                       QColor(255, 255, 255, 40 + rng.bounded(50)));
        p.end();
        save(image, QStringLiteral("Skin/HeaderTop.png"));
    }

    // The side picture of the start-up windows and the build wizard.
    {
        const int w = 150, h = 330;
        QImage image = canvas(w, h);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        skyGradient(p, image.rect(), {{0.0, kTitleTop}, {0.55, kTitleMid}, {1.0, kDark}});
        QRandomGenerator rng(150);
        for (int i = 0; i < 14; ++i)
            p.fillPath(noteGlyph(QPointF(10 + rng.bounded(120), 150 + rng.bounded(170)), 4 + rng.bounded(4)),
                       QColor(255, 255, 255, 30 + rng.bounded(70)));
        for (int i = 0; i < 18; ++i)
            p.fillPath(starPath(QPointF(rng.bounded(w), rng.bounded(140)), 2.6, 1.0, 4),
                       QColor(255, 240, 200, 90 + rng.bounded(120)));
        p.drawImage(QPointF(35, 40), bellIcon(80));
        p.end();
        save(image, QStringLiteral("Skin/SideLeft.png"));
    }
}

// The docking area while no editor is docked: the product's sign on a quiet background. The
// picture fills the area with and without the page button bar; its sign sits in the part that
// stays visible when the bar shows.
void drawDock()
{
    const int w = 792, h = 496, shown = 434;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient bg(QPointF(w * 0.5, shown * 0.42), w * 0.7);
    bg.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    bg.setColorAt(0.6, kLavender);
    bg.setColorAt(1.0, kLilac);
    p.fillRect(image.rect(), bg);
    QRandomGenerator rng(792);
    for (int i = 0; i < 26; ++i) {
        const QPointF at(rng.bounded(w), rng.bounded(h));
        if (QRectF(80, 80, 632, 230).contains(at))
            continue;
        if (i % 3 == 0)
            p.fillPath(heartPath(at, 8 + rng.bounded(10)), QColor(0xd6, 0x5a, 0x8a, 26 + rng.bounded(30)));
        else
            p.fillPath(noteGlyph(at, 5 + rng.bounded(5)), QColor(0x57, 0x3b, 0x9c, 24 + rng.bounded(30)));
    }
    p.drawImage(QPointF(w / 2 - 48, 96), bellIcon(96));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x3e, 0x28, 0x78));
    p.drawText(QRectF(0, 200, w, 60), Qt::AlignCenter, QStringLiteral("Lyrabell"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(15);
    p.setFont(line);
    p.setPen(QColor(0x6e, 0x5a, 0xa8));
    p.drawText(QRectF(0, 262, w, 24), Qt::AlignCenter,
               QStringLiteral("Music greeting cards: create a new project or open one from the File menu"));
    p.end();
    save(image, QStringLiteral("Skin/Dock.png"));
}

// The splash and About picture; the program writes its version at the bottom right.
void drawSplash()
{
    const int w = 430, h = 290;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0.0, kTitleTop);
    g.setColorAt(0.55, kTitleMid);
    g.setColorAt(1.0, kDark);
    p.fillRect(image.rect(), g);
    QRadialGradient glow(QPointF(110, 120), 150);
    glow.setColorAt(0, QColor(0xff, 0xe8, 0xa0, 110));
    glow.setColorAt(1, QColor(0xff, 0xe8, 0xa0, 0));
    p.fillRect(image.rect(), glow);
    for (int i = 0; i < 4; ++i)
        hill(p, h - 36 - 10 * i, 9, i * 1.3, 2.3, QColor(255, 255, 255, 16), w, h);
    QRandomGenerator rng(430);
    for (int i = 0; i < 30; ++i)
        p.fillPath(starPath(QPointF(rng.bounded(w), rng.bounded(h - 60)), 2.8, 1.0, 4),
                   QColor(255, 244, 210, 80 + rng.bounded(150)));
    for (int i = 0; i < 9; ++i)
        p.fillPath(noteGlyph(QPointF(220 + rng.bounded(190), 150 + rng.bounded(70)), 5 + rng.bounded(4)),
                   QColor(255, 255, 255, 50 + rng.bounded(80)));
    p.drawImage(QPointF(50, 60), bellIcon(120));
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(48);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(192, 122), QStringLiteral("Lyrabell"));
    p.setPen(Qt::white);
    p.drawText(QPointF(190, 120), QStringLiteral("Lyrabell"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(15);
    p.setFont(line);
    p.setPen(QColor(0xf0, 0xe6, 0xff));
    p.drawText(QPointF(194, 146), QStringLiteral("Music greeting cards"));
    p.end();
    save(image, QStringLiteral("Skin/Splash.png"));

    QImage process = canvas(40, 40);
    QPainter q(&process);
    q.drawImage(QPointF(2, 2), bellIcon(36));
    q.end();
    save(process, QStringLiteral("Skin/Process.png"));
}

// The glyphs of the page buttons, 32 × 32.
void drawPageGlyphs()
{
    const auto glyph = [](const char *name, const std::function<void(QPainter &)> &draw) {
        QImage image = canvas(32, 32);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        save(image, QStringLiteral("Skin/") + QLatin1String(name) + QStringLiteral(".png"));
    };
    const QPen outline(QColor(0x3e, 0x28, 0x78), 1.2);

    glyph("PageBlk", [&](QPainter &p) {
        const QRectF r(3.5, 5.5, 25, 21);
        QPainterPath clip;
        clip.addRoundedRect(r, 3, 3);
        p.setClipPath(clip);
        skyGradient(p, r.toRect(), {{0.0, QColor(0x58, 0x9c, 0xe0)}, {1.0, QColor(0xc8, 0xe6, 0xff)}});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xd2, 0x40));
        p.drawEllipse(QPointF(22, 11.5), 3, 3);
        QPainterPath hills;
        hills.moveTo(3, 27);
        hills.cubicTo(8, 16, 14, 16, 19, 22);
        hills.cubicTo(22, 19, 26, 18, 29, 21);
        hills.lineTo(29, 27);
        hills.closeSubpath();
        p.fillPath(hills, QColor(0x5c, 0xa8, 0x44));
        p.setClipping(false);
        p.setPen(outline);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 3, 3);
    });
    glyph("PageAlbum", [&](QPainter &p) {
        p.setPen(outline);
        p.save();
        p.translate(16, 16);
        p.rotate(-12);
        p.setBrush(QColor(0xf4, 0xe6, 0xc8));
        p.drawRect(QRectF(-12, -10, 20, 17));
        p.restore();
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9.5, 10.5, 20, 17));
        skyGradient(p, QRect(12, 13, 15, 12), {{0.0, QColor(0xff, 0xb3, 0x5c)}, {1.0, QColor(0xd8, 0x5a, 0x6a)}});
        p.fillPath(heartPath(QPointF(19.5, 21), 4.5), QColor(0xe0, 0x20, 0x50));
    });
    glyph("PageFlash", [&](QPainter &p) {
        QRadialGradient g(QPointF(13, 11), 18);
        g.setColorAt(0, QColor(0xff, 0xb0, 0x50));
        g.setColorAt(1, QColor(0xd8, 0x40, 0x20));
        p.setPen(QPen(QColor(0x90, 0x28, 0x10), 1.2));
        p.setBrush(g);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        QPainterPath bolt;
        bolt.moveTo(18, 5.5);
        bolt.lineTo(10, 17.5);
        bolt.lineTo(15.5, 17.5);
        bolt.lineTo(13, 26.5);
        bolt.lineTo(22, 13.5);
        bolt.lineTo(16.5, 13.5);
        bolt.closeSubpath();
        p.setPen(Qt::NoPen);
        p.fillPath(bolt, Qt::white);
    });
    glyph("PageMovie", [&](QPainter &p) {
        p.setPen(outline);
        p.setBrush(QColor(0x30, 0x28, 0x40));
        p.drawRoundedRect(QRectF(2.5, 6.5, 27, 19), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0xe0, 0xf4));
        for (int i = 0; i < 6; ++i) {
            p.drawRect(QRectF(4.5 + i * 4.3, 8, 2.2, 2));
            p.drawRect(QRectF(4.5 + i * 4.3, 22, 2.2, 2));
        }
        p.setBrush(QColor(0xff, 0xd2, 0x40));
        p.drawPolygon(QPolygonF({QPointF(13, 11.5), QPointF(21, 16), QPointF(13, 20.5)}));
    });
    glyph("PageFrame", [&](QPainter &p) {
        QLinearGradient gold(0, 0, 32, 32);
        gold.setColorAt(0.0, QColor(0xff, 0xe0, 0x7a));
        gold.setColorAt(0.5, QColor(0xc9, 0x8a, 0x12));
        gold.setColorAt(1.0, QColor(0xff, 0xd8, 0x60));
        p.setPen(QPen(QColor(0x6b, 0x40, 0x05), 1.0));
        p.setBrush(gold);
        QPainterPath frame;
        frame.addRoundedRect(QRectF(3.5, 3.5, 25, 25), 4, 4);
        frame.addRect(QRectF(8.5, 8.5, 15, 15));
        frame.setFillRule(Qt::OddEvenFill);
        p.drawPath(frame);
        p.fillRect(QRectF(9, 9, 14, 14), QColor(0xff, 0xe4, 0xee));
        p.fillPath(heartPath(QPointF(16, 17), 5.5), QColor(0xe0, 0x20, 0x50));
    });
    glyph("PageBuilder", [&](QPainter &p) {
        p.setPen(outline);
        p.setBrush(QColor(0x3a, 0x8e, 0xe8));
        p.drawRect(QRectF(5.5, 13.5, 21, 15));
        p.setBrush(QColor(0x62, 0xaa, 0xf4));
        p.drawRect(QRectF(3.5, 9.5, 25, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0x3a, 0x4a));
        p.drawRect(QRectF(14, 9.5, 4, 19));
        p.setPen(QPen(QColor(0xe8, 0x3a, 0x4a), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 6.5), 3.5, 2.6);
        p.drawEllipse(QPointF(20, 6.5), 3.5, 2.6);
    });
    glyph("PageMail", [&](QPainter &p) {
        p.setPen(outline);
        p.setBrush(QColor(0xfa, 0xf6, 0xe8));
        p.drawRect(QRectF(3.5, 7.5, 25, 18));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3.5, 7.5), QPointF(16, 18), QPointF(28.5, 7.5)}));
        p.fillPath(heartPath(QPointF(16, 19.5), 4.2), QColor(0xe0, 0x20, 0x50));
    });
    glyph("PageSystem", [&](QPainter &p) {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 4; ++i) {
            const double a = i * std::numbers::pi * 2 / (teeth * 4);
            const double r = (i % 4 < 2) ? 13.5 : 10.5;
            const QPointF pt(16 + r * std::cos(a), 16 + r * std::sin(a));
            i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
        gear.setFillRule(Qt::OddEvenFill);
        QLinearGradient steel(0, 0, 32, 32);
        steel.setColorAt(0, QColor(0xc8, 0xc0, 0xdc));
        steel.setColorAt(1, QColor(0x70, 0x62, 0x98));
        p.setPen(outline);
        p.setBrush(steel);
        p.drawPath(gear);
    });
}

// The material download button of the status bar: an arrow into a tray.
void drawDownLoadButton()
{
    for (ButtonState state : {ButtonState::Idle, ButtonState::Up, ButtonState::Down}) {
        QImage image = canvas(16, 16);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF o = state == ButtonState::Down ? QPointF(0.5, 0.5) : QPointF(0, 0);
        if (state != ButtonState::Idle) {
            p.setPen(QPen(QColor(255, 255, 255, 150), 1));
            p.setBrush(QColor(255, 255, 255, state == ButtonState::Up ? 60 : 30));
            p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        }
        p.translate(o);
        const QColor ink = state == ButtonState::Idle ? QColor(0xff, 0xe0, 0x7a) : QColor(0xff, 0xf0, 0xb0);
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(8, 2.5), QPointF(8, 9.5));
        p.drawPolyline(QPolygonF({QPointF(5, 7), QPointF(8, 10), QPointF(11, 7)}));
        p.drawPolyline(QPolygonF({QPointF(3, 10), QPointF(3, 13), QPointF(13, 13), QPointF(13, 10)}));
        p.end();
        const char *suffix = state == ButtonState::Idle ? "Idle" : state == ButtonState::Up ? "Up" : "Down";
        save(image, QStringLiteral("Skin/BtnDownLoad") + QLatin1String(suffix) + QStringLiteral(".png"));
    }
}

void drawMainWindow()
{
    drawMainStrips();
    drawDock();
    drawSplash();
    drawPageGlyphs();
    drawDownLoadButton();
}

// ---- The frame card's built-in pictures -----------------------------------------------------

// The frame picture a new frame card starts with: a rounded card with a double border on
// white, the colour the card treats as transparent by default, so its corners fall away.
void drawFrameCardDefaults()
{
    {
        QImage image = canvas(320, 240, Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF card(4, 4, 312, 232);
        QLinearGradient fill(0, 0, 0, 240);
        fill.setColorAt(0, kLavender);
        fill.setColorAt(1, kLilac);
        p.setPen(QPen(kTitleMid, 4));
        p.setBrush(fill);
        p.drawRoundedRect(card, 28, 28);
        p.setPen(QPen(kHighlight, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(card.adjusted(8, 8, -8, -8), 22, 22);
        p.setPen(Qt::NoPen);
        p.setBrush(kEdgeLight);
        p.drawPath(noteGlyph(QPointF(44, 206), 9));
        p.drawPath(noteGlyph(QPointF(262, 50), 8));
        p.setBrush(QColor(0xe0, 0x5a, 0x88));
        p.drawPath(heartPath(QPointF(276, 200), 16));
        p.end();
        // Antialiasing must not leave near-white pixels around the shape: the card makes only
        // pure white transparent.
        image = image.convertToFormat(QImage::Format_RGB32);
        save(image, QStringLiteral("FrameCard/DefaultFrame.png"));
    }
    {
        QImage image = canvas(64, 64);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe0, 0x5a, 0x88));
        p.drawPath(heartPath(QPointF(32, 36), 30));
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(22, 24), 5, 3.5);
        p.end();
        save(image, QStringLiteral("FrameCard/DefaultPicture.png"));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makecontent CONTENT_DIR\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    drawTitleBar();
    drawEdges();
    drawClient();
    drawTitleButtons();
    drawIcons();
    drawMainWindow();
    drawScenery();
    drawFills();
    drawIconSamples();
    drawFrames();
    drawPictureSamples();
    drawAlbumFrames();
    drawTunes();
    drawFlash();
    drawFrameCardDefaults();
    return 0;
}
