#include "control/widgets/LyLinkLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TlyLinkLabel::TlyLinkLabel(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFont(font());
}

void TlyLinkLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    fitText();
    update();
}

void TlyLinkLabel::setTextFont(const QFont &font)
{
    QFont underlined = font;
    underlined.setUnderline(true);
    setFont(underlined);
    fitText();
    update();
}

void TlyLinkLabel::setLinkColor(const QColor &color)
{
    m_link = color;
    update();
}

void TlyLinkLabel::setHoverColor(const QColor &color)
{
    m_hover = color;
    update();
}

void TlyLinkLabel::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TlyLinkLabel::fitText()
{
    const QFontMetrics metrics(font());
    resize(std::max(1, metrics.horizontalAdvance(m_caption) + 1), metrics.height());
}

void TlyLinkLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    p.setFont(font());
    p.setPen(m_hovered ? m_hover : m_link);
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

void TlyLinkLabel::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void TlyLinkLabel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void TlyLinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TlyLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
