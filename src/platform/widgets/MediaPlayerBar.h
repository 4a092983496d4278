#pragma once

#include "platform/MediaDevice.h"

#include <QWidget>

#include <array>
#include <memory>

class QProgressBar;
class QToolButton;

namespace ly::platform {

class SoundRecorder;

// The gauge rule of the pre-listening players: the gauge's maximum becomes the medium's
// length and its value the position. True while the poll should go on: the position has not
// reached the length and the device is neither stopped nor paused.
bool ShowPlayProgress(QProgressBar *gauge, const MediaDevice &device);

// A button bar that drives one media file: Play, Pause, Stop and Record buttons (each shown
// or not) and a gauge on the right. The bar enables no button by itself; its owner sets the
// enabled buttons. A press first goes to the owner (Click, which may cancel the bar's own
// action), then the bar carries out its own action and reports it (Done):
//   Play   plays the open file from where it stands;
//   Pause  pauses, or resumes a paused file;
//   Stop   stops playing, or ends a recording: the recorder writes the file's sizes and the
//          file is opened anew, so its length counts the new samples;
//   Record records from the sound input into the open file, after the samples it holds.
// Player errors are reported through Done and never thrown.
class MediaPlayerBar : public QWidget
{
    Q_OBJECT

public:
    enum Button { Play = 0, Pause = 1, Stop = 2, Record = 3 };
    static constexpr int kButtonCount = 4;

    explicit MediaPlayerBar(QWidget *parent = nullptr);
    ~MediaPlayerBar() override;

    // The devices; the real ones (MediaPlayer, AudioSourceRecorder) are made on first use.
    void setDevice(std::unique_ptr<MediaDevice> device);
    void setRecorder(std::unique_ptr<SoundRecorder> recorder);
    MediaDevice &Device();
    SoundRecorder &Recorder();

    void setVisibleButtons(std::initializer_list<Button> buttons);
    // Exactly these buttons are enabled.
    void setEnabledButtons(std::initializer_list<Button> buttons);
    bool isButtonEnabled(Button button) const;
    QToolButton *button(Button b) const { return m_buttons[size_t(b)]; }

    // The file the bar works on: opened in the device (a failure is returned, the name kept
    // for recording all the same). Close ends a recording first.
    MediaResult open(const QString &file);
    void close();
    QString fileName() const { return m_file; }
    // Recording while the recorder runs, else the device's mode.
    MediaMode mode() const;
    bool isRecording() const;

    // The bar's own action of a button, as a press carries it out after Click.
    MediaResult DoAction(Button button);
    // Presses a button as the user does (Click, then the action); nothing when it is disabled.
    void Press(Button button);

    QProgressBar *Gauge;

Q_SIGNALS:
    // Before the bar's action; setting doDefault to false skips it.
    void Click(ly::platform::MediaPlayerBar::Button button, bool &doDefault);
    // After the bar's action.
    void Done(ly::platform::MediaPlayerBar::Button button, const ly::platform::MediaResult &result);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Layout();

    std::array<QToolButton *, kButtonCount> m_buttons{};
    std::unique_ptr<MediaDevice> m_device;
    std::unique_ptr<SoundRecorder> m_recorder;
    QString m_file;
};

} // namespace ly::platform
