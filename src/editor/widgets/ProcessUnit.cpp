#include "editor/widgets/ProcessUnit.h"

#include "control/widgets/LyBevel.h"
#include "control/widgets/LyChargeImg.h"
#include "control/widgets/Skin.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

namespace {

QLabel *loadingLabel(QWidget *parent, const QColor &color, QPoint at)
{
    auto *label = new QLabel(QStringLiteral("Loading..."), parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(11);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(at.x(), at.y(), 200, 20);
    return label;
}

} // namespace

TFrmProcess::TFrmProcess(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(368, 58);
    LyChargeImg1 = new TLyChargeImg(this);
    LyChargeImg1->setGeometry(1, 1, 366, 56);
    LyChargeImg1->setFromColor(ly::clGreen);
    LyChargeImg1->setToColor(ly::clWhite);
    LyChargeImg1->setGradientFillType(ly::rgsElliptic);

    Bevel1 = new TlyBevel(LyChargeImg1);
    Bevel1->setShape(TlyBevel::bsBox);
    Bevel1->setGeometry(7, 7, 42, 42);
    Image1 = new QLabel(LyChargeImg1);
    Image1->setGeometry(8, 8, 40, 40);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(ly::SkinPicture(QStringLiteral("Process")));

    Label2 = loadingLabel(LyChargeImg1, Qt::black, QPoint(63, 7));
    Label1 = loadingLabel(LyChargeImg1, Qt::white, QPoint(62, 6));

    ProgressBar1 = new QProgressBar(LyChargeImg1);
    ProgressBar1->setGeometry(62, 30, 290, 16);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, kSteps);

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &TFrmProcess::Timer1Timer);
}

void TFrmProcess::showEvent(QShowEvent *event)
{
    if (QWidget *owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmProcess::FormShow()
{
    ProgressBar1->setRange(0, kSteps);
    ProgressBar1->setValue(0);
    Timer1->start();
}

void TFrmProcess::Timer1Timer()
{
    Timer1->stop();
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, kSteps));
    // Painting goes on; the user's input waits until the project is open.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!m_finished)
        Timer1->start();
}

void TFrmProcess::closeEvent(QCloseEvent *event)
{
    m_finished = false;
    Timer1->stop();
    QWidget::closeEvent(event);
}

void TFrmProcess::paintEvent(QPaintEvent *)
{
    // The one-pixel border around the gradient.
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
}
