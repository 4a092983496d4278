#include "editor/widgets/CreateDirUnit.h"

#include "control/widgets/LyBevel.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/Library.h"
#include "shared/widgets/FolderPicker.h"
#include "shared/widgets/Notice.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TFrmCreateDir::TFrmCreateDir(QWidget *owner)
    : Tly_Form(owner)
    , m_folderPicker(ly::PickFolder)
{
    QWidget *client = ClientArea();
    LblTitle = new QLabel(client);
    QFont bold = LblTitle->font();
    bold.setBold(true);
    LblTitle->setFont(bold);
    LblTitle->setGeometry(16, 12, 408, 22);
    BvlTitle = new TlyBevel(client);
    BvlTitle->setShape(TlyBevel::bsTopLine);
    BvlTitle->setGeometry(12, 40, 416, 2);

    LblPath = new QLabel(client);
    LblPath->setGeometry(16, 56, 76, 22);
    EdtPath = new QLineEdit(client);
    EdtPath->setGeometry(96, 54, 292, 24);
    // The location comes from the caller or from the "..." button.
    EdtPath->setReadOnly(true);
    LblPath->setBuddy(EdtPath);
    BtnOpen = new QToolButton(client);
    BtnOpen->setText(QStringLiteral("..."));
    BtnOpen->setGeometry(394, 54, 30, 24);

    LblCreate = new QLabel(client);
    LblCreate->setGeometry(16, 90, 76, 22);
    EdtDir = new QLineEdit(client);
    EdtDir->setGeometry(96, 88, 328, 24);
    LblCreate->setBuddy(EdtDir);

    LblText = new QLabel(client);
    LblText->setGeometry(16, 124, 76, 22);
    EdtText = new QLineEdit(client);
    EdtText->setGeometry(96, 122, 328, 24);
    LblText->setBuddy(EdtText);

    BtnOK = new QPushButton(client);
    BtnOK->setGeometry(246, 160, 86, 28);
    BtnCancel = new QPushButton(client);
    BtnCancel->setGeometry(338, 160, 86, 28);

    PnlPath = new QLabel(client);
    PnlPath->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlPath->setGeometry(0, 196, 440, 20);

    setClientAreaSize(QSize(440, 216));
    setTabOrder(EdtDir, EdtText);
    setTabOrder(EdtText, BtnOK);
    setTabOrder(BtnOK, BtnCancel);
    setTabOrder(BtnCancel, BtnOpen);

    connect(EdtDir, &QLineEdit::textChanged, this, &TFrmCreateDir::EdtDirChange);
    connect(BtnOpen, &QToolButton::clicked, this, &TFrmCreateDir::BtnOpenClick);
    connect(BtnOK, &QPushButton::clicked, this, &TFrmCreateDir::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmCreateDir::BtnCancelClick);
}

void TFrmCreateDir::LoadTexts()
{
    Label35->setText(QStringLiteral("Create Directory"));
    Label36->setText(Label35->text());
    setWindowTitle(Label35->text());
    LblTitle->setText(QStringLiteral("Create Directory and The document management"));
    LblPath->setText(QStringLiteral("Lo&cation:"));
    LblCreate->setText(QStringLiteral("Directory:"));
    LblText->setText(QStringLiteral("Explain:"));
    BtnOK->setText(QStringLiteral("&Ok"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    BtnOpen->setToolTip(QStringLiteral("Open"));
}

void TFrmCreateDir::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmCreateDir::FormShow()
{
    LoadTexts();
    EdtDir->clear();
    EdtText->clear();
    EdtDir->setFocus();
}

void TFrmCreateDir::EdtDirChange(const QString &text)
{
    // The folder to be made, with a closing separator.
    const QString folder = ly::JoinLibraryPath(EdtPath->text(), text);
    PnlPath->setText(QStringLiteral("  ") + ly::JoinLibraryPath(folder, QString()));
}

void TFrmCreateDir::BtnOpenClick()
{
    QString folder;
    if (!m_folderPicker(this, QStringLiteral("Please choose the catalogue"), folder))
        return;
    EdtPath->setText(folder);
    PnlPath->setText(QStringLiteral("  ") + ly::JoinLibraryPath(folder, QString()));
    EdtDir->setEnabled(false);
    EdtText->setFocus();
}

void TFrmCreateDir::BtnOKClick()
{
    const QString description = EdtText->text().trimmed();
    if (description.isEmpty()) {
        ly::ShowNotice(ly::NoticeWarning,
                       QStringLiteral("Execuse me, please fill in the good catalogue elucidation"));
        return;
    }
    m_newFolder = ly::JoinLibraryPath(EdtPath->text().trimmed(), EdtDir->text().trimmed());
    m_description = description;
    setModalResult(mrOk);
}

void TFrmCreateDir::BtnCancelClick()
{
    setModalResult(mrCancel);
}

void TFrmCreateDir::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BtnOKClick();
        break;
    case Qt::Key_Escape:
        BtnCancelClick();
        break;
    default:
        Tly_Form::keyPressEvent(event);
    }
}
