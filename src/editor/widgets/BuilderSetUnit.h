#pragma once

#include "editor/widgets/EditorWindow.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The build settings page, docked in the main window: what the card does once it has played
// (run at start-up, a message, a web page, a reply mail), whether the Flash control travels in
// the card and whether the card shows its arrow panel; the values are the project's [System]
// keys. Its buttons run the main window's Preview, Build and mail-program commands.
class TFrmBuilderSet : public QWidget, public EditorWindow
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 432;
    // The colour of an edit box whose check box is off.
    static constexpr QRgb kSilver = 0xC0C0C0; // 12632256

    explicit TFrmBuilderSet(TFrmMain &main);

    // EditorWindow
    QWidget *Window() override { return this; }
    void LoadStep(const ly::ProjectDocument &project) override;
    void SaveStep(const ly::ProjectDocument &project) override;

    QLabel *Label1;
    QLabel *Label4;
    QGroupBox *GroupBox3;
    QCheckBox *CheckBoxRun;
    QCheckBox *CheckBoxDialog;
    QLineEdit *EdtDialog;
    QCheckBox *CheckBoxHttp;
    QLineEdit *EdtHttp;
    QCheckBox *CheckBoxEMail;
    QLineEdit *EdtEMail;
    QGroupBox *GroupBox1;
    QCheckBox *CheckBoxFlash;
    QLabel *LabelFlash;
    QGroupBox *GroupBox2;
    QLabel *LblPanel;
    QCheckBox *CheckBoxArrow;
    QLabel *ImgArrow;
    QPushButton *BtnPreview;
    QPushButton *BtnBuilder;
    QPushButton *BtnSendMail;

public Q_SLOTS:
    void CheckBoxDialogClick();
    void CheckBoxHttpClick();
    void CheckBoxEMailClick();
    void CheckBoxArrowClick();
    void BtnPreviewClick();
    void BtnBuilderClick();
    void BtnSendMailClick();

private:
    void LoadTexts();
    // All four handlers, so the edit boxes and the arrow follow their check boxes.
    void FollowCheckBoxes();

    TFrmMain &m_main;
};
