#pragma once

#include "control/widgets/ClickTracker.h"

#include <QWidget>

class QMouseEvent;

// A bevel: a sunken or raised line or box drawn with the shadow and light colours of the
// palette. It reports clicks.
class TlyBevel : public QWidget
{
    Q_OBJECT

public:
    enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
    enum TBevelStyle { bsLowered, bsRaised };

    explicit TlyBevel(QWidget *parent = nullptr);

    TBevelShape Shape() const { return m_shape; }
    void setShape(TBevelShape shape);
    TBevelStyle Style() const { return m_style; }
    void setStyle(TBevelStyle style);

Q_SIGNALS:
    // A left press and release over the bevel.
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
    ClickTracker m_click;
};
