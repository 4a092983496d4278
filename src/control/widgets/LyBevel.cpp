#include "control/widgets/LyBevel.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

TlyBevel::TlyBevel(QWidget *parent)
    : QWidget(parent)
{
}

void TlyBevel::setShape(TBevelShape shape)
{
    m_shape = shape;
    update();
}

void TlyBevel::setStyle(TBevelStyle style)
{
    m_style = style;
    update();
}

void TlyBevel::paintEvent(QPaintEvent *)
{
    // A lowered bevel has its shadow on the top and left, its light on the bottom and right;
    // a raised one the other way round.
    QColor first = palette().color(QPalette::Dark);
    QColor second = palette().color(QPalette::Light);
    if (m_style == bsRaised)
        std::swap(first, second);
    const int w = width();
    const int h = height();
    QPainter p(this);
    const auto line = [&p](const QColor &c, int x1, int y1, int x2, int y2) {
        p.setPen(c);
        p.drawLine(x1, y1, x2, y2);
    };
    // Top and left edges in one colour, bottom and right in the other, for the box (l, t)-(r, b).
    const auto box = [&line](const QColor &topLeft, const QColor &bottomRight, int l, int t, int r, int b) {
        line(topLeft, l, t, r, t);
        line(topLeft, l, t, l, b);
        line(bottomRight, r, t, r, b);
        line(bottomRight, l, b, r, b);
    };
    switch (m_shape) {
    case bsBox:
        box(first, second, 0, 0, w - 1, h - 1);
        break;
    case bsFrame:
        // Two nested boxes offset by a pixel give an engraved (or embossed) line.
        box(second, second, 1, 1, w - 1, h - 1);
        box(first, first, 0, 0, w - 2, h - 2);
        break;
    case bsTopLine:
        line(first, 0, 0, w - 1, 0);
        line(second, 0, 1, w - 1, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w - 1, h - 2);
        line(second, 0, h - 1, w - 1, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h - 1);
        line(second, 1, 0, 1, h - 1);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h - 1);
        line(second, w - 1, 0, w - 1, h - 1);
        break;
    case bsSpacer:
        break;
    }
}

void TlyBevel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TlyBevel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
