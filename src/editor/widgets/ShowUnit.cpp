#include "editor/widgets/ShowUnit.h"

#include "control/widgets/NewImage.h"
#include "control/widgets/Skin.h"

#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace {

int g_tickInterval = 1000;
// Ticks of all splash windows of the program's run; never reset.
int g_ticks = 0;

} // namespace

void TFrmShow::SetTickInterval(int milliseconds)
{
    g_tickInterval = milliseconds;
}

TFrmShow::TFrmShow(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    const QPixmap picture = ly::SkinPicture(QStringLiteral("Splash"));
    const QSize size = picture.isNull() ? QSize(430, 290) : picture.size();
    setFixedSize(size);
    Image1 = new TNewImage(this);
    Image1->setGeometry(0, 0, size.width(), size.height());
    Image1->setPicture(picture);

    LblVersion = new QLabel(Image1);
    QFont font = LblVersion->font();
    font.setBold(true);
    LblVersion->setFont(font);
    QPalette palette = LblVersion->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    LblVersion->setPalette(palette);
    LblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LblVersion->setGeometry(size.width() - 220, size.height() - 30, 206, 20);
    LblVersion->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1 = new QTimer(this);
    Timer1->setInterval(g_tickInterval);
    Timer1->start();

    connect(Image1, &TNewImage::OnClick, this, &TFrmShow::Image1Click);
    connect(Timer1, &QTimer::timeout, this, &TFrmShow::Timer1Timer);
    LoadTexts();
}

void TFrmShow::LoadTexts()
{
    LblVersion->setText(QStringLiteral("Lyrabell v3.50"));
}

void TFrmShow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (QScreen *screen = this->screen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }
    QDialog::showEvent(event);
}

void TFrmShow::Image1Click()
{
    Timer1->stop();
    accept();
}

void TFrmShow::Timer1Timer()
{
    if (g_ticks++ >= 1) {
        Timer1->stop();
        ShrinkAway();
    }
}

// Hides the window in 200 milliseconds, shrinking it towards its centre, then closes it.
void TFrmShow::ShrinkAway()
{
    if (m_shrinking)
        return;
    m_shrinking = true;
    setMinimumSize(1, 1);
    const QRect from = geometry();
    auto *animation = new QPropertyAnimation(this, "geometry", this);
    animation->setDuration(200);
    animation->setStartValue(from);
    animation->setEndValue(QRect(from.center(), QSize(1, 1)));
    connect(animation, &QPropertyAnimation::finished, this, &TFrmShow::accept);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}
