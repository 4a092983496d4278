#pragma once

#include <QColor>
#include <QWidget>

class QMouseEvent;
class QPainter;

// The panel of the program's own controls: a flat colour with optional one-pixel bevels and a
// centred caption. A left click and a right-button press both count as a click (OnClick).
class TNewPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Bevel { None, Lowered, Raised };

    explicit TNewPanel(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void setBevels(Bevel outer, Bevel inner);

Q_SIGNALS:
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_color;
    QString m_caption;
    Bevel m_outer = Bevel::None;
    Bevel m_inner = Bevel::None;
    bool m_leftDown = false;
};

// Draws a one-pixel bevel just inside the rectangle.
void DrawBevel(QPainter &painter, const QRect &rect, TNewPanel::Bevel bevel);
// Click handling shared by the panel and the image: true when the event completes a click.
bool IsClickPress(const QMouseEvent *event);
bool IsClickRelease(const QMouseEvent *event, const QWidget *widget, bool leftWasDown);
