#pragma once

#include "control/widgets/Ly_Form.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TLyFullPicture;

namespace ly {
class ProjectDocument;
}

// The new-project dialog: a location, a project name and the modules of the card. OK (and the
// title bar's close button, which acts as OK) writes the project file from the template in a
// folder named after the project, makes it the current project, hides the dialog and runs
// PrepareProject with the ticked modules; the modal result is then mrOk. While the input is
// not usable the dialog warns and stays open. An existing project of that name is replaced
// only when the user agrees.
class TFrmNew : public Tly_Form
{
    Q_OBJECT

public:
    // The main window's PrepareProject(album, flash, frame card, movie).
    using PrepareFunction = std::function<void(bool, bool, bool, bool)>;
    // Asks for a folder: returns whether one was chosen and puts it into `folder`.
    using FolderPicker = std::function<bool(QWidget *owner, const QString &title, QString &folder)>;

    TFrmNew(ly::ProjectDocument &project, PrepareFunction prepare, QWidget *owner = nullptr);

    // The "..." button's folder picker (the system's folder dialog unless replaced).
    void setFolderPicker(FolderPicker picker) { m_folderPicker = std::move(picker); }

    TLyFullPicture *PnlHead;
    QLabel *TextTop_Lbl;
    QLabel *TextBtm_Lbl;
    QLabel *LblSelect;
    QCheckBox *CheckBlk;
    QCheckBox *CheckPicture;
    QCheckBox *CheckFlash;
    QCheckBox *CheckMovie;
    QCheckBox *CheckPicText;
    QLabel *LblLoca;
    QLineEdit *EdtPath;
    QToolButton *BtnBrow;
    QLabel *LblPro;
    QLineEdit *EdtFile;
    QPushButton *BtnOk;

public Q_SLOTS:
    void FormShow();
    void CheckBlkClick();
    void BtnBrowClick();
    void BtnOkClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void LoadTexts();
    bool CreateTheProject();
    void RefuseName();

    ly::ProjectDocument &m_project;
    PrepareFunction m_prepare;
    FolderPicker m_folderPicker;
};
