#include "control/widgets/LyPanel.h"

#include "shared/Ini.h"
#include "shared/Settings.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kStep = 5;
constexpr int kMargin = 10;
}

TLyPanel::TLyPanel(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
    , m_color(palette().color(QPalette::Window))
{
    resize(180, 100);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_text = QStringList{ly::ini::read(ly::ConfigFile(), QStringLiteral("Control"), QStringLiteral("LyPanel"),
                                       QStringLiteral("Please input to bless the language!"))};
    m_remembered = m_text;

    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A click on the text is a click on the panel.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    setLyFont(m_font, m_fontColor);
    layoutLabel();

    connect(&m_timer, &QTimer::timeout, this, &TLyPanel::TimerTimer);
    m_timer.setInterval(m_interval);
    m_timer.start();
}

// The label shows the text word-wrapped, as wide as the panel less 10 pixels, at (10, 10).
void TLyPanel::layoutLabel()
{
    m_label->setText(m_text.join(QLatin1Char('\n')));
    m_label->setWordWrap(true);
    m_label->move(kMargin, kMargin);
    m_laidOutSize = size();
    const int w = std::max(0, width() - kMargin);
    m_label->resize(w, m_label->heightForWidth(w));
}

// The label keeps its width and takes the height of its wrapped text, or, without word wrap,
// takes the size of its lines.
void TLyPanel::setLabelWordWrap(bool on)
{
    m_label->setWordWrap(on);
    if (on)
        m_label->resize(m_label->width(), m_label->heightForWidth(m_label->width()));
    else
        m_label->resize(m_label->sizeHint());
}

void TLyPanel::setLyStyle(TLyStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    layoutLabel();
    update();
}

void TLyPanel::setLyText(const QStringList &lines)
{
    m_text = lines;
    update();
}

void TLyPanel::setLyInterval(int milliseconds)
{
    if (milliseconds <= 0 || milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    m_timer.setInterval(m_interval);
}

void TLyPanel::setLyFont(const QFont &font, const QColor &color)
{
    m_font = font;
    m_fontColor = color;
    m_label->setFont(font);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, color);
    m_label->setPalette(palette);
    layoutLabel();
    update();
}

void TLyPanel::setLyTransparent(bool transparent)
{
    m_transparent = transparent;
    // A see-through panel lets Qt paint the parent beneath it first.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TLyPanel::setLyEnabled(bool enabled)
{
    m_enabled = enabled;
    m_timer.setInterval(m_interval);
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

void TLyPanel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void TLyPanel::setSingleBorder(bool on)
{
    m_singleBorder = on;
    update();
}

void TLyPanel::TimerTimer()
{
    m_timer.stop();
    setLabelWordWrap(true);
    QLabel *l = m_label;
    switch (m_style) {
    case LyBToT:
        l->move(l->x(), l->y() - kStep);
        if (l->y() < -l->height())
            l->move(l->x(), height());
        break;
    case LyTToB:
        l->move(l->x(), l->y() + kStep);
        if (l->y() > height())
            l->move(l->x(), -l->height());
        break;
    case LyLToR:
        setLabelWordWrap(false);
        l->move(l->x() + kStep, l->y());
        if (l->x() > width())
            l->move(-l->width(), l->y());
        break;
    case LyRToL:
        setLabelWordWrap(false);
        l->move(l->x() - kStep, l->y());
        if (l->x() < -l->width())
            l->move(width(), l->y());
        break;
    }
    if (m_enabled)
        m_timer.start();
}

void TLyPanel::paintEvent(QPaintEvent *)
{
    // Lines changed in place since the last layout start the text again.
    if (m_text != m_remembered) {
        layoutLabel();
        m_remembered = m_text;
    }
    QPainter p(this);
    if (!m_transparent)
        p.fillRect(rect(), m_color);
    if (m_singleBorder) {
        p.setPen(QColor(0, 0, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TLyPanel::resizeEvent(QResizeEvent *event)
{
    // Qt also sends resize events without a change (when a hidden widget is rendered); only a
    // new size starts the text again.
    if (size() != m_laidOutSize)
        layoutLabel();
    QWidget::resizeEvent(event);
}

void TLyPanel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void TLyPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        Q_EMIT OnClick();
}
