#pragma once

#include "control/widgets/Ly_Form.h"
#include "editor/RecentProjects.h"

#include <QList>
#include <QPixmap>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class TLyFullPicture;

// The quick start window: create a project, open one, or reopen a recent one. Its answer,
// Choice(), is "New" (also when it is simply closed), "Open" or the path of the recent
// project chosen.
class TFrmAuto : public Tly_Form
{
    Q_OBJECT

public:
    // `sidePicture`: the main window's side picture; `help`: the main window's Help command.
    TFrmAuto(const QPixmap &sidePicture, std::function<void()> help, QWidget *owner = nullptr);

    QString Choice() const { return m_choice; }

    TLyFullPicture *ImgLeft;
    QLabel *LblTitle;
    QToolButton *SbnNew;
    QLabel *LblNew;
    QToolButton *SbnOpen;
    QLabel *LblOpen;
    QToolButton *SbnSaveOpen;
    QLabel *LblSaveOpen;
    QComboBox *ComBoxOpen;
    QLabel *LblOpenFile;
    QCheckBox *AutoCheck;
    QPushButton *BtnHelp;
    QPushButton *BtnClose;

public Q_SLOTS:
    void FormShow();
    void SbnNewClick();
    void SbnOpenClick();
    void SbnSaveOpenClick();
    void ComBoxOpenChange(int index);
    void AutoCheckClick(bool checked);
    void BtnHelpClick();
    void BtnCloseClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();

    std::function<void()> m_help;
    // The filled recent-project entries, in the order of ComBoxOpen.
    QList<ly::RecentProjectEntry> m_entries;
    QString m_choice = QStringLiteral("New");
};
