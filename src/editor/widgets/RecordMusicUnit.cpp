#include "editor/widgets/RecordMusicUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/VoiceRecording.h"
#include "platform/MediaDevice.h"
#include "platform/SoundRecorder.h"
#include "shared/Error.h"
#include "shared/FileHelpers.h"
#include "shared/widgets/ControlNames.h"
#include "shared/widgets/Notice.h"
#include "shared/widgets/VolumeTrackBar.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>

namespace {

using Bar = ly::platform::MediaPlayerBar;

QLineEdit *readOnlyField(QWidget *parent, const QString &name, QLabel *caption)
{
    auto *field = ly::Named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    caption->setBuddy(field);
    return field;
}

QPushButton *button(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    return b;
}

} // namespace

TFrmRecordMusic::TFrmRecordMusic(QWidget *owner) : Tly_Form(owner)
{
    setObjectName(QStringLiteral("FrmRecordMusic"));
    QWidget *client = ClientArea();
    TextTop_Lbl = ly::BoldLabel(client);
    TextTop_Lbl->setGeometry(12, 4, 400, 18);
    TextBtm_Lbl = new QLabel(client);
    TextBtm_Lbl->setGeometry(28, 22, 380, 18);

    GroupBoxSet = new QGroupBox(client);
    GroupBoxSet->setObjectName(QStringLiteral("GroupBoxSet"));
    GroupBoxSet->setGeometry(8, 46, 318, 132);
    LblFileName = new QLabel(GroupBoxSet);
    LblFileName->setObjectName(QStringLiteral("LblFileName"));
    LblFileName->setGeometry(10, 24, 66, 22);
    EdtFileName = readOnlyField(GroupBoxSet, QStringLiteral("EdtFileName"), LblFileName);
    EdtFileName->setGeometry(78, 24, 230, 22);
    LblPosition = new QLabel(GroupBoxSet);
    LblPosition->setObjectName(QStringLiteral("LblPosition"));
    LblPosition->setGeometry(10, 56, 66, 22);
    EdtPosition = readOnlyField(GroupBoxSet, QStringLiteral("EdtPosition"), LblPosition);
    EdtPosition->setGeometry(78, 56, 74, 22);
    LblLength = new QLabel(GroupBoxSet);
    LblLength->setObjectName(QStringLiteral("LblLength"));
    LblLength->setGeometry(164, 56, 60, 22);
    EdtLength = readOnlyField(GroupBoxSet, QStringLiteral("EdtLength"), LblLength);
    EdtLength->setGeometry(226, 56, 82, 22);
    MediaPlayer1 = ly::Named(new Bar(GroupBoxSet), QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setVisibleButtons({Bar::Play, Bar::Stop, Bar::Record});
    MediaPlayer1->setGeometry(10, 92, kPlayerWidth, 26);

    GroupBoxMusicV = new QGroupBox(client);
    GroupBoxMusicV->setObjectName(QStringLiteral("GroupBoxMusicV"));
    GroupBoxMusicV->setGeometry(334, 46, 104, 132);
    LblMusicV = new QLabel(GroupBoxMusicV);
    LblMusicV->setObjectName(QStringLiteral("LblMusicV"));
    LblMusicV->setGeometry(10, 22, 84, 18);
    TrackBarMusicV = ly::Named(new QSlider(Qt::Vertical, GroupBoxMusicV),
                               QStringLiteral("TrackBarMusicV"));
    TrackBarMusicV->setGeometry(34, 42, 36, 84);
    TrackBarMusicV->setTickPosition(QSlider::TicksBothSides);
    LblMusicV->setBuddy(TrackBarMusicV);

    BtnStart = button(client, "BtnStart", QRect(8, 190, 86, 26));
    BtnSaveAs = button(client, "BtnSaveAs", QRect(100, 190, 86, 26));
    BtnOpen = button(client, "BtnOpen", QRect(260, 190, 86, 26));
    BtnCancel = button(client, "BtnCancel", QRect(352, 190, 86, 26));
    setClientAreaSize(QSize(446, 226));

    TimerRecord = new QTimer(this);
    TimerRecord->setInterval(kClockMs);
    TimerPlay = new QTimer(this);
    TimerPlay->setInterval(kClockMs);
    ly::InitVolumeTrackBar(TrackBarMusicV);
    MediaPlayer1->setEnabledButtons({});

    connect(BtnStart, &QPushButton::clicked, this, &TFrmRecordMusic::BtnStartClick);
    connect(BtnSaveAs, &QPushButton::clicked, this, &TFrmRecordMusic::BtnSaveAsClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TFrmRecordMusic::BtnOpenClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmRecordMusic::BtnCancelClick);
    connect(MediaPlayer1, &Bar::Click, this, &TFrmRecordMusic::MediaPlayer1Click);
    connect(TimerRecord, &QTimer::timeout, this, &TFrmRecordMusic::TimerRecordTimer);
    connect(TimerPlay, &QTimer::timeout, this, &TFrmRecordMusic::TimerPlayTimer);
    connect(TrackBarMusicV, &QSlider::valueChanged, this, &TFrmRecordMusic::TrackBarMusicVChange);
}

TFrmRecordMusic::~TFrmRecordMusic() = default;

void TFrmRecordMusic::setMediaDevice(std::unique_ptr<ly::platform::MediaDevice> device)
{
    MediaPlayer1->setDevice(std::move(device));
}

void TFrmRecordMusic::setRecorder(std::unique_ptr<ly::platform::SoundRecorder> recorder)
{
    MediaPlayer1->setRecorder(std::move(recorder));
}

QString TFrmRecordMusic::Record(QWidget *owner, const QString &currentRecording)
{
    TFrmRecordMusic dialog(owner);
    dialog.setCurrentRecording(currentRecording);
    dialog.ShowModal();
    return dialog.Result();
}

QString TFrmRecordMusic::SecondsText(qint64 seconds)
{
    return QString::number(seconds) + QStringLiteral("Second");
}

void TFrmRecordMusic::LoadTexts()
{
    setTitleText(QStringLiteral("Recording Constitution Window"));
    TextTop_Lbl->setText(QStringLiteral("Recording constitution"));
    TextBtm_Lbl->setText(QStringLiteral("Recording Wav Files"));
    GroupBoxSet->setTitle(QStringLiteral("Recording constitution"));
    LblPosition->setText(QStringLiteral("Position:"));
    LblLength->setText(QStringLiteral("Length:"));
    LblFileName->setText(QStringLiteral("Filename:"));
    GroupBoxMusicV->setTitle(QStringLiteral("Volume control"));
    LblMusicV->setText(QStringLiteral("Volume"));
    BtnOpen->setText(QStringLiteral("&Open"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    BtnStart->setText(QStringLiteral("&New"));
    BtnSaveAs->setText(QStringLiteral("&Save"));
}

void TFrmRecordMusic::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmRecordMusic::FormShow()
{
    LoadTexts();
    BtnStart->setEnabled(true);
    BtnSaveAs->setEnabled(false);
    // "&Open" hands a recording back, so it waits for the first one.
    BtnOpen->setEnabled(false);
    MediaPlayer1->resize(kPlayerWidth, MediaPlayer1->height());
    EdtPosition->clear();
    EdtLength->clear();
    EdtFileName->clear();
    MediaPlayer1->Gauge->hide();
}

bool TFrmRecordMusic::Ask(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Information"), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    return box.exec() == QMessageBox::Yes;
}

// ---- New and Save --------------------------------------------------------------------------

void TFrmRecordMusic::BtnStartClick()
{
    MediaPlayer1->close();
    TimerPlay->stop();
    TimerRecord->stop();
    try {
        if (!m_workingFile.isEmpty()) {
            BtnSaveAsClick();
        } else {
            const QString working = ly::VoiceWorkingFile();
            // The editor may still hold an earlier recording in the working file.
            if (ly::IsVoiceWorkingFile(m_currentRecording) && QFileInfo(working).isFile()
                && !Ask(QStringLiteral("The card's recorded voice is kept in \"%1\". A new "
                                       "recording replaces it. Do you want to go on?")
                            .arg(working)))
                return;
            m_workingFile = working;
        }
        if (!ly::PrepareVoiceFile(m_workingFile))
            throw ly::Error(kPrepareFailedText);
        EdtFileName->setText(m_workingFile);
        EdtPosition->clear();
        EdtLength->clear();
        MediaPlayer1->Gauge->hide();
        if (!MediaPlayer1->open(m_workingFile).ok())
            throw ly::Error(kPrepareFailedText);
        MediaPlayer1->setEnabledButtons({Bar::Record});
        BtnStart->setEnabled(false);
    } catch (const ly::Error &) {
        ly::ShowNotice(ly::NoticeError, kPrepareFailedText);
    }
}

void TFrmRecordMusic::BtnSaveAsClick()
{
    if (m_workingFile.isEmpty() || !Ask(kKeepQuestion))
        return;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("*.wav"));
    // The name gets its ".wav" below, and the replace question follows for that name.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst().trimmed();
    if (chosen.isEmpty())
        return;
    const QString target = ly::VoiceSaveTarget(chosen);
    const QFileInfo there(target);
    const bool itself = there.exists()
                        && there.canonicalFilePath() == QFileInfo(m_workingFile).canonicalFilePath();
    if (!itself) {
        if (there.exists()
            && !Ask(QStringLiteral("\"%1\" already exists. Do you want to replace it?").arg(target)))
            return;
        if (there.isDir() || !ly::CopyFileReplacing(m_workingFile, target)) {
            ly::ShowNotice(ly::NoticeError,
                           QStringLiteral("Cannot save the recording as \"%1\".").arg(target));
            return;
        }
    }
    EdtFileName->setText(target);
    m_result = target;
}

// ---- The player ----------------------------------------------------------------------------

void TFrmRecordMusic::MediaPlayer1Click(Bar::Button button, bool &doDefault)
{
    // Each press is carried out here, the player's own action in its place among the steps.
    doDefault = false;
    if (button == Bar::Record)
        RecordClick();
    else if (button == Bar::Stop)
        StopClick();
    else if (button == Bar::Play)
        PlayClick();
}

void TFrmRecordMusic::RecordClick()
{
    TimerPlay->stop();
    MediaPlayer1->Gauge->hide();
    MediaPlayer1->setEnabledButtons({Bar::Stop});
    TimerRecord->start();
    TimerRecordTimer();
    // Player errors are swallowed; the buttons have changed all the same.
    (void)MediaPlayer1->DoAction(Bar::Record);
}

void TFrmRecordMusic::StopClick()
{
    MediaPlayer1->setEnabledButtons({Bar::Play, Bar::Record});
    TimerRecord->stop();
    TimerPlay->stop();
    BtnOpen->setEnabled(true);
    (void)MediaPlayer1->DoAction(Bar::Stop);
    BtnStart->setEnabled(true);
    BtnSaveAs->setEnabled(true);
    m_result = EdtFileName->text();
}

void TFrmRecordMusic::PlayClick()
{
    TimerPlay->start();
    MediaPlayer1->Gauge->show();
    // The file is read anew, so the length counts everything recorded into it.
    (void)MediaPlayer1->open(m_workingFile);
    m_lengthSeconds = ly::RecordingSeconds(MediaPlayer1->Device());
    EdtLength->setText(SecondsText(m_lengthSeconds));
    MediaPlayer1->setEnabledButtons({Bar::Stop});
    (void)MediaPlayer1->DoAction(Bar::Play);
}

void TFrmRecordMusic::TimerRecordTimer()
{
    const QString text = SecondsText(MediaPlayer1->Recorder().recordedMs() / 1000);
    EdtPosition->setText(text);
    EdtLength->setText(text);
}

void TFrmRecordMusic::TimerPlayTimer()
{
    const ly::platform::MediaDevice &device = MediaPlayer1->Device();
    const qint64 maximum = device.length();
    const qint64 progress = device.position();
    QProgressBar *gauge = MediaPlayer1->Gauge;
    gauge->setRange(0, int(std::max<qint64>(maximum, 1)));
    gauge->setValue(int(std::clamp<qint64>(progress, 0, gauge->maximum())));
    EdtPosition->setText(SecondsText(maximum > 0 ? progress * m_lengthSeconds / maximum : 0));
    const ly::platform::MediaMode mode = device.mode();
    // A device that has ended by itself stands still before the last millisecond too.
    if (progress >= maximum || mode == ly::platform::MediaMode::Stopped
        || mode == ly::platform::MediaMode::NotReady) {
        MediaPlayer1->setEnabledButtons({Bar::Play, Bar::Record});
        TimerPlay->stop();
    }
}

void TFrmRecordMusic::TrackBarMusicVChange()
{
    ly::ApplyVolumeTrackBar(TrackBarMusicV);
}

// ---- Closing -------------------------------------------------------------------------------

void TFrmRecordMusic::BtnOpenClick()
{
    setModalResult(mrOk);
    close();
}

void TFrmRecordMusic::BtnCancelClick()
{
    m_result.clear();
    setModalResult(mrCancel);
    close();
}

void TFrmRecordMusic::closeEvent(QCloseEvent *event)
{
    // A recording still running is ended, so the file gets its sizes; playing stops.
    TimerRecord->stop();
    TimerPlay->stop();
    MediaPlayer1->close();
    if (ModalResult() != mrOk)
        m_result.clear();
    Tly_Form::closeEvent(event);
}
