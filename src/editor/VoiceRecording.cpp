#include "editor/VoiceRecording.h"

#include "platform/MediaDevice.h"
#include "platform/SoundRecorder.h"
#include "shared/Error.h"
#include "shared/Paths.h"

#include <QFile>
#include <QFileInfo>

namespace ly {

QString VoiceWorkingFile()
{
    return TempDir() + QStringLiteral("Temp.wav");
}

bool IsVoiceWorkingFile(const QString &path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return false;
    QString working;
    try {
        working = VoiceWorkingFile();
    } catch (const Error &) {
        return false; // no usable temp folder, so nothing lies in it
    }
    const QFileInfo a(trimmed), b(working);
    if (a.absoluteFilePath() == b.absoluteFilePath())
        return true;
    const QString ca = a.canonicalFilePath();
    return !ca.isEmpty() && ca == b.canonicalFilePath();
}

bool PrepareVoiceFile(const QString &file, QString *error)
{
    QFile out(file);
    const bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate)
                    && platform::WriteVoiceHeader(out, 0) && out.flush();
    if (!ok && error)
        *error = out.errorString();
    return ok;
}

int RecordingSeconds(const platform::MediaDevice &device)
{
    qint64 length = 0;
    for (int track = 1; track <= device.trackCount(); ++track)
        length = device.trackLength(track);
    return int(length / 1000);
}

QString VoiceSaveTarget(const QString &chosenName)
{
    if (chosenName.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
        return chosenName;
    return chosenName + QStringLiteral(".wav");
}

} // namespace ly
