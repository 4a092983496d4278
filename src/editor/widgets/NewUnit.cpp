#include "editor/widgets/NewUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "control/widgets/Skin.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/AppException.h"
#include "shared/Settings.h"
#include "shared/widgets/FolderPicker.h"
#include "shared/widgets/Notice.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kRefillName = QStringLiteral("Execuse me, please re- fill in the engineering.");
const QString kChooseModule = QStringLiteral(
    "Execuse me, for canning make an elegant greeting card, please choose at least two item.");

bool pickFolder(QWidget *, const QString &title, QString &folder)
{
    const std::optional<QString> chosen = ly::BrowseForFolder(title);
    if (!chosen)
        return false;
    folder = *chosen;
    return true;
}

bool configFlag(const char *key)
{
    return ly::ReadConfig(QStringLiteral("System"), QLatin1String(key)) == QLatin1String("1");
}

} // namespace

TFrmNew::TFrmNew(ly::ProjectDocument &project, PrepareFunction prepare, QWidget *owner)
    : Tly_Form(owner)
    , m_project(project)
    , m_prepare(std::move(prepare))
    , m_folderPicker(pickFolder)
{
    QWidget *client = ClientArea();
    PnlHead = new TLyFullPicture(client);
    PnlHead->setLyLoadPicture(ly::SkinPicture(QStringLiteral("HeaderTop")));
    PnlHead->setGeometry(0, 0, 420, 52);
    TextTop_Lbl = new QLabel(PnlHead);
    QFont bold = TextTop_Lbl->font();
    bold.setBold(true);
    TextTop_Lbl->setFont(bold);
    TextTop_Lbl->setGeometry(14, 7, 390, 20);
    TextBtm_Lbl = new QLabel(PnlHead);
    TextBtm_Lbl->setGeometry(30, 28, 380, 18);
    for (QLabel *label : {TextTop_Lbl, TextBtm_Lbl}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(palette);
    }

    LblSelect = new QLabel(client);
    LblSelect->setGeometry(16, 62, 390, 20);
    const struct { QCheckBox **box; QPoint at; } boxes[] = {
        {&CheckBlk, {32, 86}},      {&CheckPicture, {160, 86}}, {&CheckFlash, {288, 86}},
        {&CheckMovie, {32, 112}},   {&CheckPicText, {160, 112}},
    };
    for (const auto &b : boxes) {
        *b.box = new QCheckBox(client);
        (*b.box)->setGeometry(b.at.x(), b.at.y(), 124, 22);
    }

    LblLoca = new QLabel(client);
    LblLoca->setGeometry(16, 152, 92, 22);
    EdtPath = new QLineEdit(client);
    EdtPath->setGeometry(110, 150, 262, 24);
    // The location comes from the settings or from the "..." button.
    EdtPath->setReadOnly(true);
    LblLoca->setBuddy(EdtPath);
    BtnBrow = new QToolButton(client);
    BtnBrow->setText(QStringLiteral("..."));
    BtnBrow->setGeometry(376, 150, 30, 24);

    LblPro = new QLabel(client);
    LblPro->setGeometry(16, 186, 92, 22);
    EdtFile = new QLineEdit(client);
    EdtFile->setGeometry(110, 184, 296, 24);
    LblPro->setBuddy(EdtFile);

    BtnOk = new QPushButton(client);
    BtnOk->setGeometry(316, 224, 90, 28);
    BtnOk->setDefault(true);

    setClientAreaSize(QSize(420, 266));
    setTabOrder(EdtFile, BtnOk);
    setTabOrder(BtnOk, CheckPicture);

    connect(CheckBlk, &QCheckBox::clicked, this, &TFrmNew::CheckBlkClick);
    connect(BtnBrow, &QToolButton::clicked, this, &TFrmNew::BtnBrowClick);
    connect(BtnOk, &QPushButton::clicked, this, ly::Guarded(this, &TFrmNew::BtnOkClick));
}

void TFrmNew::LoadTexts()
{
    Label35->setText(QStringLiteral("Create Application"));
    Label36->setText(Label35->text());
    setWindowTitle(Label35->text());
    TextTop_Lbl->setText(QStringLiteral("Create Application"));
    TextBtm_Lbl->setText(QStringLiteral("Create New Project and Write Name of the Project..."));
    LblSelect->setText(QStringLiteral("Please Choice..."));
    CheckBlk->setText(QStringLiteral("Background"));
    CheckPicture->setText(QStringLiteral("Fly Album"));
    CheckFlash->setText(QStringLiteral("Set Flash"));
    CheckMovie->setText(QStringLiteral("Set Movie"));
    CheckPicText->setText(QStringLiteral("Set Frame"));
    LblLoca->setText(QStringLiteral("Lo&cation:"));
    LblPro->setText(QStringLiteral("Project &Name:"));
    BtnOk->setText(QStringLiteral("&Ok"));
}

void TFrmNew::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmNew::FormShow()
{
    LoadTexts();
    EdtPath->setText(ly::DefaultProjectLocation());
    EdtFile->setText(QStringLiteral("Project1"));
    CheckBlk->setChecked(true);
    CheckPicture->setChecked(configFlag("PictureCheck"));
    CheckFlash->setChecked(configFlag("FlashCheck"));
    CheckMovie->setChecked(configFlag("MovieCheck"));
    CheckPicText->setChecked(configFlag("PicTextCheck"));
    EdtFile->setFocus();
    EdtFile->selectAll();
}

void TFrmNew::CheckBlkClick()
{
    // The background is part of every card.
    CheckBlk->setChecked(true);
}

void TFrmNew::BtnBrowClick()
{
    QString folder;
    if (m_folderPicker(this, QStringLiteral("Please choose the catalogue"), folder))
        EdtPath->setText(folder);
}

void TFrmNew::RefuseName()
{
    ly::ShowNotice(ly::NoticeWarning, kRefillName);
    EdtFile->setFocus();
}

// Writes the project file; false when the dialog stays open.
bool TFrmNew::CreateTheProject()
{
    ly::ModuleChoice modules;
    modules.album = CheckPicture->isChecked();
    modules.flash = CheckFlash->isChecked();
    modules.movie = CheckMovie->isChecked();
    modules.frameCard = CheckPicText->isChecked();

    ly::NewProjectResult result = m_project.CreateProject(EdtPath->text(), EdtFile->text(), modules);
    if (result == ly::NewProjectResult::AlreadyExists) {
        const QString file = ly::NewProjectPathsOf(EdtPath->text(), EdtFile->text()).projectFile;
        QMessageBox box(QMessageBox::Question, QStringLiteral("Information"),
                        QStringLiteral("The project [%1] already exists in this location. "
                                       "Do you want to replace it with a new, empty project?")
                            .arg(QFileInfo(file).fileName()),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            EdtFile->setFocus();
            EdtFile->selectAll();
            return false;
        }
        result = m_project.CreateProject(EdtPath->text(), EdtFile->text(), modules,
                                         ly::ExistingProject::Replace);
    }
    switch (result) {
    case ly::NewProjectResult::Created:
        break;
    case ly::NewProjectResult::NoModule:
        ly::ShowNotice(ly::NoticeWarning, kChooseModule);
        CheckPicture->setChecked(true);
        return false;
    case ly::NewProjectResult::EmptyName:
    case ly::NewProjectResult::AlreadyExists:
    case ly::NewProjectResult::CannotWrite:
        RefuseName();
        return false;
    }

    hide();
    m_prepare(modules.album, modules.flash, modules.frameCard, modules.movie);
    setModalResult(mrOk);
    return true;
}

void TFrmNew::BtnOkClick()
{
    if (ModalResult() == mrNone)
        CreateTheProject();
}

// The title bar's close button (and any other close) acts as OK.
void TFrmNew::closeEvent(QCloseEvent *event)
{
    if (ModalResult() == mrNone) {
        bool created = false;
        ly::RunGuarded([&] { created = CreateTheProject(); });
        if (!created && isVisible()) {
            event->ignore();
            return;
        }
    }
    Tly_Form::closeEvent(event);
}

void TFrmNew::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ly::RunGuarded([this] { BtnOkClick(); });
        return;
    }
    Tly_Form::keyPressEvent(event);
}
