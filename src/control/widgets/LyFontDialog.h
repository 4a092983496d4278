#pragma once

#include "shared/FontColor.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TlyColorBox;

// The font dialog of the editors: face, size, the four styles and the colour of a stored font
// (ly::TFont), with a sample. Qt's own font dialog has no colour, and the stored fonts carry
// one. A face that the system does not have keeps its name.
//
//     ly::TFont font = ...;
//     if (TlyFontDialog::Execute(this, font)) ...
class TlyFontDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TlyFontDialog(QWidget *owner = nullptr);

    void setChosenFont(const ly::TFont &font);
    ly::TFont chosenFont() const;

    // Shows the dialog modally on font; true and the chosen font on OK.
    static bool Execute(QWidget *owner, ly::TFont &font);
    // Tests replace the dialog: the hook receives the font and answers as the user would.
    using FontPicker = std::function<bool(QWidget *owner, ly::TFont &font)>;
    static void SetFontPicker(FontPicker picker);

    QComboBox *ComName;
    QSpinBox *EdtSize;
    QCheckBox *CheckBold;
    QCheckBox *CheckItalic;
    QCheckBox *CheckUnderline;
    QCheckBox *CheckStrikeOut;
    TlyColorBox *ColorBox;
    QLabel *LblSample;
    QPushButton *BtnOk;
    QPushButton *BtnCancel;

private:
    void UpdateSample();
};

namespace ly {
// The widget's text takes the font's face, size, style and colour.
void ShowFont(QWidget *widget, const TFont &font);
} // namespace ly
