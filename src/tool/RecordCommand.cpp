#include "tool/Tool.h"

#include "platform/SoundRecorder.h"
#include "shared/Error.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace tool {

int runRecord(const QStringList &args)
{
    requireArgs(args, 2, 2);
    bool ok = false;
    const double seconds = args[0].toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600)
        throw ly::Error(QStringLiteral("The recording length must be a number of seconds "
                                       "from 0 to 3600, not \"%1\"").arg(args[0]));
    // A new recording: the prepared header first, as the recording dialog writes it.
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || !ly::platform::WriteVoiceHeader(out, 0))
        throw ly::Error(QStringLiteral("Cannot write \"%1\": %2").arg(args[1], out.errorString()));
    out.close();

    ly::platform::AudioSourceRecorder recorder;
    if (const ly::platform::MediaResult r = recorder.start(args[1]); !r)
        throw ly::Error(r.error());
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    if (const ly::platform::MediaResult r = recorder.stop(); !r)
        throw ly::Error(r.error());
    printLine(QStringLiteral("recorded_ms=%1").arg(recorder.recordedMs()));
    return 0;
}

} // namespace tool
