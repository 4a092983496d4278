#pragma once

#include "control/widgets/Ly_Form.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TlyBevel;

// The small dialog that names a new library folder. The caller puts the base folder into
// EdtPath, runs the dialog with ShowModal and, on mrOk, takes NewFolder() and Description().
class TFrmCreateDir : public Tly_Form
{
    Q_OBJECT

public:
    // Asks for a folder: returns whether one was chosen and puts it into `folder`.
    using FolderPicker = std::function<bool(QWidget *owner, const QString &title, QString &folder)>;

    explicit TFrmCreateDir(QWidget *owner = nullptr);

    // The outcome after OK: AddTrailingBackslash(location) + folder name, trimmed, and the
    // trimmed description.
    QString NewFolder() const { return m_newFolder; }
    QString Description() const { return m_description; }

    // The "..." button's folder picker (the system's folder dialog unless replaced).
    void setFolderPicker(FolderPicker picker) { m_folderPicker = std::move(picker); }

    QLabel *LblTitle;
    TlyBevel *BvlTitle;
    QLabel *LblPath;
    QLineEdit *EdtPath;
    QToolButton *BtnOpen;
    QLabel *LblCreate;
    QLineEdit *EdtDir;
    QLabel *LblText;
    QLineEdit *EdtText;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;
    QLabel *PnlPath; // the foot panel that shows the folder to be made

public Q_SLOTS:
    void FormShow();
    void EdtDirChange(const QString &text);
    void BtnOpenClick();
    void BtnOKClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void LoadTexts();

    FolderPicker m_folderPicker;
    QString m_newFolder;
    QString m_description;
};
