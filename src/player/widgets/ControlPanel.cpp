#include "player/widgets/ControlPanel.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace ly::player {

namespace {
QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void call(const std::function<void()> &handler)
{
    if (handler)
        handler();
}
} // namespace

ControlPanel::ControlPanel()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      BtnPrevious(button(QStringLiteral("Previous"), this)),
      BtnPause(button(QStringLiteral("Pause"), this)),
      BtnNext(button(QStringLiteral("Next"), this)),
      BtnClose(button(QStringLiteral("Close"), this))
{
    setWindowTitle(QStringLiteral("Card controls"));
    setAccessibleName(windowTitle());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    for (QPushButton *b : {BtnPrevious, BtnPause, BtnNext, BtnClose})
        layout->addWidget(b);
    connect(BtnPrevious, &QPushButton::clicked, this, &ControlPanel::BtnPreviousClick);
    connect(BtnPause, &QPushButton::clicked, this, &ControlPanel::BtnPauseClick);
    connect(BtnNext, &QPushButton::clicked, this, &ControlPanel::BtnNextClick);
    connect(BtnClose, &QPushButton::clicked, this, &ControlPanel::BtnCloseClick);
    adjustSize();
}

void ControlPanel::setPaused(bool paused)
{
    const QString caption = paused ? QStringLiteral("Play") : QStringLiteral("Pause");
    BtnPause->setText(caption);
    BtnPause->setAccessibleName(caption);
}

void ControlPanel::BtnPreviousClick() { call(onPrevious); }
void ControlPanel::BtnPauseClick() { call(onPause); }
void ControlPanel::BtnNextClick() { call(onNext); }
void ControlPanel::BtnCloseClick() { call(onClose); }

} // namespace ly::player
