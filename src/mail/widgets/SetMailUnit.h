#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "My Mail Setting": the sender's account (name, mail address, SMTP server with its port and
// security mode, login), written to the account file and its side file on OK. Leaving the
// mail-address box fills in the user name and the server from the domain table.
class TFrmSetMail : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmSetMail(QWidget *parent = nullptr);
    ~TFrmSetMail() override;

    QLabel *LblTitle1;
    QLabel *LblTitle2;
    QGroupBox *GroupBox1;
    QLabel *LblName1;
    QLineEdit *EdtName;
    QLabel *LabelMail;
    QLineEdit *EdtMail;
    QGroupBox *GroupBox2;
    QLabel *LabelSMTP;
    QLineEdit *EdtSmtp;
    QLabel *LblPort;
    QLineEdit *EdtPort;     // empty: the security mode's default port
    QLabel *LblSecurity;
    QComboBox *ComSecurity; // "None", "STARTTLS", "TLS"
    QCheckBox *StmpCheck;
    QLabel *Label20;
    QLineEdit *EdtUser;
    QLabel *Label21;
    QLineEdit *EdtPass;
    QPushButton *BtnOk;
    QPushButton *BtnCancel;

    void SetTexts();
    void FormShow();
    void EdtMailExit();
    void BtnOkClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void securityChanged();

    // The address the user name and server were last filled in from (or read from the file),
    // so that leaving the box without changing it keeps what the user typed there since.
    QString m_guessedFrom;
    bool m_shown = false;
};
