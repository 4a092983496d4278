#include "editor/widgets/BuilderUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "card/Packer.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/PackProgressBar.h"
#include "platform/Shell.h"
#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/widgets/Notice.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int kSideWidth = 150;
constexpr int kPageWidth = 410;
constexpr int kClientHeight = 372;
constexpr int kButtonRow = 326;

QString chooseSaveFile(QWidget *owner, const QString &folder, const QString &name)
{
    return QFileDialog::getSaveFileName(owner, QString(), folder + QLatin1Char('/') + name,
                                        QStringLiteral("*.exe"));
}

QLabel *pageLabel(QWidget *page, const QRect &at, bool bold = false)
{
    auto *label = new QLabel(page);
    label->setGeometry(at);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QPushButton *pageButton(QWidget *page, int x, int width = 90)
{
    auto *button = new QPushButton(page);
    button->setGeometry(x, kButtonRow, width, 28);
    return button;
}

QProgressBar *progressBar(QWidget *page, const char *name, int y)
{
    auto *bar = new QProgressBar(page);
    bar->setObjectName(QLatin1String(name));
    bar->setAccessibleName(QLatin1String(name));
    bar->setGeometry(16, y, 378, 20);
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace

TFrmBuilder::TFrmBuilder(const QString &projectFile, const QPixmap &sidePicture, QWidget *owner)
    : Tly_Form(owner)
    , m_projectFile(projectFile)
    , m_saveFilePicker(chooseSaveFile)
{
    setObjectName(QStringLiteral("FrmBuilder"));
    QWidget *client = ClientArea();
    ImgSide = new TLyFullPicture(client);
    // The side picture fills its strip, cut rather than tiled or distorted.
    const QSize side(kSideWidth, kClientHeight);
    QPixmap fitted = sidePicture.isNull()
                         ? sidePicture
                         : sidePicture.scaled(side, Qt::KeepAspectRatioByExpanding,
                                              Qt::SmoothTransformation);
    if (!fitted.isNull())
        fitted = fitted.copy((fitted.width() - side.width()) / 2, 0, side.width(), side.height());
    ImgSide->setLyLoadPicture(fitted);
    ImgSide->setGeometry(0, 0, kSideWidth, kClientHeight);

    Notebook1 = new QStackedWidget(client);
    Notebook1->setGeometry(kSideWidth, 0, kPageWidth, kClientHeight);
    const struct { QWidget **page; const char *name; } pages[] = {
        {&PageBegin, "Begin"}, {&PageSaveFile, "SaveFile"}, {&PageCreate, "Create"}, {&PageEnd, "End"}};
    for (const auto &p : pages) {
        *p.page = new QWidget(Notebook1);
        (*p.page)->setObjectName(QLatin1String(p.name));
        Notebook1->addWidget(*p.page);
    }

    LblTitle = pageLabel(PageBegin, {16, 20, 378, 44}, true);
    LabelBegin = pageLabel(PageBegin, {16, 80, 378, 80});
    Btn_BeginNext = pageButton(PageBegin, 206);
    Btn_BeginCancel = pageButton(PageBegin, 304);

    Label5 = pageLabel(PageSaveFile, {16, 20, 378, 24}, true);
    Label6 = pageLabel(PageSaveFile, {16, 50, 378, 40});
    LabelExeName = pageLabel(PageSaveFile, {16, 112, 300, 20});
    EdtFileExeName = new QLineEdit(PageSaveFile);
    EdtFileExeName->setObjectName(QStringLiteral("EdtFileExeName"));
    EdtFileExeName->setAccessibleName(QStringLiteral("EdtFileExeName"));
    EdtFileExeName->setGeometry(16, 136, 296, 26);
    LabelExeName->setBuddy(EdtFileExeName);
    Btn_SaveBrow = new QPushButton(PageSaveFile);
    Btn_SaveBrow->setGeometry(318, 136, 76, 26);
    Btn_SaveBack = pageButton(PageSaveFile, 108);
    Btn_SaveNext = pageButton(PageSaveFile, 206);
    Btn_SaveCancel = pageButton(PageSaveFile, 304);

    Label10 = pageLabel(PageCreate, {16, 20, 378, 24}, true);
    Label11 = pageLabel(PageCreate, {16, 50, 378, 24});
    LabelDo = pageLabel(PageCreate, {16, 84, 378, 44});
    ProgressBarFile = progressBar(PageCreate, "ProgressBarFile", 144);
    LblZipShow = pageLabel(PageCreate, {16, 170, 378, 20});
    ProgressBarZip = progressBar(PageCreate, "ProgressBarZip", 204);
    LblFileShow = pageLabel(PageCreate, {16, 230, 378, 20});
    for (QLabel *status : {LblZipShow, LblFileShow}) {
        status->setObjectName(status == LblZipShow ? QStringLiteral("LblZipShow")
                                                   : QStringLiteral("LblFileShow"));
        status->setWordWrap(false);
    }
    Button2 = pageButton(PageCreate, 304);

    Label9 = pageLabel(PageEnd, {16, 16, 378, 44}, true);
    Label14 = pageLabel(PageEnd, {16, 62, 378, 90});
    GroupBox1 = new QGroupBox(PageEnd);
    GroupBox1->setGeometry(16, 160, 378, 124);
    LblFilePath = pageLabel(GroupBox1, {12, 30, 76, 20});
    LblExePath = pageLabel(GroupBox1, {90, 30, 276, 48});
    LblExePath->setObjectName(QStringLiteral("LblExePath"));
    LblExePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblFileSize = pageLabel(GroupBox1, {12, 86, 76, 20});
    LblExeSize = pageLabel(GroupBox1, {90, 86, 276, 20});
    LblExeSize->setObjectName(QStringLiteral("LblExeSize"));
    BtnFinishPath = pageButton(PageEnd, 16, 150);
    BtnFinished = pageButton(PageEnd, 304);

    setClientAreaSize(QSize(kSideWidth + kPageWidth, kClientHeight));
    LoadTexts();

    connect(Btn_BeginNext, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilder::Btn_BeginNextClick));
    connect(Btn_BeginCancel, &QPushButton::clicked, this, &TFrmBuilder::Btn_BeginCancelClick);
    connect(Btn_SaveBrow, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilder::Btn_SaveBrowClick));
    connect(Btn_SaveBack, &QPushButton::clicked, this, &TFrmBuilder::Btn_SaveBackClick);
    connect(Btn_SaveNext, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilder::Btn_SaveNextClick));
    connect(Btn_SaveCancel, &QPushButton::clicked, this, &TFrmBuilder::Btn_SaveCancelClick);
    connect(Button2, &QPushButton::clicked, this, &TFrmBuilder::Button2Click);
    connect(BtnFinishPath, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilder::BtnFinishPathClick));
    connect(BtnFinished, &QPushButton::clicked, this, &TFrmBuilder::BtnFinishedClick);
}

TFrmBuilder::~TFrmBuilder()
{
    if (ly::ProgressWindow == this)
        ly::ProgressWindow = nullptr;
}

void TFrmBuilder::Release()
{
    if (m_building) {
        m_released = true;
        CancelBuild();
        hide();
        return;
    }
    delete this;
}

void TFrmBuilder::LoadTexts()
{
    Label35->setText(QStringLiteral("Lyrabell - Set up the guide"));
    Label36->setText(Label35->text());
    setWindowTitle(Label35->text());
    LblTitle->setText(QStringLiteral("Welcome to start set up the progress!"));
    LabelBegin->setText(QStringLiteral(
        "That guide will lead you pass to set up a greeting card procedure need of step!"));
    Btn_BeginNext->setText(QStringLiteral("&Next >"));
    Btn_BeginCancel->setText(QStringLiteral("Cancel"));
    Label5->setText(QStringLiteral("The choice outputs the document"));
    Label6->setText(QStringLiteral("Please the choice exportation document"));
    LabelExeName->setText(QStringLiteral("Filename(.exe):"));
    Btn_SaveBrow->setText(QStringLiteral("&Brow"));
    Btn_SaveBack->setText(QStringLiteral("< &Back"));
    Btn_SaveNext->setText(QStringLiteral("Next >"));
    Btn_SaveCancel->setText(QStringLiteral("Cancel"));
    Label10->setText(QStringLiteral("The greeting card manufacture degree of progress"));
    Label11->setText(QStringLiteral("Please wait for the greeting card manufacture in..."));
    LabelDo->setText(QStringLiteral("Manufacture the degree of progress:This needs several "
                                    "minutes, time, please wait for..."));
    Button2->setText(QStringLiteral("Cancel"));
    Label9->setText(QStringLiteral("Congratulate you, your project has already built up the success!"));
    Label14->setText(QStringLiteral(
        "Elucidation:You can will born can carry out the document to copy to take up a post a "
        "the pedestal calculation up the usage;Or send out your friend's mailbox through an "
        "E-mail..."));
    GroupBox1->setTitle(QStringLiteral("Output the detailed data"));
    LblFilePath->setText(QStringLiteral("Position:"));
    LblFileSize->setText(QStringLiteral("File Size:"));
    BtnFinishPath->setText(QStringLiteral("Open the directory"));
    BtnFinished->setText(QStringLiteral("Finished"));
}

QString TFrmBuilder::ActivePage() const
{
    return Notebook1->currentWidget()->objectName();
}

void TFrmBuilder::ShowPageOf(QWidget *page)
{
    Notebook1->setCurrentWidget(page);
    for (QPushButton *next : {Btn_BeginNext, Btn_SaveNext, Button2, BtnFinished})
        if (next->parentWidget() == page)
            next->setDefault(true);
}

void TFrmBuilder::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous() && !m_building && !m_builder)
        FormShow();
}

void TFrmBuilder::FormShow()
{
    ShowPageOf(PageBegin);
    LblZipShow->clear();
    LblFileShow->clear();
}

void TFrmBuilder::hideEvent(QHideEvent *event)
{
    // However the wizard is closed while a build is pending or running, the build stops.
    if (!event->spontaneous() && (m_building || m_builder) && !m_cancelled)
        CancelBuild();
    Tly_Form::hideEvent(event);
}

bool TFrmBuilder::event(QEvent *event)
{
    if (event->type() == ly::WM_PACKPROGRESS) {
        ly::PackProgressBar::apply(ProgressBarZip, *static_cast<ly::PackProgressEvent *>(event));
        return true;
    }
    return Tly_Form::event(event);
}

void TFrmBuilder::Btn_BeginNextClick()
{
    ShowPageOf(PageSaveFile);
    EdtFileExeName->setText(ly::SavedOutputFile(m_projectFile));
    ly::TidyProjectFolder(m_projectFile);
}

void TFrmBuilder::Btn_BeginCancelClick()
{
    setModalResult(mrCancel);
}

void TFrmBuilder::Btn_SaveBrowClick()
{
    const QString chosen = m_saveFilePicker(this, ly::BrowseInitialFolder(m_projectFile),
                                            ly::BrowseProposedName(m_projectFile));
    if (!chosen.isEmpty())
        EdtFileExeName->setText(ly::BrowsedOutputFile(chosen));
}

void TFrmBuilder::Btn_SaveBackClick()
{
    ShowPageOf(PageBegin);
}

void TFrmBuilder::Btn_SaveCancelClick()
{
    setModalResult(mrCancel);
}

void TFrmBuilder::Btn_SaveNextClick()
{
    const QString output = EdtFileExeName->text();
    switch (const ly::BuilderCheck check = ly::CheckOutput(m_projectFile, output)) {
    case ly::BuilderCheck::Ok:
        break;
    case ly::BuilderCheck::BadOutputPath:
        EdtFileExeName->clear();
        ly::ShowNotice(ly::BuilderCheckKind(check), ly::BuilderCheckText(check));
        return;
    default:
        ly::ShowNotice(ly::BuilderCheckKind(check), ly::BuilderCheckText(check));
        setModalResult(mrCancel);
        return;
    }
    try {
        ly::StartCard(m_projectFile, output);
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    m_outputPath = output;
    m_cancelled = false;
    ProgressBarFile->setRange(0, 1);
    ProgressBarFile->setValue(0);
    ProgressBarZip->setRange(0, 1);
    ProgressBarZip->setValue(0);
    ShowPageOf(PageCreate);
    ly::ProgressWindow = this;
    m_builder = std::make_unique<ly::CardBuilder>(m_projectFile, output,
                                                  static_cast<ly::BuildProgress &>(*this));
    QTimer::singleShot(0, this, [this] { ly::RunGuarded([this] { RunBuild(); }); });
}

void TFrmBuilder::RunBuild()
{
    if (!m_builder || m_building)
        return;
    m_building = true;
    // Whatever the build ends with, the wizard is no longer building afterwards.
    struct EndOfBuild
    {
        TFrmBuilder *wizard;
        ~EndOfBuild()
        {
            wizard->m_building = false;
            wizard->m_builder.reset();
            if (ly::ProgressWindow == wizard)
                ly::ProgressWindow = nullptr;
            if (wizard->m_released)
                wizard->deleteLater();
        }
    };
    ly::CardBuilder::Outcome outcome = ly::CardBuilder::Outcome::Cancelled;
    QString failure;
    {
        EndOfBuild end{this};
        try {
            outcome = m_builder->Build();
        } catch (const ly::Error &e) {
            failure = e.text();
        }
    }
    if (m_released)
        return;
    if (!failure.isEmpty()) {
        ly::ShowNotice(ly::NoticeError, failure);
        if (!m_cancelled)
            ShowPageOf(PageSaveFile);
        return;
    }
    if (outcome == ly::CardBuilder::Outcome::Built) {
        LblExePath->setText(m_outputPath);
        LblExeSize->setText(ly::SizeText(m_outputPath));
        ShowPageOf(PageEnd);
    } else {
        setModalResult(mrCancel);
    }
}

void TFrmBuilder::CancelBuild()
{
    m_cancelled = true;
    if (m_building) {
        m_builder->Cancel();
        return;
    }
    if (m_builder) {
        // The build had not begun: the card is only the copy of the stub.
        m_builder.reset();
        if (ly::ProgressWindow == this)
            ly::ProgressWindow = nullptr;
        QFile::remove(m_outputPath);
    }
}

void TFrmBuilder::Button2Click()
{
    CancelBuild();
    setModalResult(mrCancel);
}

void TFrmBuilder::BtnFinishPathClick()
{
    ly::OpenWithShell(this, QFileInfo(m_outputPath).absolutePath());
}

void TFrmBuilder::BtnFinishedClick()
{
    setModalResult(mrOk);
}

void TFrmBuilder::SetZipShow(const QString &text)
{
    LblZipShow->setText(text);
}

void TFrmBuilder::SetFileShow(const QString &text)
{
    LblFileShow->setText(text);
}

void TFrmBuilder::SetFileBar(int position, int maximum)
{
    ProgressBarFile->setMaximum(maximum);
    ProgressBarFile->setValue(position);
}
