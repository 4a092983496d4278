#pragma once

#include "control/widgets/Ly_Form.h"

#include <QPixmap>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class TLyFullPicture;

// The tip of the day: a random tip from the tips file when it shows, the next one on request.
// Without a tips file it warns and closes; with an empty one it only closes.
class TFrmEveryDay : public Tly_Form
{
    Q_OBJECT

public:
    explicit TFrmEveryDay(const QPixmap &sidePicture, QWidget *owner = nullptr);

    // The line number of the tip shown, -1 before one is.
    int TipIndex() const { return m_index; }
    const QStringList &Tips() const { return m_tips; }

    TLyFullPicture *PnlWhite;
    TLyFullPicture *ImgSide;
    QLabel *LblTitle2; // shadow of LblTitle1
    QLabel *LblTitle1;
    QLabel *LblText;
    QCheckBox *CheckBox1;
    QPushButton *Button1;
    QPushButton *Button2;

public Q_SLOTS:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void CheckBox1Click(bool checked);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();
    void ShowTip(int index);

    QStringList m_tips;
    int m_index = -1;
};
