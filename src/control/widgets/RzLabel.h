#pragma once

#include "control/widgets/ClickTracker.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QMouseEvent;

// A text label in a 3-D text style. Raised text (tsRaised) is drawn three times: the highlight
// colour one pixel up and left, the shadow colour one pixel down and right, the text in its
// font colour between them; tsNone draws the text alone. With AutoSize the label takes the
// size of its text and the two edges; with Transparent the parent shows behind the text.
class TRzLabel : public QWidget
{
    Q_OBJECT

public:
    enum TTextStyle { tsNone, tsRaised };

    explicit TRzLabel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The text's font and colour.
    void setTextFont(const QFont &font, const QColor &color);
    QColor FontColor() const { return m_fontColor; }
    QColor HighlightColor() const { return m_highlight; }
    void setHighlightColor(const QColor &color);
    QColor ShadowColor() const { return m_shadow; }
    void setShadowColor(const QColor &color);
    TTextStyle TextStyle() const { return m_style; }
    void setTextStyle(TTextStyle style);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // Where the text itself is drawn (its top-left corner, inside the edges).
    static constexpr int kEdge = 1;

Q_SIGNALS:
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitText();

    QString m_caption;
    QColor m_fontColor = QColor(0, 0, 0);
    QColor m_highlight = QColor(255, 255, 255);
    QColor m_shadow = QColor(0x80, 0x80, 0x80);
    TTextStyle m_style = tsRaised;
    bool m_transparent = false;
    bool m_autoSize = true;
    ClickTracker m_click;
};
