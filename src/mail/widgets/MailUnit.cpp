#include "mail/widgets/MailUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "mail/AddressBook.h"
#include "mail/MailAccount.h"
#include "mail/MailFiles.h"
#include "mail/MailMessage.h"
#include "mail/MailTexts.h"
#include "mail/SavedMail.h"
#include "mail/widgets/AboutBoxUnit.h"
#include "mail/widgets/NewMailUnit.h"
#include "mail/widgets/SelectMailUnit.h"
#include "mail/widgets/SetMailUnit.h"
#include "mail/widgets/ToMailUnit.h"
#include "platform/Shell.h"
#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/Paths.h"
#include "shared/Settings.h"
#include "shared/Version.h"
#include "shared/widgets/ListHelpers.h"
#include "shared/widgets/Notice.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

using namespace ly::mail;

namespace {

constexpr int kHeadHeight = 96;
constexpr int kButtonWidth = 76;
constexpr int kRowHeight = 24;
constexpr int kEditLeft = 92;
constexpr int kQuickPickHeight = 140;

// The header's picture: a soft vertical gradient, tiled across the panel.
QPixmap headPicture()
{
    QPixmap tile(16, kHeadHeight);
    QPainter p(&tile);
    QLinearGradient g(0, 0, 0, kHeadHeight);
    g.setColorAt(0, QColor(0xDD, 0xE8, 0xF6));
    g.setColorAt(1, QColor(0xF7, 0xF9, 0xFD));
    p.fillRect(tile.rect(), g);
    return tile;
}

QString qptFilter()
{
    return QStringLiteral("*.qpt (*.qpt)");
}

QAction *menuAction(QMenu *menu, const char *name)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TFrmSendMail::TFrmSendMail(QWidget *parent)
    : QMainWindow(parent)
    , MenuFiles(menuBar()->addMenu(QString()))
    , MenuNew(menuAction(MenuFiles, "MenuNew"))
    , MenuOpen(menuAction(MenuFiles, "MenuOpen"))
    , MenuSend(menuAction(MenuFiles, "MenuSend"))
    , MenuSave(menuAction(MenuFiles, "MenuSave"))
    , MenuClose(nullptr)
    , MenuView(menuBar()->addMenu(QString()))
    , MenuTool(menuAction(MenuView, "MenuTool"))
    , MenuStatus(menuAction(MenuView, "MenuStatus"))
    , MenuFileBox(menuAction(MenuView, "MenuFileBox"))
    , MenuOptions(menuBar()->addMenu(QString()))
    , AddFile(menuAction(MenuOptions, "AddFile"))
    , MyMail(menuAction(MenuOptions, "MyMail"))
    , SetMail(menuAction(MenuOptions, "SetMail"))
    , MenuAbouts(menuBar()->addMenu(QString()))
    , MenuAbout(menuAction(MenuAbouts, "MenuAbout"))
    , ToolBar1(addToolBar(QString()))
    , BtnSend(ToolBar1->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString()))
    , BtnSave(ToolBar1->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString()))
    , BtnAddFile(ToolBar1->addAction(style()->standardIcon(QStyle::SP_FileIcon), QString()))
    , BtnMails(ToolBar1->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString()))
    , PnlHead(new TLyFullPicture)
    , SpeedButton2(new QPushButton(PnlHead))
    , EdtMails(new QLineEdit(PnlHead))
    , SpeedButton3(new QPushButton(PnlHead))
    , EdtCc(new QLineEdit(PnlHead))
    , Label1(new QLabel(PnlHead))
    , EdtTitle(new QLineEdit(PnlHead))
    , CheckListBox1(nullptr)
    , Splitter1(new QSplitter(Qt::Vertical))
    , MemoText(new QPlainTextEdit)
    , ListView1(new QListWidget)
    , PopupMenu1(new QMenu(this))
    , PopuAddFile(menuAction(PopupMenu1, "PopuAddFile"))
    , PopuOpen(menuAction(PopupMenu1, "PopuOpen"))
    , PopuDelete(menuAction(PopupMenu1, "PopuDelete"))
    , PopuDelAll(menuAction(PopupMenu1, "PopuDelAll"))
    , StatusBar1(statusBar())
    , StatusTime(new QLabel)
    , StatusText(new QLabel)
{
    MenuFiles->addSeparator();
    MenuClose = menuAction(MenuFiles, "MenuClose");
    // A window shortcut: an edit box with the focus takes Ctrl+X as Cut first.
    MenuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    MenuAbout->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
    for (QAction *toggle : {MenuTool, MenuStatus, MenuFileBox}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setMovable(false);
    PopupMenu1->insertSeparator(PopuDelete);

    // The header: the address and subject boxes on a picture panel, placed by layoutHead.
    PnlHead->setLyLoadPicture(headPicture());
    PnlHead->setFixedHeight(kHeadHeight);
    PnlHead->setAccessibleName(QStringLiteral("PnlHead"));
    const std::pair<QWidget *, const char *> named[] = {
        {EdtMails, "EdtMails"}, {EdtCc, "EdtCc"},         {EdtTitle, "EdtTitle"},
        {MemoText, "MemoText"}, {ListView1, "ListView1"}};
    for (const auto &[widget, name] : named) {
        widget->setObjectName(QLatin1String(name));
        widget->setAccessibleName(QLatin1String(name));
    }
    Label1->setBuddy(EdtTitle);

    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setGridSize(QSize(120, 76));
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    ListView1->setWordWrap(true);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter1->addWidget(MemoText);
    Splitter1->addWidget(ListView1);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PnlHead);
    layout->addWidget(Splitter1, 1);
    setCentralWidget(central);

    // Over everything below the To text, so it is not cut off by the header's height.
    CheckListBox1 = new QListWidget(central);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setAccessibleName(QStringLiteral("CheckListBox1"));
    CheckListBox1->hide();

    StatusTime->setAccessibleName(QStringLiteral("StatusTime"));
    StatusText->setAccessibleName(QStringLiteral("StatusText"));
    StatusBar1->addWidget(StatusTime);
    StatusBar1->addWidget(StatusText, 1);

    // Clicks that hide the quick pick, and the click that shows it.
    for (QWidget *w : {static_cast<QWidget *>(EdtMails), static_cast<QWidget *>(EdtCc),
                       static_cast<QWidget *>(EdtTitle), MemoText->viewport()})
        w->installEventFilter(this);
    PnlHead->installEventFilter(this);

    connect(MenuNew, &QAction::triggered, this, &TFrmSendMail::MenuNewClick);
    connect(MenuOpen, &QAction::triggered, this, &TFrmSendMail::MenuOpenClick);
    connect(MenuSend, &QAction::triggered, this, &TFrmSendMail::BtnSendClick);
    connect(BtnSend, &QAction::triggered, this, &TFrmSendMail::BtnSendClick);
    connect(MenuSave, &QAction::triggered, this, &TFrmSendMail::BtnSaveClick);
    connect(BtnSave, &QAction::triggered, this, &TFrmSendMail::BtnSaveClick);
    connect(MenuClose, &QAction::triggered, this, &TFrmSendMail::MenuCloseClick);
    connect(MenuTool, &QAction::triggered, this, &TFrmSendMail::MenuToolClick);
    connect(MenuStatus, &QAction::triggered, this, &TFrmSendMail::MenuStatusClick);
    connect(MenuFileBox, &QAction::triggered, this, &TFrmSendMail::MenuFileBoxClick);
    connect(AddFile, &QAction::triggered, this, &TFrmSendMail::AddFileClick);
    connect(BtnAddFile, &QAction::triggered, this, &TFrmSendMail::AddFileClick);
    connect(PopuAddFile, &QAction::triggered, this, &TFrmSendMail::AddFileClick);
    connect(MyMail, &QAction::triggered, this, &TFrmSendMail::MyMailClick);
    connect(SetMail, &QAction::triggered, this, &TFrmSendMail::SetMailClick);
    connect(BtnMails, &QAction::triggered, this, &TFrmSendMail::SetMailClick);
    connect(MenuAbout, &QAction::triggered, this, &TFrmSendMail::MenuAboutClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFrmSendMail::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TFrmSendMail::SpeedButton3Click);
    connect(PopuOpen, &QAction::triggered, this, &TFrmSendMail::PopuOpenClick);
    connect(PopuDelete, &QAction::triggered, this, &TFrmSendMail::PopuDeleteClick);
    connect(PopuDelAll, &QAction::triggered, this, &TFrmSendMail::PopuDelAllClick);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &TFrmSendMail::PopuOpenClick);
    connect(ListView1, &QListWidget::itemClicked, this, &TFrmSendMail::ListView1Click);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            &TFrmSendMail::ListView1ContextPopup);
    connect(PnlHead, &TLyFullPicture::OnMouseDown, this, &TFrmSendMail::HideQuickPick);
    connect(&Timer1, &QTimer::timeout, this, &TFrmSendMail::Timer1Timer);

    m_openChooser = [](QWidget *owner) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), qptFilter());
    };
    m_saveChooser = [](QWidget *owner) {
        return QFileDialog::getSaveFileName(owner, QString(), QString(), qptFilter());
    };
    m_addChooser = [](QWidget *owner) {
        return QFileDialog::getOpenFileNames(owner, QString(), QString(),
                                             QStringLiteral("*.* (*)"));
    };

    resize(800, 600);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    SetTexts();
    layoutHead();
    Timer1Timer();
    Timer1.start(1000);
}

TFrmSendMail::~TFrmSendMail() = default;

void TFrmSendMail::SetTexts()
{
    setWindowTitle(QLatin1String(ly::kMailProductName) + QStringLiteral(" v1.0"));
    MenuFiles->setTitle(QStringLiteral("&File"));
    MenuNew->setText(QStringLiteral("New Mail"));
    MenuOpen->setText(QStringLiteral("Open Mail"));
    MenuSend->setText(QStringLiteral("Send Mail"));
    MenuSave->setText(QStringLiteral("Save Mail"));
    MenuClose->setText(QStringLiteral("Exit"));
    MenuView->setTitle(QStringLiteral("&View"));
    MenuTool->setText(QStringLiteral("Toolbar"));
    MenuStatus->setText(QStringLiteral("Statusbar"));
    MenuFileBox->setText(QStringLiteral("Enclosure frame"));
    MenuOptions->setTitle(QStringLiteral("&Option"));
    AddFile->setText(QStringLiteral("Add Files"));
    MyMail->setText(QStringLiteral("My Mail Setting"));
    SetMail->setText(QStringLiteral("Address book"));
    MenuAbouts->setTitle(QStringLiteral("&About"));
    MenuAbout->setText(QStringLiteral("About"));
    SpeedButton2->setText(QStringLiteral("ToMail:"));
    SpeedButton3->setText(QStringLiteral("CcMail:"));
    Label1->setText(QStringLiteral("Caption:"));
    BtnSend->setText(QStringLiteral("Send"));
    BtnSave->setText(QStringLiteral("Save"));
    BtnAddFile->setText(QStringLiteral("Add Files"));
    BtnMails->setText(QStringLiteral("Address book"));
    PopuAddFile->setText(QStringLiteral("Add Files"));
    PopuOpen->setText(QStringLiteral("Open"));
    PopuDelete->setText(QStringLiteral("Delete"));
    PopuDelAll->setText(QStringLiteral("Delete All Files"));
    EdtTitle->setText(QLatin1String(kSubjectPrefix));
    MemoText->setPlainText(DefaultBody().join(QLatin1Char('\n')));
}

void TFrmSendMail::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    // After the show has finished, inside the event loop, so that ending the program works.
    QMetaObject::invokeMethod(this, &TFrmSendMail::FormShow, Qt::QueuedConnection);
}

void TFrmSendMail::FormShow()
{
    ly::EnsureDir(MailDataDir());
    auto account = LoadAccountIfSound(AccountFile());
    if (!account) {
        TFrmSetMail settings(this);
        settings.exec();
        account = LoadAccountIfSound(AccountFile());
    }
    if (!account) {
        endProgram();
        return;
    }
    EdtMails->clear();
    EdtCc->clear();
    EdtTitle->setText(DefaultSubject(account->name));
    const QString card = ly::ReadConfig(QStringLiteral("Finished"), QStringLiteral("FinishedExe"));
    if (!card.isEmpty() && QFileInfo(card).isFile())
        AddAttachment(card);
}

void TFrmSendMail::endProgram()
{
    m_ended = true;
    Timer1.stop();
    Q_EMIT ProgramEnded();
    close();
}

void TFrmSendMail::layoutHead()
{
    const int editWidth = qMax(80, width() - 160);
    const struct
    {
        QWidget *label;
        QLineEdit *edit;
    } rows[] = {{SpeedButton2, EdtMails}, {SpeedButton3, EdtCc}, {Label1, EdtTitle}};
    int y = 8;
    for (const auto &row : rows) {
        row.label->setGeometry(8, y, kButtonWidth, kRowHeight);
        row.edit->setGeometry(kEditLeft, y, editWidth, kRowHeight);
        y += kRowHeight + 5;
    }
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QPoint below = EdtMails->mapTo(centralWidget(), QPoint(0, EdtMails->height()));
    CheckListBox1->setGeometry(below.x(), below.y(), editWidth, kQuickPickHeight);
}

bool TFrmSendMail::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PnlHead && event->type() == QEvent::Resize)
        layoutHead();
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == EdtMails)
            EdtMailsClick();
        else if (watched != PnlHead) // the panel reports its own presses
            HideQuickPick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFrmSendMail::EdtMailsClick()
{
    if (CheckListBox1->isVisible()) {
        HideQuickPick();
        return;
    }
    CheckListBox1->clear();
    for (const AddressEntry &entry : LoadAddressBook(AddressBookFile())) {
        auto *item = new QListWidgetItem(entry.mail + QLatin1Char(' ') + entry.name, CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    layoutHead();
    CheckListBox1->show();
    CheckListBox1->raise();
}

void TFrmSendMail::HideQuickPick()
{
    if (!CheckListBox1->isVisible())
        return;
    CheckListBox1->hide();
    QStringList picked;
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem *item = CheckListBox1->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        picked.append(item->text().section(QLatin1Char(' '), 0, 0));
        // Moved once: a later click does not add it again.
        item->setCheckState(Qt::Unchecked);
    }
    if (!picked.isEmpty())
        EdtMails->setText(AppendRecipients(EdtMails->text(), picked));
}

QStringList TFrmSendMail::BodyLines() const
{
    return MemoText->toPlainText().split(QLatin1Char('\n'));
}

void TFrmSendMail::MenuNewClick()
{
    HideQuickPick();
    EdtMails->clear();
    EdtCc->clear();
    EdtTitle->clear();
    MemoText->clear();
    ListView1->clear();
    m_paths.clear();
}

void TFrmSendMail::MenuOpenClick()
{
    const QString file = m_openChooser(this);
    if (file.isEmpty())
        return;
    SavedMail mail;
    try {
        mail = OpenSavedMail(file);
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    HideQuickPick();
    EdtMails->setText(mail.to);
    EdtCc->setText(mail.cc);
    EdtTitle->setText(mail.subject);
    ListView1->clear();
    m_paths.clear();
    setAttachmentsVisible(!mail.attachments.isEmpty());
    // What is still there opens; what is gone is named, so nothing is lost silently.
    QStringList missing;
    for (const QString &path : mail.attachments) {
        if (QFileInfo(path).isFile())
            AddAttachment(path);
        else
            missing.append(path);
    }
    try {
        MemoText->setPlainText(ReadMailBody(mail.bodyFile).join(QLatin1Char('\n')));
    } catch (const ly::Error &) {
        MemoText->clear();
        missing.prepend(mail.bodyFile);
    }
    if (!missing.isEmpty())
        ly::ShowNotice(ly::NoticeWarning,
                       QStringLiteral("These files of the saved mail are missing:\n")
                           + missing.join(QLatin1Char('\n')));
}

void TFrmSendMail::BtnSaveClick()
{
    const QString name = m_saveChooser(this);
    if (name.isEmpty())
        return;
    try {
        SaveMail(name, EdtMails->text(), EdtCc->text(), EdtTitle->text(), BodyLines(), m_paths,
                 OwnBodyFileName(name));
    } catch (const FieldsDoNotFit &e) {
        ly::ShowNotice(ly::NoticeWarning,
                       QStringLiteral("The mail was not saved.\n") + e.text());
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, QStringLiteral("The mail was not saved.\n") + e.text());
    }
}

void TFrmSendMail::BtnSendClick()
{
    HideQuickPick();
    TMailMessage message;
    message.ToAddress = RecipientList(EdtMails->text());
    message.ToCarbonCopy = RecipientList(EdtCc->text());
    const auto account = LoadAccountIfSound(AccountFile());
    if (!account) {
        ly::ShowNotice(ly::NoticeError, QLatin1String(kNoAccountText));
        return;
    }
    message.Subject = EdtTitle->text();
    // Copy recipients alone do not make a mail.
    if (message.ToAddress.isEmpty()) {
        ly::ShowNotice(ly::NoticeInformation, QLatin1String(kNoAccountText));
        return;
    }
    message.Body = BodyLines();
    message.Attachments = m_paths;

    // Its own top-level window, so that it stays in view while the main window is minimised.
    TFrmToMail sending(*account, message, EdtMails->text());
    sending.setWindowModality(Qt::ApplicationModal);
    if (m_sendingSetup)
        m_sendingSetup(sending);
    showMinimized();
    sending.Timer1.start();
    sending.exec();
    showNormal();
    activateWindow();
}

void TFrmSendMail::MenuCloseClick()
{
    close();
}

void TFrmSendMail::MenuToolClick()
{
    ToolBar1->setVisible(MenuTool->isChecked());
}

void TFrmSendMail::MenuStatusClick()
{
    StatusBar1->setVisible(MenuStatus->isChecked());
}

void TFrmSendMail::MenuFileBoxClick()
{
    ListView1->setVisible(MenuFileBox->isChecked());
}

void TFrmSendMail::setAttachmentsVisible(bool visible)
{
    MenuFileBox->setChecked(visible);
    ListView1->setVisible(visible);
}

void TFrmSendMail::AddFileClick()
{
    for (const QString &file : m_addChooser(this))
        AddAttachment(file);
}

void TFrmSendMail::AddAttachment(const QString &path)
{
    QString size;
    try {
        size = ly::SizeText(path);
    } catch (const ly::Error &e) {
        // A file that cannot be read could not be sent either.
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    setAttachmentsVisible(true);
    ly::ImageList icons;
    ly::AddFileTypeIcon(path, icons, ly::LargeIcon);
    const QString caption =
        QFileInfo(path).fileName() + QStringLiteral("\n(") + size + QLatin1Char(')');
    auto *item = new QListWidgetItem(icons.value(0), caption, ListView1);
    item->setData(Qt::AccessibleTextRole, QFileInfo(path).fileName());
    m_paths.append(path);
}

void TFrmSendMail::ListView1Click(QListWidgetItem *item)
{
    const int row = ListView1->row(item);
    if (row >= 0 && row < m_paths.size())
        item->setToolTip(m_paths[row]);
}

void TFrmSendMail::ListView1ContextPopup(const QPoint &pos)
{
    const bool selected = ListView1->currentItem() && ListView1->currentItem()->isSelected();
    PopuOpen->setEnabled(selected);
    PopuDelete->setEnabled(selected);
    PopuDelAll->setEnabled(ListView1->count() > 0);
    PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
}

void TFrmSendMail::PopuOpenClick()
{
    const int row = ListView1->currentRow();
    if (row >= 0 && row < m_paths.size())
        ly::OpenWithShell(this, m_paths[row]);
}

void TFrmSendMail::PopuDeleteClick()
{
    const int row = ListView1->currentRow();
    if (row < 0 || row >= m_paths.size())
        return;
    delete ListView1->takeItem(row);
    m_paths.removeAt(row);
}

void TFrmSendMail::PopuDelAllClick()
{
    ListView1->clear();
    m_paths.clear();
}

void TFrmSendMail::MyMailClick()
{
    TFrmSetMail settings(this);
    settings.exec();
}

void TFrmSendMail::SetMailClick()
{
    TFrmNewMail book(this);
    book.exec();
}

void TFrmSendMail::MenuAboutClick()
{
    TFrmAboutBox about(this);
    about.exec();
}

void TFrmSendMail::SpeedButton2Click()
{
    HideQuickPick();
    TFrmSelectMail chooser(this);
    if (chooser.exec() == QDialog::Accepted)
        EdtMails->setText(chooser.Addresses());
}

void TFrmSendMail::SpeedButton3Click()
{
    HideQuickPick();
    TFrmSelectMail chooser(this);
    if (chooser.exec() == QDialog::Accepted)
        EdtCc->setText(chooser.Addresses());
}

void TFrmSendMail::Timer1Timer()
{
    StatusTime->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}
