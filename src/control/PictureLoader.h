#pragma once

#include "control/PictureFile.h"

#include <QObject>
#include <QList>

class QThread;

// Reads one picture at a time off the user-interface thread and hands it back there. A new
// Read replaces the one before: only the latest picture is reported.
namespace ly {

class PictureLoader : public QObject
{
    Q_OBJECT

public:
    explicit PictureLoader(QObject *parent = nullptr);
    // Waits for reads still running; their pictures are dropped.
    ~PictureLoader() override;

    // Reads the file shrunk to fit `bound` (ReadPictureFile); Loaded follows on this thread.
    void Read(const QString &file, QSize bound);
    // Drops the read in progress.
    void Cancel() { ++m_generation; }
    bool Busy() const;

Q_SIGNALS:
    void Loaded(const ly::PictureFile &picture);

private:
    QList<QThread *> m_threads;
    quint64 m_generation = 0;
};

} // namespace ly
