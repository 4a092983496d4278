#pragma once

#include "control/widgets/Ly_Form.h"

#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TLyFullPicture;

// The options dialog over the program settings of config.ini: the folders of the file
// dialogs, the length of the recent-projects list, the start-up aids and the editors the
// new-project dialog offers. "Ok" writes every setting, "Cancel" none.
class TFrmOption : public Tly_Form
{
    Q_OBJECT

public:
    // Asks for a folder: returns whether one was chosen and puts it into `folder`.
    using FolderPicker = std::function<bool(QWidget *owner, const QString &title, QString &folder)>;

    explicit TFrmOption(QWidget *owner = nullptr);

    // The "..." buttons' folder picker (the system's folder dialog unless replaced).
    void setFolderPicker(FolderPicker picker) { m_folderPicker = std::move(picker); }

    // The pages' header strips: a picture with the page's title over its shadow.
    struct PageHeader
    {
        TLyFullPicture *strip;
        QLabel *shadow;
        QLabel *title;
    };

    QTreeWidget *TreeView1;
    QStackedWidget *PageControl1;
    std::array<PageHeader, 3> Headers;

    // "Basic constitution"
    QLabel *Label1;
    QLabel *Label3;
    QLabel *Label2;
    QLineEdit *EdtBrow;
    QToolButton *BtnBrow;
    QLabel *Label4;
    QLabel *Label6;
    QLabel *Label5;
    QLineEdit *EdtBuilder;
    QToolButton *BtnBuilder;
    QLabel *Label7;
    QLabel *Label12;
    QLabel *Label8;
    // Not editable: an empty entry (no list kept) and 0 to 10.
    QComboBox *EdtNumber;

    // "System constitution"
    QLabel *Label11;
    QCheckBox *CheckBoxEvery;
    QCheckBox *CheckBoxUpdate;
    QCheckBox *CheckBoxAuto;

    // "Engineering constitution"
    QLabel *Label13;
    QCheckBox *CheckPicture;
    QCheckBox *CheckFlash;
    QCheckBox *CheckMovie;
    QCheckBox *CheckPicText;

    QPushButton *BtnOk;
    QPushButton *BtnCancel;

public Q_SLOTS:
    void FormShow();
    void TreeView1Click(QTreeWidgetItem *node);
    void BtnBrowClick();
    void BtnBuilderClick();
    void BtnOkClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();
    void ShowPage(int page);
    void BrowseInto(QLineEdit *field);

    FolderPicker m_folderPicker;
};
