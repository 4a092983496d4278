#include "control/widgets/LyColorBox.h"
#include "control/widgets/LyFontDialog.h"
#include "support/Modal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

TEST(LyColorBoxTest, ListsTheStandardColoursAndTakesACustomOne)
{
    TlyColorBox box;
    QSignalSpy changes(&box, &TlyColorBox::Change);
    box.setSelected(ly::clNavy);
    EXPECT_EQ(box.currentText(), QStringLiteral("Navy"));
    const int entries = box.count();
    box.setSelected(0x00336699);
    EXPECT_EQ(box.Selected(), 0x00336699u);
    EXPECT_EQ(box.count(), entries + 1);
    EXPECT_EQ(changes.count(), 0) << "setting the colour is no user's choice";

    Q_EMIT box.activated(box.findText(QStringLiteral("Red")));
    EXPECT_EQ(box.Selected(), ly::clRed);
    EXPECT_EQ(changes.count(), 1);

    // "Custom...": the colour dialog's answer, or nothing when it was cancelled.
    TlyColorBox::SetColorPicker([](QWidget *, ly::TColor &) { return false; });
    Q_EMIT box.activated(0);
    EXPECT_EQ(box.Selected(), ly::clRed);
    EXPECT_EQ(box.currentText(), QStringLiteral("Red"));
    TlyColorBox::SetColorPicker([](QWidget *, ly::TColor &color) {
        color = ly::RGB(1, 2, 3);
        return true;
    });
    Q_EMIT box.activated(0);
    TlyColorBox::SetColorPicker({});
    EXPECT_EQ(box.Selected(), ly::RGB(1, 2, 3));
    EXPECT_EQ(changes.count(), 2);
}

TEST(LyFontDialogTest, ChoosesFaceSizeStyleAndColour)
{
    ly::TFont font;
    font.Name = QStringLiteral("No Such Face");
    font.Size = 11;
    font.Color = ly::clWhite;
    font.Style = ly::fsItalic;

    // The dialog shows the font as it is, a face the system lacks included; OK hands back
    // what the user changed.
    lytest::whenModalShows<TlyFontDialog>([](TlyFontDialog *d) {
        EXPECT_EQ(d->ComName->currentText(), QStringLiteral("No Such Face"));
        EXPECT_EQ(d->EdtSize->value(), 11);
        EXPECT_TRUE(d->CheckItalic->isChecked());
        d->EdtSize->setValue(24);
        d->CheckBold->setChecked(true);
        d->ColorBox->setSelected(ly::clYellow);
        d->BtnOk->click();
    });
    ASSERT_TRUE(TlyFontDialog::Execute(nullptr, font));
    EXPECT_EQ(font.Name, QStringLiteral("No Such Face"));
    EXPECT_EQ(font.Size, 24);
    EXPECT_EQ(font.Style, ly::TFontStyles(ly::fsBold | ly::fsItalic));
    EXPECT_EQ(font.Color, ly::clYellow);

    lytest::whenModalShows<TlyFontDialog>([](TlyFontDialog *d) {
        d->EdtSize->setValue(8);
        d->BtnCancel->click();
    });
    EXPECT_FALSE(TlyFontDialog::Execute(nullptr, font));
    EXPECT_EQ(font.Size, 24);
}

} // namespace
