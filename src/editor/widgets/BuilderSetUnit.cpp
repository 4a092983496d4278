#include "editor/widgets/BuilderSetUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/ProjectDocument.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/MainUnit.h"
#include "shared/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

const QString kSystem = QStringLiteral("System");

// A check box and the [System] key it stands for.
struct FlagKey
{
    QCheckBox *TFrmBuilderSet::*box;
    const char *key;
};

const FlagKey kFlags[] = {
    {&TFrmBuilderSet::CheckBoxRun, "AutoRun"},          {&TFrmBuilderSet::CheckBoxDialog, "ShowMsgFlag"},
    {&TFrmBuilderSet::CheckBoxHttp, "OpenHttpFlag"},    {&TFrmBuilderSet::CheckBoxEMail, "SendMailFlag"},
    {&TFrmBuilderSet::CheckBoxFlash, "FlashOcxFlag"},   {&TFrmBuilderSet::CheckBoxArrow, "ArrowPanelFlag"},
};

struct TextKey
{
    QLineEdit *TFrmBuilderSet::*edit;
    const char *key;
};

const TextKey kTexts[] = {
    {&TFrmBuilderSet::EdtDialog, "ShowMsg"},
    {&TFrmBuilderSet::EdtHttp, "OpenHttp"},
    {&TFrmBuilderSet::EdtEMail, "SendMail"},
};

// An edit box follows its check box: enabled on white, or disabled on silver.
void followCheckBox(const QCheckBox *box, QLineEdit *edit)
{
    const bool on = box->isChecked();
    edit->setEnabled(on);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::All, QPalette::Base,
                     on ? QColor(Qt::white) : QColor(TFrmBuilderSet::kSilver));
    edit->setPalette(palette);
}

// The arrow panel the card shows while it plays: back, play, pause and forward on a bar.
QPixmap arrowPanelPicture()
{
    QPixmap picture(168, 40);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bar(0, 0, 0, 40);
    bar.setColorAt(0, QColor(0x6b, 0x5a, 0xa8));
    bar.setColorAt(1, QColor(0x2e, 0x24, 0x5c));
    p.setPen(QPen(QColor(0xd8, 0xd0, 0xf0), 1.5));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(1, 1, 166, 38), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf4, 0xc0));
    const auto triangle = [&p](qreal x, bool right) {
        QPainterPath path;
        const qreal tip = right ? x + 14 : x;
        const qreal back = right ? x : x + 14;
        path.moveTo(tip, 20);
        path.lineTo(back, 11);
        path.lineTo(back, 29);
        path.closeSubpath();
        p.drawPath(path);
    };
    triangle(14, false);
    triangle(24, false);
    triangle(60, true);
    p.drawRect(QRectF(94, 11, 5, 18));
    p.drawRect(QRectF(103, 11, 5, 18));
    triangle(130, true);
    triangle(140, true);
    return picture;
}

} // namespace

TFrmBuilderSet::TFrmBuilderSet(TFrmMain &main)
    : QWidget(main.PnlDock)
    , m_main(main)
{
    setObjectName(QStringLiteral("FrmBuilderSet"));
    setAutoFillBackground(true);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    Label1 = new QLabel(this);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    Label1->setFont(title);
    Label1->setGeometry(24, 14, 500, 28);
    Label4 = new QLabel(this);
    Label4->setGeometry(44, 44, 400, 20);

    GroupBox3 = new QGroupBox(this);
    GroupBox3->setGeometry(24, 74, 470, 182);
    CheckBoxRun = new QCheckBox(GroupBox3);
    CheckBoxRun->setGeometry(16, 26, 440, 24);
    const struct { QCheckBox **box; QLineEdit **edit; const char *name; int y; } rows[] = {
        {&CheckBoxDialog, &EdtDialog, "EdtDialog", 64},
        {&CheckBoxHttp, &EdtHttp, "EdtHttp", 102},
        {&CheckBoxEMail, &EdtEMail, "EdtEMail", 140},
    };
    for (const auto &r : rows) {
        *r.box = new QCheckBox(GroupBox3);
        (*r.box)->setGeometry(16, r.y, 220, 24);
        *r.edit = new QLineEdit(GroupBox3);
        (*r.edit)->setGeometry(240, r.y, 214, 24);
        (*r.edit)->setObjectName(QLatin1String(r.name));
        (*r.edit)->setAccessibleName(QLatin1String(r.name));
    }

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(24, 270, 470, 140);
    CheckBoxFlash = new QCheckBox(GroupBox1);
    CheckBoxFlash->setGeometry(16, 26, 440, 24);
    LabelFlash = new QLabel(GroupBox1);
    LabelFlash->setWordWrap(true);
    LabelFlash->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelFlash->setGeometry(36, 60, 418, 64);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setGeometry(512, 74, 252, 182);
    LblPanel = new QLabel(GroupBox2);
    LblPanel->setWordWrap(true);
    LblPanel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblPanel->setGeometry(14, 24, 226, 70);
    CheckBoxArrow = new QCheckBox(GroupBox2);
    CheckBoxArrow->setGeometry(14, 98, 226, 24);
    ImgArrow = new QLabel(GroupBox2);
    ImgArrow->setObjectName(QStringLiteral("ImgArrow"));
    ImgArrow->setAccessibleName(QStringLiteral("ImgArrow"));
    ImgArrow->setPixmap(arrowPanelPicture());
    ImgArrow->setGeometry(40, 130, 168, 40);

    BtnPreview = new QPushButton(this);
    BtnPreview->setGeometry(512, 290, 120, 30);
    BtnBuilder = new QPushButton(this);
    BtnBuilder->setGeometry(644, 290, 120, 30);
    BtnSendMail = new QPushButton(this);
    BtnSendMail->setGeometry(512, 332, 120, 30);

    LoadTexts();

    connect(CheckBoxDialog, &QCheckBox::toggled, this, &TFrmBuilderSet::CheckBoxDialogClick);
    connect(CheckBoxHttp, &QCheckBox::toggled, this, &TFrmBuilderSet::CheckBoxHttpClick);
    connect(CheckBoxEMail, &QCheckBox::toggled, this, &TFrmBuilderSet::CheckBoxEMailClick);
    connect(CheckBoxArrow, &QCheckBox::toggled, this, &TFrmBuilderSet::CheckBoxArrowClick);
    connect(BtnPreview, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilderSet::BtnPreviewClick));
    connect(BtnBuilder, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilderSet::BtnBuilderClick));
    connect(BtnSendMail, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBuilderSet::BtnSendMailClick));
    FollowCheckBoxes();
}

void TFrmBuilderSet::LoadTexts()
{
    Label1->setText(QStringLiteral("The setup of the Lyrabell end"));
    Label4->setText(QStringLiteral("Please Setting..."));
    GroupBox3->setTitle(QStringLiteral("The greeting card be over action"));
    CheckBoxRun->setText(QStringLiteral("Boot to running the program"));
    CheckBoxDialog->setText(QStringLiteral("Flick the talk text"));
    CheckBoxHttp->setText(QStringLiteral("Open the web page"));
    CheckBoxEMail->setText(QStringLiteral("Automatic reply mailbox address"));
    GroupBox1->setTitle(QStringLiteral("Add Flash Control"));
    CheckBoxFlash->setText(QStringLiteral("Pack join the Flash to broadcast to control the piece"));
    LabelFlash->setText(QStringLiteral(
        "Elucidation:If pack of can carry out the document to compute in the other on board "
        "can't broadcast the animation of Flash, then ask you to choose!"));
    GroupBox2->setTitle(QStringLiteral("Broadcast the panel setup"));
    LblPanel->setText(QStringLiteral("In play Lyrabell process, you can control to the panel! "
                                     "Please select the nether CheckBox"));
    CheckBoxArrow->setText(QStringLiteral("Show arrow panel"));
    BtnPreview->setText(QStringLiteral("&Preview..."));
    BtnBuilder->setText(QStringLiteral("&Builder(*.exe)"));
    BtnSendMail->setText(QStringLiteral("&SendMail"));
}

void TFrmBuilderSet::LoadStep(const ly::ProjectDocument &project)
{
    const QString file = project.CurrentProjectFile();
    for (const FlagKey &f : kFlags)
        (this->*f.box)->setChecked(ly::ReadIni(kSystem, QLatin1String(f.key), file)
                                   == QLatin1String("1"));
    for (const TextKey &t : kTexts)
        (this->*t.edit)->setText(ly::ReadIni(kSystem, QLatin1String(t.key), file));
    FollowCheckBoxes();
}

void TFrmBuilderSet::SaveStep(const ly::ProjectDocument &project)
{
    const QString file = project.CurrentProjectFile();
    for (const FlagKey &f : kFlags)
        ly::WriteIni(kSystem, QLatin1String(f.key),
                     (this->*f.box)->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), file);
    for (const TextKey &t : kTexts)
        ly::WriteIni(kSystem, QLatin1String(t.key), (this->*t.edit)->text().trimmed(), file);
}

void TFrmBuilderSet::FollowCheckBoxes()
{
    CheckBoxDialogClick();
    CheckBoxHttpClick();
    CheckBoxEMailClick();
    CheckBoxArrowClick();
}

void TFrmBuilderSet::CheckBoxDialogClick() { followCheckBox(CheckBoxDialog, EdtDialog); }
void TFrmBuilderSet::CheckBoxHttpClick() { followCheckBox(CheckBoxHttp, EdtHttp); }
void TFrmBuilderSet::CheckBoxEMailClick() { followCheckBox(CheckBoxEMail, EdtEMail); }

void TFrmBuilderSet::CheckBoxArrowClick()
{
    ImgArrow->setVisible(CheckBoxArrow->isChecked());
}

void TFrmBuilderSet::BtnPreviewClick() { m_main.Preview2Click(); }
void TFrmBuilderSet::BtnBuilderClick() { m_main.Builder2Click(); }
void TFrmBuilderSet::BtnSendMailClick() { m_main.MenuQuillpostClick(); }
