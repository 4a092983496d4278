#include "editor/VoiceRecording.h"
#include "editor/widgets/RecordMusicUnit.h"
#include "platform/FakeMedia.h"
#include "platform/Wait.h"
#include "platform/WaveOut.h"
#include "shared/widgets/Notice.h"
#include "support/MediaFixtures.h"
#include "support/Modal.h"
#include "support/Sandbox.h"

#include <QDataStream>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using Bar = ly::platform::MediaPlayerBar;
using ly::platform::FakeMediaDevice;
using ly::platform::FakeSoundRecorder;

QStringList g_notices;

// The sizes of a voice file: file size, RIFF size, data size.
struct Sizes
{
    qint64 file;
    uint32_t riff, data;
    bool operator==(const Sizes &) const = default;
};
Sizes sizesOf(const QString &path)
{
    const QByteArray f = lytest::readFile(path);
    if (f.size() < 44)
        return {f.size(), 0, 0};
    QDataStream in(f);
    in.setByteOrder(QDataStream::LittleEndian);
    Sizes sizes{f.size(), 0, 0};
    in.skipRawData(4);
    in >> sizes.riff;
    in.skipRawData(32);
    in >> sizes.data;
    return sizes;
}
void PrintTo(const Sizes &s, std::ostream *os)
{
    *os << "{file " << s.file << ", riff " << s.riff << ", data " << s.data << "}";
}

class RecordMusicUnitTest : public lytest::SandboxTest
{
protected:
    void SetUp() override
    {
        g_notices.clear();
        ly::SetNoticeHook([](int kind, const QString &text) {
            g_notices.append(QString::number(kind) + ": " + text);
        });
        working = ly::VoiceWorkingFile();
        dialog = makeDialog();
    }
    void TearDown() override
    {
        dialog.reset();
        ly::SetNoticeHook(nullptr);
        ly::platform::SetWaveOutVolume({});
    }

    std::unique_ptr<TFrmRecordMusic> makeDialog()
    {
        auto d = std::make_unique<TFrmRecordMusic>();
        auto device = std::make_unique<FakeMediaDevice>();
        media = device.get();
        media->addMedium(working, {0, {}, {}});
        d->setMediaDevice(std::move(device));
        auto rec = std::make_unique<FakeSoundRecorder>();
        recorder = rec.get();
        d->setRecorder(std::move(rec));
        return d;
    }

    void show()
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    bool enabled(Bar::Button b) const { return dialog->MediaPlayer1->isButtonEnabled(b); }
    QList<Bar::Button> enabledButtons() const
    {
        QList<Bar::Button> on;
        for (Bar::Button b : {Bar::Play, Bar::Pause, Bar::Stop, Bar::Record})
            if (enabled(b))
                on << b;
        return on;
    }
    void press(Bar::Button b)
    {
        ASSERT_TRUE(enabled(b)) << b;
        dialog->MediaPlayer1->button(b)->click();
    }

    // A recording of `bytes` samples made through the dialog.
    void recordSamples(int bytes)
    {
        if (dialog->BtnStart->isEnabled() && dialog->WorkingFile().isEmpty())
            dialog->BtnStart->click();
        press(Bar::Record);
        recorder->feed(QByteArray(bytes, '\x90'));
        press(Bar::Stop);
    }

    // Runs "&Save" answering the keep question with Yes and the save dialog with `name`; then
    // answers the replace question, when it comes, with `replace`.
    void saveAs(const QString &name, QMessageBox::StandardButton replace = QMessageBox::NoButton)
    {
        lytest::ModalScript script;
        script.then<QMessageBox>([](QMessageBox *box) {
            EXPECT_EQ(box->text(), TFrmRecordMusic::kKeepQuestion);
            EXPECT_EQ(box->windowTitle(), "Information");
            box->button(QMessageBox::Yes)->click();
        });
        script.then<QFileDialog>([name](QFileDialog *d) {
            EXPECT_EQ(d->nameFilters(), QStringList{"*.wav"});
            d->selectFile(name);
            static_cast<QDialog *>(d)->accept(); // the dialog checks the name as on OK
        });
        if (replace != QMessageBox::NoButton)
            script.then<QMessageBox>([replace](QMessageBox *box) {
                EXPECT_TRUE(box->text().endsWith("already exists. Do you want to replace it?"))
                    << box->text().toStdString();
                box->button(replace)->click();
            });
        lytest::ModalGuard guard(dialog.get());
        dialog->BtnSaveAs->click();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(", ").toStdString();
    }

    std::unique_ptr<TFrmRecordMusic> dialog;
    FakeMediaDevice *media = nullptr;
    FakeSoundRecorder *recorder = nullptr;
    QString working;
};

TEST_F(RecordMusicUnitTest, OpensIdleAndNewPreparesTheWorkingFile)
{
    show();
    EXPECT_EQ(dialog->titleText(), "Recording Constitution Window");
    EXPECT_EQ(dialog->GroupBoxSet->title(), "Recording constitution");
    EXPECT_EQ(dialog->LblPosition->text(), "Position:");
    EXPECT_EQ(dialog->BtnStart->text(), "&New");
    EXPECT_EQ(dialog->BtnSaveAs->text(), "&Save");
    EXPECT_TRUE(dialog->BtnStart->isEnabled());
    EXPECT_FALSE(dialog->BtnSaveAs->isEnabled());
    EXPECT_FALSE(dialog->BtnOpen->isEnabled());
    EXPECT_TRUE(enabledButtons().isEmpty());
    EXPECT_FALSE(dialog->MediaPlayer1->Gauge->isVisible());
    EXPECT_EQ(dialog->MediaPlayer1->width(), 170);
    EXPECT_TRUE(dialog->EdtFileName->text().isEmpty());
    EXPECT_FALSE(dialog->TimerRecord->isActive() || dialog->TimerPlay->isActive());

    // A working file left from an earlier dialog that the editor does not use is replaced.
    sandbox.writeFile(QDir(sandbox.root()).relativeFilePath(working), QByteArray(900, 'x'));
    dialog->BtnStart->click();
    EXPECT_TRUE(g_notices.isEmpty()) << g_notices.join("; ").toStdString();
    EXPECT_EQ(lytest::readFile(working), ly::platform::WaveHeader(ly::platform::kVoiceFormat, 0));
    EXPECT_EQ(dialog->EdtFileName->text(), working);
    EXPECT_EQ(media->fileName(), working);
    EXPECT_EQ(enabledButtons(), QList<Bar::Button>{Bar::Record});
    EXPECT_FALSE(dialog->BtnStart->isEnabled());
}

TEST_F(RecordMusicUnitTest, RecordStopPlayAndRecordAgainWhichAppends)
{
    show();
    dialog->BtnStart->click();
    press(Bar::Record);
    EXPECT_EQ(enabledButtons(), QList<Bar::Button>{Bar::Stop});
    EXPECT_TRUE(dialog->TimerRecord->isActive());
    EXPECT_FALSE(dialog->MediaPlayer1->Gauge->isVisible());
    recorder->feed(QByteArray(22050, '\x90'));
    dialog->TimerRecordTimer();
    EXPECT_EQ(dialog->EdtPosition->text(), "2Second");
    EXPECT_EQ(dialog->EdtLength->text(), "2Second");

    press(Bar::Stop);
    EXPECT_EQ(enabledButtons(), (QList<Bar::Button>{Bar::Play, Bar::Record}));
    EXPECT_FALSE(dialog->TimerRecord->isActive());
    EXPECT_TRUE(dialog->BtnOpen->isEnabled() && dialog->BtnStart->isEnabled()
                && dialog->BtnSaveAs->isEnabled());
    EXPECT_EQ(sizesOf(working), (Sizes{44 + 22050, 36 + 22050, 22050}));

    media->addMedium(working, {2000, {}, {}});
    press(Bar::Play);
    EXPECT_EQ(dialog->EdtLength->text(), "2Second");
    EXPECT_EQ(dialog->RecordingLength(), 2);
    EXPECT_TRUE(dialog->MediaPlayer1->Gauge->isVisible());
    EXPECT_EQ(enabledButtons(), QList<Bar::Button>{Bar::Stop});
    EXPECT_EQ(media->mode(), ly::platform::MediaMode::Playing);
    media->advance(1200);
    dialog->TimerPlayTimer();
    EXPECT_EQ(dialog->EdtPosition->text(), "1Second");
    EXPECT_EQ(dialog->MediaPlayer1->Gauge->maximum(), 2000);
    EXPECT_EQ(dialog->MediaPlayer1->Gauge->value(), 1200);
    EXPECT_TRUE(dialog->TimerPlay->isActive());
    media->advance(1000);
    dialog->TimerPlayTimer();
    EXPECT_EQ(dialog->EdtPosition->text(), "2Second");
    EXPECT_FALSE(dialog->TimerPlay->isActive());
    EXPECT_EQ(enabledButtons(), (QList<Bar::Button>{Bar::Play, Bar::Record}));

    // Record after a stop goes on after what is there.
    press(Bar::Record);
    recorder->feed(QByteArray(100, '\x70'));
    press(Bar::Stop);
    EXPECT_EQ(sizesOf(working), (Sizes{44 + 22150, 36 + 22150, 22150}));
    EXPECT_EQ(lytest::readFile(working).mid(44 + 22050), QByteArray(100, '\x70'));

    dialog->BtnOpen->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Result(), working);
}

TEST_F(RecordMusicUnitTest, ClosingWhileRecordingFinishesTheFileAndCancelGivesNothing)
{
    show();
    recordSamples(500);
    press(Bar::Record);
    recorder->feed(QByteArray(1001, '\x90'));
    dialog->BtnCancel->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(sizesOf(working), (Sizes{44 + 1502, 36 + 1502, 1502}));
    EXPECT_TRUE(dialog->Result().isEmpty());

    // The title bar's close button: the same.
    dialog = makeDialog();
    show();
    recordSamples(10);
    press(Bar::Record);
    dialog->Ttl_BtnExitClick();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_TRUE(dialog->Result().isEmpty());
}

TEST_F(RecordMusicUnitTest, ANewDialogAsksBeforeReplacingTheRecordingTheEditorUses)
{
    const QByteArray old = ly::platform::WaveHeader(ly::platform::kVoiceFormat, 4) + "abcd";
    sandbox.writeFile(QDir(sandbox.root()).relativeFilePath(working), old);
    dialog->setCurrentRecording(" " + working + " ");
    show();
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        lytest::ModalScript script;
        script.then<QMessageBox>([&](QMessageBox *box) {
            EXPECT_EQ(box->text(), "The card's recorded voice is kept in \"" + working
                                       + "\". A new recording replaces it. Do you want to go on?");
            box->button(answer)->click();
        });
        lytest::ModalGuard guard(dialog.get());
        dialog->BtnStart->click();
        EXPECT_TRUE(script.finished());
        if (answer == QMessageBox::No) {
            EXPECT_EQ(lytest::readFile(working), old);
            EXPECT_TRUE(enabledButtons().isEmpty());
            EXPECT_TRUE(dialog->BtnStart->isEnabled());
        }
    }
    EXPECT_EQ(sizesOf(working), (Sizes{44, 36, 0}));
    EXPECT_EQ(enabledButtons(), QList<Bar::Button>{Bar::Record});
}

TEST_F(RecordMusicUnitTest, SaveKeepsACopyUnderTheChosenNameAndAsksBeforeReplacing)
{
    show();
    recordSamples(300);
    const QString home = sandbox.root() + "home/";
    QDir().mkpath(home);

    // ".wav" is appended only when the name lacks it.
    saveAs(home + "hello");
    EXPECT_EQ(dialog->EdtFileName->text(), home + "hello.wav");
    EXPECT_EQ(lytest::readFile(home + "hello.wav"), lytest::readFile(working));
    saveAs(home + "again.WAV");
    EXPECT_TRUE(QFileInfo::exists(home + "again.WAV"));
    EXPECT_FALSE(QFileInfo::exists(home + "again.WAV.wav"));

    // An existing file: No keeps it and gives nothing; Yes replaces it.
    const QString other = sandbox.writeFile("home/other.wav", "someone else's");
    saveAs(home + "other.wav", QMessageBox::No);
    EXPECT_EQ(lytest::readFile(other), QByteArray("someone else's"));
    EXPECT_EQ(dialog->EdtFileName->text(), home + "again.WAV");
    saveAs(home + "other", QMessageBox::Yes);
    EXPECT_EQ(lytest::readFile(other), lytest::readFile(working));
    EXPECT_EQ(dialog->EdtFileName->text(), other);

    // A copy that fails is an error and the last good name stays.
    saveAs(home + "no/such/folder/voice");
    EXPECT_EQ(g_notices, QStringList{"1: Cannot save the recording as \"" + home
                                     + "no/such/folder/voice.wav\"."});
    EXPECT_EQ(dialog->EdtFileName->text(), other);

    // No to the keep question: nothing.
    {
        lytest::ModalScript script;
        script.then<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::No)->click(); });
        lytest::ModalGuard guard(dialog.get());
        dialog->BtnSaveAs->click();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty());
    }

    // The result is the kept copy; a second "&New" offers to keep the recording first.
    EXPECT_EQ(dialog->Result(), other);
    {
        lytest::ModalScript script;
        script.then<QMessageBox>([](QMessageBox *box) {
            EXPECT_EQ(box->text(), TFrmRecordMusic::kKeepQuestion);
            box->button(QMessageBox::No)->click();
        });
        lytest::ModalGuard guard(dialog.get());
        dialog->BtnStart->click();
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(sizesOf(working), (Sizes{44, 36, 0}));
    EXPECT_EQ(lytest::readFile(other).size(), 44 + 300);
}

TEST_F(RecordMusicUnitTest, AWorkingFileThatCannotBeWrittenShowsTheFailureMessage)
{
    QDir().mkpath(working); // a folder where the file goes
    show();
    dialog->BtnStart->click();
    EXPECT_EQ(g_notices, QStringList{"1: " + TFrmRecordMusic::kPrepareFailedText});
    EXPECT_TRUE(enabledButtons().isEmpty());
    EXPECT_TRUE(dialog->BtnStart->isEnabled());
}

TEST_F(RecordMusicUnitTest, TheVolumeSliderFollowsAndSetsTheWaveOutVolume)
{
    ly::platform::SetWaveOutVolume({0x4000, 0x8000});
    dialog = makeDialog();
    EXPECT_EQ(dialog->TrackBarMusicV->value(), 255 - 0x80);
    EXPECT_EQ(dialog->TrackBarMusicV->minimum(), 1);
    EXPECT_EQ(dialog->TrackBarMusicV->maximum(), 255);
    EXPECT_EQ(dialog->TrackBarMusicV->orientation(), Qt::Vertical);
    EXPECT_TRUE(dialog->TrackBarMusicV->invertedAppearance()) << "full volume stands at the top";
    EXPECT_EQ(ly::platform::WaveOutVolume(), (ly::platform::WaveVolume{0x4000, 0x8000}));
    dialog->TrackBarMusicV->setValue(55);
    EXPECT_EQ(ly::platform::WaveOutVolume(), (ly::platform::WaveVolume{200 * 256, 200 * 256}));
}

#define REQUIRE_SOUND_DEVICES()                                                                   \
    if (!lytest::haveSoundDevices())                                                              \
    GTEST_SKIP() << "no sound device: run through ./test.sh, which starts a PulseAudio null source"

TEST(RecordMusicRealTest, TwoSecondsFromTheDefaultInputMakeAVoiceFileThatPythonReads)
{
    REQUIRE_SOUND_DEVICES();
    lytest::Sandbox sandbox;
    g_notices.clear();
    ly::SetNoticeHook([](int kind, const QString &text) {
        g_notices.append(QString::number(kind) + ": " + text);
    });
    TFrmRecordMusic dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.BtnStart->click();
    ASSERT_TRUE(g_notices.isEmpty()) << g_notices.join("; ").toStdString();
    dialog.MediaPlayer1->button(Bar::Record)->click();
    ASSERT_TRUE(dialog.MediaPlayer1->isRecording());
    EXPECT_TRUE(ly::platform::WaitBounded(
        [&] { return dialog.MediaPlayer1->Recorder().recordedMs() >= 2000; }, 10000));
    EXPECT_TRUE(ly::platform::WaitBounded([&] { return dialog.EdtLength->text() == "2Second"; }, 2000));
    dialog.MediaPlayer1->button(Bar::Stop)->click();
    EXPECT_FALSE(dialog.MediaPlayer1->isRecording());

    const QString file = dialog.WorkingFile();
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, wave, struct, os\n"
                  "p = sys.argv[1]\n"
                  "w = wave.open(p)\n"
                  "raw = open(p, 'rb').read()\n"
                  "riff, = struct.unpack('<I', raw[4:8])\n"
                  "data, = struct.unpack('<I', raw[40:44])\n"
                  "print(w.getnchannels(), w.getsampwidth() * 8, w.getframerate(), w.getnframes(),"
                  " riff == len(raw) - 8, data == len(raw) - 44 == w.getnframes())\n",
                  file});
    ASSERT_TRUE(python.waitForFinished(20000));
    const QStringList fields = QString::fromUtf8(python.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(fields.size(), 6) << python.readAllStandardError().toStdString();
    EXPECT_EQ(fields.mid(0, 3), (QStringList{"1", "8", "11025"}));
    EXPECT_NEAR(fields[3].toInt(), 22050, 2205);
    EXPECT_EQ(fields[4], "True");
    EXPECT_EQ(fields[5].trimmed(), "True");

    // Played back to its end on the null sink.
    dialog.MediaPlayer1->button(Bar::Play)->click();
    EXPECT_EQ(dialog.EdtLength->text(), "2Second");
    EXPECT_TRUE(ly::platform::WaitBounded([&] { return !dialog.TimerPlay->isActive(); }, 15000));
    EXPECT_EQ(dialog.EdtPosition->text(), "2Second");
    EXPECT_TRUE(dialog.MediaPlayer1->isButtonEnabled(Bar::Record));
    dialog.BtnOpen->click();
    EXPECT_EQ(dialog.Result(), file);
    ly::SetNoticeHook(nullptr);
}

} // namespace
