#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;
class TLyChargeImg;
class TlyBevel;

// The progress window shown while PrepareProject opens a project's editors: no caption, a
// one-pixel border, above the other windows, centred on its owner, 368 × 58. While it is
// shown its bar advances one step every 50 milliseconds (pending events are processed between
// steps so that the windows paint) until the finished mark is set. Hiding keeps the mark;
// closing clears it.
class TFrmProcess : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSteps = 5;

    explicit TFrmProcess(QWidget *owner = nullptr);

    // The finished mark: PrepareProject sets it when the editors are open.
    bool Finished() const { return m_finished; }
    void setFinished(bool finished) { m_finished = finished; }

    TLyChargeImg *LyChargeImg1; // green to white, elliptic
    TlyBevel *Bevel1;
    QLabel *Image1;
    QLabel *Label2; // "Loading..." shadow, black
    QLabel *Label1; // "Loading...", white
    QProgressBar *ProgressBar1;
    QTimer *Timer1;

public Q_SLOTS:
    void FormShow();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_finished = false;
};
