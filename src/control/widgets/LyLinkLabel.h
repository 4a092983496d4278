#pragma once

#include "control/widgets/ClickTracker.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QMouseEvent;

// A link: its caption underlined in the link colour, in the hover colour while the mouse is
// over it. It sizes itself to its text. Clicking reports OnClick; opening the address is its
// owner's business (the designer opens nothing, the card opens it).
class TlyLinkLabel : public QWidget
{
    Q_OBJECT

public:
    explicit TlyLinkLabel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString Url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }
    // The font (always drawn underlined).
    void setTextFont(const QFont &font);
    QColor LinkColor() const { return m_link; }
    void setLinkColor(const QColor &color);
    QColor HoverColor() const { return m_hover; }
    void setHoverColor(const QColor &color);
    bool Hovered() const { return m_hovered; }
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);

Q_SIGNALS:
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitText();

    QString m_caption;
    QString m_url;
    QColor m_link = QColor(0, 0, 255);
    QColor m_hover = QColor(255, 0, 0);
    bool m_hovered = false;
    bool m_transparent = true;
    ClickTracker m_click;
};
