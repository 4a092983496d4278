#include "control/PictureLoader.h"

#include <QThread>

#include <memory>

namespace ly {

PictureLoader::PictureLoader(QObject *parent)
    : QObject(parent)
{
}

PictureLoader::~PictureLoader()
{
    ++m_generation;
    for (QThread *thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

bool PictureLoader::Busy() const
{
    return !m_threads.isEmpty();
}

void PictureLoader::Read(const QString &file, QSize bound)
{
    const quint64 generation = ++m_generation;
    auto result = std::make_shared<PictureFile>();
    QThread *thread = QThread::create([file, bound, result] { *result = ReadPictureFile(file, bound); });
    m_threads.append(thread);
    // The finished signal arrives queued on this object's thread, after the read is complete.
    connect(thread, &QThread::finished, this, [this, thread, generation, result] {
        m_threads.removeOne(thread);
        thread->deleteLater();
        if (generation == m_generation)
            Q_EMIT Loaded(*result);
    });
    thread->start();
}

} // namespace ly
