#pragma once

#include "card/FrmBlkSection.h"
#include "control/widgets/Ly_Form.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFrmBlk;

// The background editor's caption dialog: the three caption slots (the moving caption, the top
// and the bottom caption), each with its used flag (the check box of its row), its text, its
// shadow flag, its text font and shadow font, and for the moving caption its animation. It is
// shown without blocking over the editor; OK applies the slots to the editor's preview
// (TFrmBlk::ApplyCaptions) and hides it, Cancel only hides it. It lives as long as the editor.
class TFrmBlkTextSet : public Tly_Form
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 540;
    static constexpr int kClientHeight = 338;
    // The colour of the text field of a slot that is not used.
    static constexpr QRgb kSilver = 0xC0C0C0;

    explicit TFrmBlkTextSet(TFrmBlk &editor);

    // The slots, as the list and the six fonts hold them.
    ly::CaptionSlot Slot(int slot) const;
    void SetSlot(int slot, const ly::CaptionSlot &value);
    // The moving caption's animation: 1 twinkle, 2 plane, 3 plumb.
    int CaptionIndex() const;
    void SetCaptionIndex(int index);
    // The slot whose row is selected, or -1.
    int SelectedSlot() const { return m_slot; }

    // The window's texts; the list rows get the slot names.
    void LoadTexts();

    QLabel *LabelTitle;
    QLabel *TextTop_Lbl;
    QLabel *TextBtm_Lbl;
    QTreeWidget *ListView1;
    QGroupBox *FontGroupBox;
    QLabel *LblFontExample1; // the shadow copy, under the example
    QLabel *LblFontExample;
    QGroupBox *ChargeGroupBox;
    QLabel *ChargeText;
    QLineEdit *EdtCaption;
    QCheckBox *ChargeCheckBox;
    QPushButton *BtnFont1;
    QPushButton *BtnFont2;
    QLabel *AniLbl;
    QRadioButton *AniText_Radio1;
    QRadioButton *AniText_Radio2;
    QRadioButton *AniText_Radio3;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;

public Q_SLOTS:
    void ListView1Click();
    void EdtCaptionChange();
    void ChargeCheckBoxClick();
    void BtnFont1Click();
    void BtnFont2Click();
    void AniText_Radio1Click();
    void AniText_Radio2Click();
    void AniText_Radio3Click();
    void BtnOKClick();
    void BtnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QTreeWidgetItem *Row(int slot) const;
    // The controls of the edit box and the example follow the selected slot.
    void ShowSlot();
    void UpdateExample();
    void SetAnimation(const QString &value);

    TFrmBlk &m_editor;
    std::array<ly::TFont, 3> m_textFonts;
    std::array<ly::TFont, 3> m_shadowFonts;
    int m_slot = -1;
};
