#include "editor/widgets/BlkTextSetUnit.h"

#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyFontDialog.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/widgets/AppException.h"
#include "editor/widgets/BlkUnit.h"
#include "shared/widgets/ControlNames.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

// The sub-items of a slot's row: text, shadow flag, animation.
enum Column { NameColumn = 0, TextColumn = 1, ShadowColumn = 2, AnimationColumn = 3 };

} // namespace

TFrmBlkTextSet::TFrmBlkTextSet(TFrmBlk &editor)
    : Tly_Form(&editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("FrmBlkTextSet"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setClientAreaSize(QSize(kClientWidth, kClientHeight));
    QWidget *client = ClientArea();

    LabelTitle = new QLabel(client);
    QFont title = LabelTitle->font();
    title.setBold(true);
    LabelTitle->setFont(title);
    LabelTitle->setGeometry(12, 6, 516, 20);
    TextTop_Lbl = new QLabel(client);
    TextTop_Lbl->setGeometry(12, 28, 516, 18);
    TextBtm_Lbl = new QLabel(client);
    TextBtm_Lbl->setGeometry(28, 46, 500, 18);

    ListView1 = ly::Named(new QTreeWidget(client), QStringLiteral("ListView1"));
    ListView1->setGeometry(12, 70, 516, 86);
    ListView1->setColumnCount(4);
    ListView1->setRootIsDecorated(false);
    ListView1->setColumnWidth(NameColumn, 220);
    ListView1->setColumnHidden(ShadowColumn, true);
    ListView1->setColumnHidden(AnimationColumn, true);
    ListView1->header()->setSectionsMovable(false);
    for (int i = 0; i < 3; ++i) {
        auto *row = new QTreeWidgetItem(ListView1);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setCheckState(NameColumn, Qt::Unchecked);
        row->setText(TextColumn, QString());
        row->setText(ShadowColumn, QStringLiteral("0"));
        row->setText(AnimationColumn, QStringLiteral("1"));
    }
    const ly::FrmBlkSection defaults;
    for (int i = 0; i < 3; ++i) {
        m_textFonts[i] = defaults.slots[i].font;
        m_shadowFonts[i] = defaults.slots[i].shadowFont;
    }

    FontGroupBox = new QGroupBox(client);
    FontGroupBox->setGeometry(12, 164, 170, 124);
    LblFontExample1 = ly::Named(new QLabel(FontGroupBox), QStringLiteral("LblFontExample1"));
    LblFontExample = ly::Named(new QLabel(FontGroupBox), QStringLiteral("LblFontExample"));
    FontGroupBox->setAutoFillBackground(true);
    QPalette example = FontGroupBox->palette();
    example.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    FontGroupBox->setPalette(example);

    ChargeGroupBox = new QGroupBox(client);
    ChargeGroupBox->setGeometry(192, 164, 336, 124);
    ChargeText = new QLabel(ChargeGroupBox);
    ChargeText->setGeometry(10, 24, 56, 22);
    EdtCaption = ly::Named(new QLineEdit(ChargeGroupBox), QStringLiteral("EdtCaption"));
    EdtCaption->setGeometry(68, 24, 258, 22);
    ChargeText->setBuddy(EdtCaption);
    ChargeCheckBox = new QCheckBox(ChargeGroupBox);
    ChargeCheckBox->setGeometry(10, 54, 110, 24);
    BtnFont1 = new QPushButton(ChargeGroupBox);
    BtnFont1->setGeometry(132, 54, 90, 24);
    BtnFont2 = new QPushButton(ChargeGroupBox);
    BtnFont2->setGeometry(226, 54, 100, 24);
    AniLbl = new QLabel(ChargeGroupBox);
    AniLbl->setGeometry(10, 82, 100, 16);
    AniText_Radio1 = new QRadioButton(ChargeGroupBox);
    AniText_Radio1->setGeometry(6, 98, 120, 22);
    AniText_Radio2 = new QRadioButton(ChargeGroupBox);
    AniText_Radio2->setGeometry(128, 98, 96, 22);
    AniText_Radio3 = new QRadioButton(ChargeGroupBox);
    AniText_Radio3->setGeometry(226, 98, 104, 22);

    BtnOK = new QPushButton(client);
    BtnOK->setGeometry(366, 300, 76, 28);
    BtnCancel = new QPushButton(client);
    BtnCancel->setGeometry(452, 300, 76, 28);

    LoadTexts();
    ShowSlot();

    connect(ListView1, &QTreeWidget::itemClicked, this, ly::Guarded(this, &TFrmBlkTextSet::ListView1Click));
    connect(ListView1, &QTreeWidget::currentItemChanged, this, ly::Guarded(this, &TFrmBlkTextSet::ListView1Click));
    // A row's check box is its slot's used flag: the edit box follows it at once.
    connect(ListView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        if (column == NameColumn && item == ListView1->currentItem())
            ShowSlot();
    });
    connect(EdtCaption, &QLineEdit::textEdited, this, ly::Guarded(this, &TFrmBlkTextSet::EdtCaptionChange));
    // Check boxes and radio buttons follow toggled (assistive technology's toggle action emits
    // only that); ShowSlot sets them with their signals blocked.
    connect(ChargeCheckBox, &QCheckBox::toggled, this, ly::Guarded(this, &TFrmBlkTextSet::ChargeCheckBoxClick));
    connect(BtnFont1, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBlkTextSet::BtnFont1Click));
    connect(BtnFont2, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBlkTextSet::BtnFont2Click));
    connect(AniText_Radio1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ly::RunGuarded([this] { AniText_Radio1Click(); });
    });
    connect(AniText_Radio2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ly::RunGuarded([this] { AniText_Radio2Click(); });
    });
    connect(AniText_Radio3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ly::RunGuarded([this] { AniText_Radio3Click(); });
    });
    connect(BtnOK, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBlkTextSet::BtnOKClick));
    connect(BtnCancel, &QPushButton::clicked, this, ly::Guarded(this, &TFrmBlkTextSet::BtnCancelClick));
}

void TFrmBlkTextSet::LoadTexts()
{
    setTitleText(QStringLiteral("Set Text of the background"));
    TextTop_Lbl->setText(QStringLiteral("Set Text of the background"));
    TextBtm_Lbl->setText(QStringLiteral("Please Set Text of the background..."));
    LabelTitle->setText(QStringLiteral("BackGround Text Property"));
    FontGroupBox->setTitle(QStringLiteral("Example"));
    LblFontExample->setText(QStringLiteral("Text"));
    LblFontExample1->setText(LblFontExample->text());
    ChargeGroupBox->setTitle(QStringLiteral("Edit"));
    ChargeText->setText(QStringLiteral("Caption"));
    ChargeCheckBox->setText(QStringLiteral("Shadow"));
    AniLbl->setText(QStringLiteral("MoveStyle"));
    AniText_Radio1->setText(QStringLiteral("Twinkling Move"));
    AniText_Radio2->setText(QStringLiteral("Plane Move"));
    AniText_Radio3->setText(QStringLiteral("plumb Move"));
    ListView1->setHeaderLabels({QStringLiteral("Function Options"), QStringLiteral("Text"),
                                QString(), QString()});
    BtnFont1->setText(QStringLiteral("Set Font"));
    BtnFont2->setText(QStringLiteral("Shadow Font"));
    BtnOK->setText(QStringLiteral("&Ok"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    static const char *const names[] = {"Add Move of the BackGround", "Add Text of the Top",
                                        "Add Text of the Bottom"};
    for (int i = 0; i < 3; ++i)
        Row(i)->setText(NameColumn, QLatin1String(names[i]));
    UpdateExample();
}

void TFrmBlkTextSet::showEvent(QShowEvent *event)
{
    LoadTexts();
    Tly_Form::showEvent(event);
}

QTreeWidgetItem *TFrmBlkTextSet::Row(int slot) const
{
    return ListView1->topLevelItem(slot);
}

ly::CaptionSlot TFrmBlkTextSet::Slot(int slot) const
{
    const QTreeWidgetItem *row = Row(slot);
    ly::CaptionSlot s;
    s.used = row->checkState(NameColumn) == Qt::Checked;
    s.text = row->text(TextColumn);
    s.shadow = row->text(ShadowColumn) != QLatin1String("0");
    s.font = m_textFonts[slot];
    s.shadowFont = m_shadowFonts[slot];
    return s;
}

void TFrmBlkTextSet::SetSlot(int slot, const ly::CaptionSlot &value)
{
    QTreeWidgetItem *row = Row(slot);
    {
        const QSignalBlocker quiet(ListView1);
        row->setCheckState(NameColumn, value.used ? Qt::Checked : Qt::Unchecked);
        row->setText(TextColumn, value.text);
        row->setText(ShadowColumn, value.shadow ? QStringLiteral("1") : QStringLiteral("0"));
    }
    m_textFonts[slot] = value.font;
    // The shadow has the text font's face, size and style; only its colour is its own.
    m_shadowFonts[slot] = value.font;
    m_shadowFonts[slot].Color = value.shadowFont.Color;
    if (slot == m_slot)
        ShowSlot();
}

int TFrmBlkTextSet::CaptionIndex() const
{
    const int index = Row(0)->text(AnimationColumn).toInt();
    return index >= 1 && index <= 3 ? index : 1;
}

void TFrmBlkTextSet::SetCaptionIndex(int index)
{
    Row(0)->setText(AnimationColumn, QString::number(index >= 1 && index <= 3 ? index : 1));
    if (m_slot == 0)
        ShowSlot();
}

void TFrmBlkTextSet::ListView1Click()
{
    QTreeWidgetItem *current = ListView1->currentItem();
    m_slot = current && current->isSelected() ? ListView1->indexOfTopLevelItem(current) : -1;
    ShowSlot();
}

void TFrmBlkTextSet::ShowSlot()
{
    const bool any = m_slot >= 0;
    const ly::CaptionSlot s = any ? Slot(m_slot) : ly::CaptionSlot();
    const bool used = any && s.used;
    EdtCaption->setText(any ? s.text : QString());
    for (QWidget *w : {static_cast<QWidget *>(ChargeText), static_cast<QWidget *>(EdtCaption),
                       static_cast<QWidget *>(ChargeCheckBox), static_cast<QWidget *>(BtnFont1)})
        w->setEnabled(used);
    ly::SetBaseColor(EdtCaption, used ? QColor(Qt::white) : QColor(kSilver));
    {
        const QSignalBlocker quiet(ChargeCheckBox);
        ChargeCheckBox->setChecked(any && s.shadow);
    }
    BtnFont2->setEnabled(used && ChargeCheckBox->isChecked());
    const bool animated = used && m_slot == 0;
    for (QRadioButton *r : {AniText_Radio1, AniText_Radio2, AniText_Radio3})
        r->setEnabled(animated);
    AniLbl->setEnabled(animated);
    if (m_slot == 0) {
        QRadioButton *radios[] = {AniText_Radio1, AniText_Radio2, AniText_Radio3};
        const QSignalBlocker quiet(radios[CaptionIndex() - 1]);
        radios[CaptionIndex() - 1]->setChecked(true);
    }
    UpdateExample();
}

void TFrmBlkTextSet::UpdateExample()
{
    if (m_slot >= 0) {
        ly::ShowFont(LblFontExample, m_textFonts[m_slot]);
        ly::ShowFont(LblFontExample1, m_shadowFonts[m_slot]);
    }
    LblFontExample->adjustSize();
    LblFontExample1->adjustSize();
    const QRect box = FontGroupBox->contentsRect();
    const QPoint at(box.x() + (box.width() - LblFontExample->width()) / 2,
                    box.y() + (box.height() - LblFontExample->height()) / 2);
    LblFontExample->move(at);
    LblFontExample1->move(at + QPoint(1, 1));
    LblFontExample1->setVisible(ChargeCheckBox->isChecked());
    LblFontExample->raise();
}

void TFrmBlkTextSet::EdtCaptionChange()
{
    if (m_slot >= 0)
        Row(m_slot)->setText(TextColumn, EdtCaption->text());
}

void TFrmBlkTextSet::ChargeCheckBoxClick()
{
    if (m_slot < 0)
        return;
    Row(m_slot)->setText(ShadowColumn,
                         ChargeCheckBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    BtnFont2->setEnabled(ChargeCheckBox->isChecked());
    UpdateExample();
}

void TFrmBlkTextSet::BtnFont1Click()
{
    if (m_slot < 0)
        return;
    ly::TFont font = m_textFonts[m_slot];
    if (TlyFontDialog::Execute(this, font))
        m_textFonts[m_slot] = font;
    const ly::TColor shadow = m_shadowFonts[m_slot].Color;
    m_shadowFonts[m_slot] = m_textFonts[m_slot];
    m_shadowFonts[m_slot].Color = shadow;
    UpdateExample();
}

void TFrmBlkTextSet::BtnFont2Click()
{
    if (m_slot < 0)
        return;
    ly::TColor color = m_shadowFonts[m_slot].Color;
    if (TlyColorBox::PickColor(this, color))
        m_shadowFonts[m_slot].Color = color;
    UpdateExample();
}

void TFrmBlkTextSet::SetAnimation(const QString &value)
{
    Row(0)->setText(AnimationColumn, value);
}

void TFrmBlkTextSet::AniText_Radio1Click() { SetAnimation(QStringLiteral("1")); }
void TFrmBlkTextSet::AniText_Radio2Click() { SetAnimation(QStringLiteral("2")); }
void TFrmBlkTextSet::AniText_Radio3Click() { SetAnimation(QStringLiteral("3")); }

void TFrmBlkTextSet::BtnOKClick()
{
    m_editor.ApplyCaptions();
    hide();
}

void TFrmBlkTextSet::BtnCancelClick()
{
    hide();
}
