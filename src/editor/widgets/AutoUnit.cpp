#include "editor/widgets/AutoUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/StartupAids.h"
#include "shared/Paths.h"
#include "shared/widgets/Notice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kSideWidth = 120;

QToolButton *pictureButton(QWidget *parent, QStyle::StandardPixmap icon, const QRect &at)
{
    auto *button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setGeometry(at);
    return button;
}

QLabel *buttonLabel(QWidget *parent, QToolButton *button, const QRect &at)
{
    auto *label = new QLabel(parent);
    label->setGeometry(at);
    label->setBuddy(button);
    return label;
}

} // namespace

TFrmAuto::TFrmAuto(const QPixmap &sidePicture, std::function<void()> help, QWidget *owner)
    : Tly_Form(owner)
    , m_help(std::move(help))
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    QWidget *client = ClientArea();
    ImgLeft = new TLyFullPicture(client);
    ImgLeft->setLyLoadPicture(sidePicture);
    ImgLeft->setGeometry(0, 0, kSideWidth, 300);

    const int x = kSideWidth + 16;
    LblTitle = new QLabel(client);
    QFont heading = LblTitle->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    LblTitle->setFont(heading);
    LblTitle->setGeometry(x, 10, 300, 26);

    SbnNew = pictureButton(client, QStyle::SP_FileIcon, QRect(x, 46, 40, 40));
    LblNew = buttonLabel(client, SbnNew, QRect(x + 48, 46, 260, 40));
    SbnOpen = pictureButton(client, QStyle::SP_DialogOpenButton, QRect(x, 94, 40, 40));
    LblOpen = buttonLabel(client, SbnOpen, QRect(x + 48, 94, 260, 40));
    SbnSaveOpen = pictureButton(client, QStyle::SP_DirOpenIcon, QRect(x, 142, 40, 40));
    LblSaveOpen = buttonLabel(client, SbnSaveOpen, QRect(x + 48, 142, 260, 40));

    ComBoxOpen = new QComboBox(client);
    ComBoxOpen->setGeometry(x + 48, 186, 260, 24);
    ComBoxOpen->setAccessibleName(QStringLiteral("ComBoxOpen"));
    LblOpenFile = new QLabel(client);
    LblOpenFile->setGeometry(x + 48, 212, 260, 20);
    LblOpenFile->setAccessibleName(QStringLiteral("LblOpenFile"));
    LblOpenFile->setTextFormat(Qt::PlainText);

    AutoCheck = new QCheckBox(client);
    AutoCheck->setGeometry(x, 240, 300, 22);
    BtnHelp = new QPushButton(client);
    BtnHelp->setGeometry(x + 132, 268, 84, 26);
    BtnClose = new QPushButton(client);
    BtnClose->setGeometry(x + 224, 268, 84, 26);

    setClientAreaSize(QSize(x + 324, 304));
    ImgLeft->setFixedHeight(304);

    // On creation: no file shown, the box as the setting stands.
    LblOpenFile->clear();
    AutoCheck->setChecked(ly::SystemFlagOn(QStringLiteral("AutoFlag")));
    LoadTexts();

    connect(SbnNew, &QToolButton::clicked, this, &TFrmAuto::SbnNewClick);
    connect(SbnOpen, &QToolButton::clicked, this, &TFrmAuto::SbnOpenClick);
    connect(SbnSaveOpen, &QToolButton::clicked, this, &TFrmAuto::SbnSaveOpenClick);
    connect(ComBoxOpen, &QComboBox::currentIndexChanged, this, &TFrmAuto::ComBoxOpenChange);
    connect(AutoCheck, &QCheckBox::clicked, this, &TFrmAuto::AutoCheckClick);
    connect(BtnHelp, &QPushButton::clicked, this, &TFrmAuto::BtnHelpClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmAuto::BtnCloseClick);
}

void TFrmAuto::LoadTexts()
{
    setTitleText(QStringLiteral("Welcome to use the Lyrabell"));
    LblTitle->setText(QStringLiteral("Quick Start ..."));
    LblNew->setText(QStringLiteral("Create a new Lyrabell project"));
    LblOpen->setText(QStringLiteral("Open an example Lyrabell project"));
    LblSaveOpen->setText(QStringLiteral("Open a recent Lyrabell project"));
    AutoCheck->setText(QStringLiteral("Show Quick Start to Startup"));
    BtnClose->setText(QStringLiteral("&Close"));
    BtnHelp->setText(QStringLiteral("&Help"));
    // The picture buttons carry their labels' texts for assistive technology.
    SbnNew->setAccessibleName(LblNew->text());
    SbnOpen->setAccessibleName(LblOpen->text());
    SbnSaveOpen->setAccessibleName(LblSaveOpen->text());
}

void TFrmAuto::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TFrmAuto::FormShow()
{
    ComBoxOpen->clear();
    m_entries = ly::RecentProjectEntries();
    for (const ly::RecentProjectEntry &entry : m_entries)
        ComBoxOpen->addItem(QFileInfo(ly::ProgramPathToNative(entry.stored)).fileName());
    if (!m_entries.isEmpty()) {
        ComBoxOpen->setCurrentIndex(0);
        LblOpenFile->setText(m_entries.first().stored);
    }
}

void TFrmAuto::ComBoxOpenChange(int index)
{
    if (index >= 0 && index < m_entries.size())
        LblOpenFile->setText(m_entries.at(index).stored);
}

void TFrmAuto::SbnNewClick()
{
    m_choice = QStringLiteral("New");
    close();
}

void TFrmAuto::SbnOpenClick()
{
    m_choice = QStringLiteral("Open");
    close();
}

void TFrmAuto::SbnSaveOpenClick()
{
    const int index = ComBoxOpen->currentIndex();
    if (index < 0 || index >= m_entries.size())
        return;
    const QString path = ly::ProgramPathToNative(m_entries.at(index).stored);
    if (!QFileInfo(path).isFile()) {
        ly::ShowNotice(ly::NoticeWarning, QStringLiteral("Invalid document"));
        return;
    }
    m_choice = path;
    close();
}

void TFrmAuto::AutoCheckClick(bool checked)
{
    ly::WriteSystemFlag(QStringLiteral("AutoFlag"), checked);
}

void TFrmAuto::BtnHelpClick()
{
    if (m_help)
        m_help();
}

void TFrmAuto::BtnCloseClick()
{
    m_choice = QStringLiteral("New");
    close();
}
