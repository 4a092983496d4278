#include "control/widgets/RzLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TRzLabel::TRzLabel(QWidget *parent)
    : QWidget(parent)
{
    fitText();
}

void TRzLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    fitText();
    update();
}

void TRzLabel::setTextFont(const QFont &font, const QColor &color)
{
    setFont(font);
    m_fontColor = color;
    fitText();
    update();
}

void TRzLabel::setHighlightColor(const QColor &color)
{
    m_highlight = color;
    update();
}

void TRzLabel::setShadowColor(const QColor &color)
{
    m_shadow = color;
    update();
}

void TRzLabel::setTextStyle(TTextStyle style)
{
    m_style = style;
    update();
}

void TRzLabel::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TRzLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    fitText();
}

void TRzLabel::fitText()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(m_caption) + 2 * kEdge + 1, metrics.height() + 2 * kEdge);
}

void TRzLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    p.setFont(font());
    const QRect text = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    if (m_style == tsRaised) {
        p.setPen(m_highlight);
        p.drawText(text.translated(-1, -1), flags, m_caption);
        p.setPen(m_shadow);
        p.drawText(text.translated(1, 1), flags, m_caption);
    }
    p.setPen(m_fontColor);
    p.drawText(text, flags, m_caption);
}

void TRzLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TRzLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
