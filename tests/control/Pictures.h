#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Picture files made by the tests of the thumbnail browser.
namespace lytest {

// A picture split into a left and a right half of two colours.
QImage TwoHalves(QSize size, const QColor &left, const QColor &right);
// Writes the image in a format Qt writes ("JPG", "PNG", "BMP", "ICO"); returns the path.
QString SavePicture(const QString &path, const QImage &image, const char *format);
// A GIF with two frames of one colour each (size at most 64 x 64 here).
QByteArray TwoFrameGif(QSize size, const QColor &first, const QColor &second);
// A placeable WMF of 200 x 100 logical units at 96 per inch, filled with one colour.
QByteArray FilledWmf(const QColor &color);
// An EMF of 200 x 100 device pixels, filled with one colour.
QByteArray FilledEmf(const QColor &color);

} // namespace lytest
