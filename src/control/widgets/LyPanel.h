#pragma once

#include "control/widgets/ClickTracker.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class QLabel;
class QMouseEvent;

// A panel on which a block of text scrolls without end: every LyInterval milliseconds the text
// moves 5 pixels in the LyStyle direction and, once it has wholly left the panel, comes back in
// from the opposite edge. The vertical styles scroll the word-wrapped block (as wide as the panel
// less 10 pixels), the horizontal ones the text as one line per line of LyText. The panel fills
// itself with Color or, with LyTransparent, lets its parent show behind the text.
class TLyPanel : public QWidget
{
    Q_OBJECT

public:
    // Stored as 0 to 3 in this order.
    enum TLyStyle { LyLToR, LyRToL, LyTToB, LyBToT };

    explicit TLyPanel(QWidget *parent = nullptr);

    TLyStyle LyStyle() const { return m_style; }
    // A new style starts the text again at (10, 10); the current one changes nothing.
    void setLyStyle(TLyStyle style);

    // The lines of the text. They may also be edited in place; any change of them starts the
    // text again at (10, 10) when the panel next paints.
    const QStringList &LyText() const { return m_text; }
    QStringList &LyText() { return m_text; }
    void setLyText(const QStringList &lines);

    int LyInterval() const { return m_interval; }
    // Values of 0 or less are ignored.
    void setLyInterval(int milliseconds);

    const QFont &LyFont() const { return m_font; }
    QColor LyFontColor() const { return m_fontColor; }
    void setLyFont(const QFont &font, const QColor &color = QColor(0, 0, 0));

    bool LyTransparent() const { return m_transparent; }
    void setLyTransparent(bool transparent);

    // Whether the text moves; switching it on again resumes from where the text stands.
    bool LyEnabled() const { return m_enabled; }
    void setLyEnabled(bool enabled);

    QColor Color() const { return m_color; }
    void setColor(const QColor &color);

    // A single-line border around the panel (the frame card's "Single" style); none by default.
    bool SingleBorder() const { return m_singleBorder; }
    void setSingleBorder(bool on);

    // The label that shows the text, and the timer that moves it.
    QLabel *textLabel() const { return m_label; }
    const QTimer &timer() const { return m_timer; }

public Q_SLOTS:
    // One step of the scrolling.
    void TimerTimer();

Q_SIGNALS:
    // A left click on the panel or its text.
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layoutLabel();
    void setLabelWordWrap(bool on);

    QLabel *m_label;
    QTimer m_timer;
    TLyStyle m_style = LyBToT;
    QStringList m_text;
    QStringList m_remembered;
    QSize m_laidOutSize;
    int m_interval = 200;
    QFont m_font;
    QColor m_fontColor = QColor(0, 0, 0);
    bool m_transparent = false;
    bool m_enabled = true;
    bool m_singleBorder = false;
    QColor m_color;
    ClickTracker m_click;
};
