#include "control/widgets/NewPanel.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor BevelLight(255, 255, 255);
const QColor BevelDark(160, 160, 160);
const QColor BtnFace(240, 240, 240);
} // namespace

void DrawBevel(QPainter &painter, const QRect &rect, TNewPanel::Bevel bevel)
{
    if (bevel == TNewPanel::Bevel::None || rect.width() < 2 || rect.height() < 2)
        return;
    const bool raised = bevel == TNewPanel::Bevel::Raised;
    const QColor topLeft = raised ? BevelLight : BevelDark;
    const QColor bottomRight = raised ? BevelDark : BevelLight;
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

bool IsClickPress(const QMouseEvent *event)
{
    return event->button() == Qt::RightButton;
}

bool IsClickRelease(const QMouseEvent *event, const QWidget *widget, bool leftWasDown)
{
    return leftWasDown && event->button() == Qt::LeftButton &&
           widget->rect().contains(event->position().toPoint());
}

TNewPanel::TNewPanel(QWidget *parent)
    : QWidget(parent), m_color(BtnFace)
{
}

void TNewPanel::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TNewPanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TNewPanel::setBevels(Bevel outer, Bevel inner)
{
    m_outer = outer;
    m_inner = inner;
    update();
}

void TNewPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    QRect r = rect();
    DrawBevel(painter, r, m_outer);
    if (m_outer != Bevel::None)
        r.adjust(1, 1, -1, -1);
    DrawBevel(painter, r, m_inner);
    if (!m_caption.isEmpty()) {
        const QRect textRect = r.adjusted(2, 1, -2, -1);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textRect, Qt::AlignCenter,
                         fontMetrics().elidedText(m_caption, Qt::ElideRight, textRect.width()));
    }
}

void TNewPanel::mousePressEvent(QMouseEvent *event)
{
    m_leftDown = event->button() == Qt::LeftButton;
    if (IsClickPress(event))
        Q_EMIT OnClick();
}

void TNewPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = IsClickRelease(event, this, m_leftDown);
    m_leftDown = false;
    if (click)
        Q_EMIT OnClick();
}
