#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QToolBar;
class TFrmToMail;
class TLyFullPicture;

// Quillpost's main window: composes one mail (To, Cc, subject, body, attachments), saves and
// opens it as a ".qpt" file, and sends it through the sending window. At its first show it
// makes sure there is an account (the program ends without one) and attaches the card that
// the editor built last.
class TFrmSendMail : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrmSendMail(QWidget *parent = nullptr);
    ~TFrmSendMail() override;

    QMenu *MenuFiles;
    QAction *MenuNew;
    QAction *MenuOpen;
    QAction *MenuSend;
    QAction *MenuSave;
    QAction *MenuClose;
    QMenu *MenuView;
    QAction *MenuTool;
    QAction *MenuStatus;
    QAction *MenuFileBox;
    QMenu *MenuOptions;
    QAction *AddFile;
    QAction *MyMail;
    QAction *SetMail;
    QMenu *MenuAbouts;
    QAction *MenuAbout;

    QToolBar *ToolBar1;
    QAction *BtnSend;
    QAction *BtnSave;
    QAction *BtnAddFile;
    QAction *BtnMails;

    TLyFullPicture *PnlHead;
    QPushButton *SpeedButton2;
    QLineEdit *EdtMails;
    QPushButton *SpeedButton3;
    QLineEdit *EdtCc;
    QLabel *Label1;
    QLineEdit *EdtTitle;
    QListWidget *CheckListBox1; // the quick address pick under the To text

    QSplitter *Splitter1;
    QPlainTextEdit *MemoText;
    QListWidget *ListView1;
    QMenu *PopupMenu1;
    QAction *PopuAddFile;
    QAction *PopuOpen;
    QAction *PopuDelete;
    QAction *PopuDelAll;

    QStatusBar *StatusBar1;
    QLabel *StatusTime;
    QLabel *StatusText;
    QTimer Timer1;

    void SetTexts();
    // The start steps of the first show: the account, the subject, the card.
    void FormShow();

    void MenuNewClick();
    void MenuOpenClick();
    void BtnSendClick();
    void BtnSaveClick();
    void MenuCloseClick();
    void MenuToolClick();
    void MenuStatusClick();
    void MenuFileBoxClick();
    void AddFileClick();
    void MyMailClick();
    void SetMailClick();
    void MenuAboutClick();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void PopuOpenClick();
    void PopuDeleteClick();
    void PopuDelAllClick();
    void Timer1Timer();

    // Attaches the file: shows the attachment list and adds an item captioned with the bare
    // name and the size. A file that cannot be read is reported and not attached.
    void AddAttachment(const QString &path);
    const QStringList &AttachmentPaths() const { return m_paths; }
    QStringList BodyLines() const;

    // The quick address pick: shows it (filled from the address book) or hides it.
    void EdtMailsClick();
    // Hides the quick pick and moves its ticked addresses into the To text.
    void HideQuickPick();

    // Whether the start found no account and ended the program.
    bool Ended() const { return m_ended; }

    // What the file dialogs ask; tests answer instead.
    using FileChooser = std::function<QString(QWidget *owner)>;
    using FilesChooser = std::function<QStringList(QWidget *owner)>;
    void setOpenMailChooser(FileChooser chooser) { m_openChooser = std::move(chooser); }
    void setSaveMailChooser(FileChooser chooser) { m_saveChooser = std::move(chooser); }
    void setAddFilesChooser(FilesChooser chooser) { m_addChooser = std::move(chooser); }
    // Runs on every sending window before it starts (tests point it at their server).
    void setSendingSetup(std::function<void(TFrmToMail &)> setup)
    {
        m_sendingSetup = std::move(setup);
    }

Q_SIGNALS:
    // There is no account and the user gave none: the program ends.
    void ProgramEnded();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutHead();
    void setAttachmentsVisible(bool visible);
    void ListView1ContextPopup(const QPoint &pos);
    void ListView1Click(QListWidgetItem *item);
    void endProgram();

    QStringList m_paths; // full path of each attachment item
    bool m_started = false;
    bool m_ended = false;
    FileChooser m_openChooser;
    FileChooser m_saveChooser;
    FilesChooser m_addChooser;
    std::function<void(TFrmToMail &)> m_sendingSetup;
};
