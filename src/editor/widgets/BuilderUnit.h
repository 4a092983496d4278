#pragma once

#include "control/widgets/Ly_Form.h"
#include "editor/BuilderUnit.h"

#include <QPixmap>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// The build wizard, shown modally by the Build command: "Begin" (Next tidies the project
// folder), "SaveFile" (the output file, its browse button and checks), "Create" (the build
// with its two progress bars and status texts; Cancel stops it) and "End" (the card's path and
// size). The build runs on the user interface thread once the click that started it has
// returned, inside the wizard's modal run; closing the wizard in any way while it runs counts
// as Cancel. Release() instead of delete: the wizard goes once the build has returned.
class TFrmBuilder : public Tly_Form, private ly::BuildProgress
{
    Q_OBJECT

public:
    // The save dialog: the folder it opens in and the proposed name; returns the chosen file
    // or an empty text.
    using SaveFilePicker =
        std::function<QString(QWidget *owner, const QString &folder, const QString &name)>;

    TFrmBuilder(const QString &projectFile, const QPixmap &sidePicture, QWidget *owner = nullptr);
    ~TFrmBuilder() override;

    void setSaveFilePicker(SaveFilePicker picker) { m_saveFilePicker = std::move(picker); }
    // Deletes the wizard now, or, while the build is on the stack, as soon as it has returned.
    void Release();
    bool Building() const { return m_building; }
    // The name of the page in front: "Begin", "SaveFile", "Create" or "End".
    QString ActivePage() const;

    TLyFullPicture *ImgSide;
    QStackedWidget *Notebook1;
    QWidget *PageBegin;
    QWidget *PageSaveFile;
    QWidget *PageCreate;
    QWidget *PageEnd;
    // Begin
    QLabel *LblTitle;
    QLabel *LabelBegin;
    QPushButton *Btn_BeginNext;
    QPushButton *Btn_BeginCancel;
    // SaveFile
    QLabel *Label5;
    QLabel *Label6;
    QLabel *LabelExeName;
    QLineEdit *EdtFileExeName;
    QPushButton *Btn_SaveBrow;
    QPushButton *Btn_SaveBack;
    QPushButton *Btn_SaveNext;
    QPushButton *Btn_SaveCancel;
    // Create
    QLabel *Label10;
    QLabel *Label11;
    QLabel *LabelDo;
    QProgressBar *ProgressBarFile;
    QLabel *LblZipShow;
    QProgressBar *ProgressBarZip;
    QLabel *LblFileShow;
    QPushButton *Button2;
    // End
    QLabel *Label9;
    QLabel *Label14;
    QGroupBox *GroupBox1;
    QLabel *LblFilePath;
    QLabel *LblExePath;
    QLabel *LblFileSize;
    QLabel *LblExeSize;
    QPushButton *BtnFinishPath;
    QPushButton *BtnFinished;

public Q_SLOTS:
    void FormShow();
    void Btn_BeginNextClick();
    void Btn_BeginCancelClick();
    void Btn_SaveBrowClick();
    void Btn_SaveBackClick();
    void Btn_SaveNextClick();
    void Btn_SaveCancelClick();
    void Button2Click();
    void BtnFinishPathClick();
    void BtnFinishedClick();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // ly::BuildProgress
    void SetZipShow(const QString &text) override;
    void SetFileShow(const QString &text) override;
    void SetFileBar(int position, int maximum) override;

    void LoadTexts();
    void ShowPageOf(QWidget *page);
    // The build procedure, started by SaveFile's Next once its click has returned.
    void RunBuild();
    // Cancel on the Create page, or the wizard closed meanwhile.
    void CancelBuild();

    QString m_projectFile;
    SaveFilePicker m_saveFilePicker;
    std::unique_ptr<ly::CardBuilder> m_builder;
    QString m_outputPath;
    bool m_building = false;
    bool m_cancelled = false;
    bool m_released = false;
};
