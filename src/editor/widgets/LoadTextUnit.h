#pragma once

#include "control/widgets/Ly_Form.h"

#include <QStringList>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The wish-text dialog of the frame card's animated texts: a memo with the text, "&Load File"
// to read a ".txt" file into it, "&Open" to take it (an empty memo is refused with a warning)
// and "&Cancel". Result() is the memo's lines after Open, and the single line "Please the
// importation wish phrase" after Cancel or the title's close button.
class TFrmLoadText_English : public Tly_Form
{
    Q_OBJECT

public:
    static inline const QString kCancelledText = QStringLiteral("Please the importation wish phrase");

    explicit TFrmLoadText_English(const QStringList &text, QWidget *owner = nullptr);

    QStringList Result() const { return m_result; }

    // The file dialog of "&Load File": tests replace it.
    using TextFilePicker = std::function<QString(QWidget *owner)>;
    static void SetTextFilePicker(TextFilePicker picker);

    QLabel *LblTitle;
    QPlainTextEdit *Memo1;
    QPushButton *BtnLoad;
    QPushButton *BtnOpen;
    QPushButton *BtnCancel;

public Q_SLOTS:
    void BtnLoadClick();
    void BtnOpenClick();
    void BtnCancelClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void LoadTexts();

    QStringList m_result{kCancelledText};
};
