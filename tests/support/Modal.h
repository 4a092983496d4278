#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lytest {

// Runs `act` on the next modal window of type T once it shows; after five seconds without it,
// whatever modal window is open is closed so the test cannot hang.
template<typename T>
void whenModalShows(std::function<void(T *)> act)
{
    auto *timer = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, act] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget()); w && w->isVisible()) {
            act(w);
        } else if (clock.elapsed() > 5000) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        } else {
            return;
        }
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
}

} // namespace lytest
