#pragma once

#include "control/widgets/Ly_Form.h"
#include "platform/widgets/MediaPlayerBar.h"

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
namespace ly::platform {
class MediaDevice;
class SoundRecorder;
} // namespace ly::platform

// The voice recording dialog of the background editor. "&New" prepares the working file
// (TempDir() + "Temp.wav") with the voice header; the player bar records into it from the
// default sound input (Record again after Stop goes on after what is there), plays it back and
// stops; "&Save" keeps a copy under a chosen name; "&Open" hands the recording back. Closing
// while recording or playing stops first, so the file gets its sizes.
//
//     TFrmRecordMusic dialog(this);
//     dialog.setCurrentRecording(editor.RecordPath());
//     dialog.ShowModal();
//     editor.SetRecordFile(dialog.Result());
class TFrmRecordMusic : public Tly_Form
{
    Q_OBJECT

public:
    static constexpr int kClockMs = 100;
    static constexpr int kPlayerWidth = 170;
    static inline const QString kPrepareFailedText =
        QStringLiteral("The medium equipments beginning starts to turn the failure");
    static inline const QString kKeepQuestion =
        QStringLiteral("Has the document change, wanted the conservancy?");

    explicit TFrmRecordMusic(QWidget *owner = nullptr);
    ~TFrmRecordMusic() override;

    // The recording the editor uses now: a first "&New" asks before it replaces that file
    // when it is the working file.
    void setCurrentRecording(const QString &path) { m_currentRecording = path; }
    void setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device);
    void setRecorder(std::unique_ptr<ly::platform::SoundRecorder> recorder);
    // The path for the editor, trimmed; empty after "&Cancel" or the close button.
    QString Result() const { return m_result.trimmed(); }
    QString WorkingFile() const { return m_workingFile; }
    // The recording length of the last playback, in whole seconds.
    int RecordingLength() const { return m_lengthSeconds; }

    // The whole use in one call: the path for the editor, or empty.
    static QString Record(QWidget *owner, const QString &currentRecording);

    QLabel *TextTop_Lbl;
    QLabel *TextBtm_Lbl;
    QGroupBox *GroupBoxSet;
    QLabel *LblFileName;
    QLineEdit *EdtFileName;
    QLabel *LblPosition;
    QLineEdit *EdtPosition;
    QLabel *LblLength;
    QLineEdit *EdtLength;
    ly::platform::MediaPlayerBar *MediaPlayer1;
    QGroupBox *GroupBoxMusicV;
    QLabel *LblMusicV;
    QSlider *TrackBarMusicV;
    QPushButton *BtnStart;
    QPushButton *BtnSaveAs;
    QPushButton *BtnOpen;
    QPushButton *BtnCancel;
    QTimer *TimerRecord;
    QTimer *TimerPlay;

public Q_SLOTS:
    void FormShow();
    void BtnStartClick();
    void BtnSaveAsClick();
    void BtnOpenClick();
    void BtnCancelClick();
    void MediaPlayer1Click(ly::platform::MediaPlayerBar::Button button, bool &doDefault);
    void TimerRecordTimer();
    void TimerPlayTimer();
    void TrackBarMusicVChange();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void LoadTexts();
    void RecordClick();
    void StopClick();
    void PlayClick();
    bool Ask(const QString &text);
    static QString SecondsText(qint64 seconds);

    QString m_currentRecording;
    QString m_workingFile;
    QString m_result;
    int m_lengthSeconds = 0;
};
