#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class TNewImage;

// The splash window, which is also the About box: one picture of 430 × 290 with the version
// label, no frame, centred on the screen. A click on the picture closes it. At start-up its
// timer ticks once a second and the window shrinks away towards its centre on the second tick
// of the program's run; the About command stops the timer first, so the window stays until
// clicked.
class TFrmShow : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmShow(QWidget *owner = nullptr);

    // Tests shorten the second between ticks.
    static void SetTickInterval(int milliseconds);

    TNewImage *Image1;
    QLabel *LblVersion;
    QTimer *Timer1;

public Q_SLOTS:
    void Image1Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();
    void ShrinkAway();

    bool m_shrinking = false;
};
