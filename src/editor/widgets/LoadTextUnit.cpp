#include "editor/widgets/LoadTextUnit.h"

#include "card/FrameCardSection.h"
#include "control/widgets/LyFullPicture.h"
#include "editor/widgets/AppException.h"
#include "shared/widgets/Notice.h"

#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

TFrmLoadText_English::TextFilePicker &textFilePicker()
{
    static TFrmLoadText_English::TextFilePicker picker;
    return picker;
}

} // namespace

void TFrmLoadText_English::SetTextFilePicker(TextFilePicker picker)
{
    textFilePicker() = std::move(picker);
}

TFrmLoadText_English::TFrmLoadText_English(const QStringList &text, QWidget *owner)
    : Tly_Form(owner)
{
    QWidget *client = ClientArea();
    LblTitle = new QLabel(client);
    LblTitle->setGeometry(10, 8, 380, 20);
    Memo1 = new QPlainTextEdit(client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Memo1"));
    Memo1->setGeometry(10, 30, 380, 200);
    Memo1->setPlainText(text.join(QLatin1Char('\n')));
    BtnLoad = new QPushButton(client);
    BtnLoad->setGeometry(10, 240, 96, 28);
    BtnOpen = new QPushButton(client);
    BtnOpen->setGeometry(196, 240, 94, 28);
    BtnCancel = new QPushButton(client);
    BtnCancel->setGeometry(296, 240, 94, 28);
    setClientAreaSize(QSize(400, 278));

    connect(BtnLoad, &QPushButton::clicked, this, ly::Guarded(this, &TFrmLoadText_English::BtnLoadClick));
    connect(BtnOpen, &QPushButton::clicked, this, ly::Guarded(this, &TFrmLoadText_English::BtnOpenClick));
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmLoadText_English::BtnCancelClick);
    LoadTexts();
}

void TFrmLoadText_English::LoadTexts()
{
    Label35->setText(QStringLiteral("Input the wish language"));
    Label36->setText(Label35->text());
    setWindowTitle(Label35->text());
    LblTitle->setText(QStringLiteral("Write in to bless the language"));
    BtnLoad->setText(QStringLiteral("&Load File"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
    BtnOpen->setText(QStringLiteral("&Open"));
}

void TFrmLoadText_English::BtnLoadClick()
{
    const QString file = textFilePicker()
                             ? textFilePicker()(this)
                             : QFileDialog::getOpenFileName(this, QString(), QString(),
                                                            QStringLiteral("*.txt"));
    if (file.isEmpty())
        return;
    Memo1->setPlainText(ly::framecard::ReadTextLines(file).join(QLatin1Char('\n')));
}

void TFrmLoadText_English::BtnOpenClick()
{
    if (Memo1->toPlainText().isEmpty()) {
        ly::ShowNotice(ly::NoticeWarning, QStringLiteral("Please input some wish languages"));
        return;
    }
    m_result = Memo1->toPlainText().split(QLatin1Char('\n'));
    setModalResult(mrOk);
}

void TFrmLoadText_English::BtnCancelClick()
{
    m_result = QStringList{kCancelledText};
    setModalResult(mrCancel);
}

void TFrmLoadText_English::closeEvent(QCloseEvent *event)
{
    if (ModalResult() != mrOk)
        m_result = QStringList{kCancelledText};
    Tly_Form::closeEvent(event);
}
