#include "editor/widgets/EveryDayUnit.h"

#include "control/widgets/LyFullPicture.h"
#include "editor/StartupAids.h"
#include "shared/widgets/Notice.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>

namespace {

QLabel *headingLabel(QWidget *parent, const QColor &color, const QPoint &at)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(at.x(), at.y(), 300, 28);
    return label;
}

} // namespace

TFrmEveryDay::TFrmEveryDay(const QPixmap &sidePicture, QWidget *owner)
    : Tly_Form(owner)
{
    QWidget *client = ClientArea();
    PnlWhite = new TLyFullPicture(client);
    PnlWhite->setColor(Qt::white);
    PnlWhite->setGeometry(10, 10, 420, 190);
    ImgSide = new TLyFullPicture(PnlWhite);
    ImgSide->setLyLoadPicture(sidePicture);
    ImgSide->setGeometry(0, 0, 90, 190);

    LblTitle2 = headingLabel(PnlWhite, QColor(0xC0, 0xC0, 0xC0), QPoint(107, 13));
    LblTitle1 = headingLabel(PnlWhite, QColor(0x20, 0x20, 0x80), QPoint(106, 12));
    LblTitle2->setAccessibleName(QStringLiteral("LblTitle2"));
    LblText = new QLabel(PnlWhite);
    LblText->setWordWrap(true);
    LblText->setTextFormat(Qt::PlainText);
    LblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblText->setGeometry(106, 50, 300, 130);
    LblText->setAccessibleName(QStringLiteral("LblText"));

    CheckBox1 = new QCheckBox(client);
    CheckBox1->setGeometry(12, 212, 200, 22);
    Button1 = new QPushButton(client);
    Button1->setGeometry(254, 210, 86, 26);
    Button2 = new QPushButton(client);
    Button2->setGeometry(346, 210, 84, 26);
    Button2->setDefault(true);
    setClientAreaSize(QSize(440, 246));

    LblText->clear();
    CheckBox1->setChecked(ly::SystemFlagOn(QStringLiteral("EveryStudy")));
    LoadTexts();

    connect(Button1, &QPushButton::clicked, this, &TFrmEveryDay::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFrmEveryDay::Button2Click);
    connect(CheckBox1, &QCheckBox::clicked, this, &TFrmEveryDay::CheckBox1Click);
}

void TFrmEveryDay::LoadTexts()
{
    setTitleText(QStringLiteral("Tip of the day"));
    LblTitle1->setText(QStringLiteral("Did your know..."));
    LblTitle2->setText(LblTitle1->text());
    CheckBox1->setText(QStringLiteral("Start Tip on start"));
    Button1->setText(QStringLiteral("&Next Tip"));
    Button2->setText(QStringLiteral("Ok"));
}

void TFrmEveryDay::showEvent(QShowEvent *event)
{
    Tly_Form::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmEveryDay::FormShow()
{
    const std::optional<QStringList> tips = ly::LoadTips(ly::TipsFile());
    if (!tips) {
        ly::ShowNotice(ly::NoticeWarning,
                       QStringLiteral("Execuse me, the procedure want for document, may read to "
                                      "put to have the mistake."));
        close();
        return;
    }
    m_tips = *tips;
    if (m_tips.isEmpty()) {
        close();
        return;
    }
    QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
    ShowTip(int(random.bounded(quint32(m_tips.size()))));
}

void TFrmEveryDay::ShowTip(int index)
{
    m_index = index;
    LblText->setText(m_tips.at(index));
}

void TFrmEveryDay::Button1Click()
{
    if (!m_tips.isEmpty())
        ShowTip(ly::NextTipIndex(m_index, int(m_tips.size())));
}

void TFrmEveryDay::Button2Click()
{
    close();
}

void TFrmEveryDay::CheckBox1Click(bool checked)
{
    ly::WriteSystemFlag(QStringLiteral("EveryStudy"), checked);
}
