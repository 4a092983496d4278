#include "control/widgets/LyFontDialog.h"

#include "control/widgets/LyColorBox.h"
#include "shared/widgets/ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

TlyFontDialog::FontPicker &picker()
{
    static TlyFontDialog::FontPicker hook;
    return hook;
}

} // namespace

TlyFontDialog::TlyFontDialog(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Font"));
    ComName = ly::Named(new QComboBox(this), QStringLiteral("Font"));
    ComName->setEditable(true);
    ComName->addItems(QFontDatabase::families());
    EdtSize = ly::Named(new QSpinBox(this), QStringLiteral("Size"));
    EdtSize->setRange(1, 400);
    CheckBold = new QCheckBox(QStringLiteral("&Bold"), this);
    CheckItalic = new QCheckBox(QStringLiteral("&Italic"), this);
    CheckUnderline = new QCheckBox(QStringLiteral("&Underline"), this);
    CheckStrikeOut = new QCheckBox(QStringLiteral("Stri&keout"), this);
    ColorBox = ly::Named(new TlyColorBox(this), QStringLiteral("Color"));
    LblSample = ly::Named(new QLabel(QStringLiteral("AaBbYyZz"), this), QStringLiteral("Sample"));
    LblSample->setAlignment(Qt::AlignCenter);
    LblSample->setMinimumSize(240, 64);
    LblSample->setAutoFillBackground(true);
    QPalette sample = LblSample->palette();
    sample.setColor(QPalette::Window, QColor(0xd8, 0xd8, 0xd8));
    LblSample->setPalette(sample);
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), ComName);
    form->addRow(QStringLiteral("&Size:"), EdtSize);
    form->addRow(QStringLiteral("&Color:"), ColorBox);
    auto *styles = new QHBoxLayout;
    for (QCheckBox *box : {CheckBold, CheckItalic, CheckUnderline, CheckStrikeOut})
        styles->addWidget(box);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(styles);
    layout->addWidget(LblSample);
    layout->addLayout(buttons);

    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComName, &QComboBox::currentTextChanged, this, &TlyFontDialog::UpdateSample);
    connect(EdtSize, &QSpinBox::valueChanged, this, &TlyFontDialog::UpdateSample);
    for (QCheckBox *box : {CheckBold, CheckItalic, CheckUnderline, CheckStrikeOut})
        connect(box, &QCheckBox::toggled, this, &TlyFontDialog::UpdateSample);
    connect(ColorBox, &TlyColorBox::Change, this, &TlyFontDialog::UpdateSample);
}

void TlyFontDialog::setChosenFont(const ly::TFont &font)
{
    ComName->setEditText(font.Name);
    EdtSize->setValue(font.Size);
    CheckBold->setChecked(font.Style.testFlag(ly::fsBold));
    CheckItalic->setChecked(font.Style.testFlag(ly::fsItalic));
    CheckUnderline->setChecked(font.Style.testFlag(ly::fsUnderline));
    CheckStrikeOut->setChecked(font.Style.testFlag(ly::fsStrikeOut));
    ColorBox->setSelected(font.Color);
    UpdateSample();
}

ly::TFont TlyFontDialog::chosenFont() const
{
    ly::TFont font;
    font.Name = ComName->currentText().trimmed();
    font.Size = EdtSize->value();
    font.Style = {};
    font.Style.setFlag(ly::fsBold, CheckBold->isChecked());
    font.Style.setFlag(ly::fsItalic, CheckItalic->isChecked());
    font.Style.setFlag(ly::fsUnderline, CheckUnderline->isChecked());
    font.Style.setFlag(ly::fsStrikeOut, CheckStrikeOut->isChecked());
    font.Color = ColorBox->Selected();
    return font;
}

void TlyFontDialog::UpdateSample()
{
    ly::ShowFont(LblSample, chosenFont());
}

void TlyFontDialog::SetFontPicker(FontPicker hook)
{
    picker() = std::move(hook);
}

void ly::ShowFont(QWidget *widget, const TFont &font)
{
    widget->setFont(font.toQFont(widget->font()));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ToQColor(font.Color));
    widget->setPalette(palette);
}

bool TlyFontDialog::Execute(QWidget *owner, ly::TFont &font)
{
    if (picker())
        return picker()(owner, font);
    TlyFontDialog dialog(owner);
    dialog.setChosenFont(font);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.chosenFont();
    return true;
}
