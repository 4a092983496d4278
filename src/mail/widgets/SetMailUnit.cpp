#include "mail/widgets/SetMailUnit.h"

#include "mail/DomainTable.h"
#include "mail/MailAccount.h"
#include "mail/MailFiles.h"
#include "shared/Error.h"
#include "shared/widgets/Notice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace ly::mail;

namespace {

// The security choice's items, in the order shown.
const std::pair<const char *, SmtpSecurity> kSecurityItems[] = {
    {"None", SmtpSecurity::None},
    {"STARTTLS", SmtpSecurity::StartTls},
    {"TLS", SmtpSecurity::Tls},
};

} // namespace

TFrmSetMail::TFrmSetMail(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , LblTitle1(new QLabel(this))
    , LblTitle2(new QLabel(this))
    , GroupBox1(new QGroupBox(this))
    , LblName1(new QLabel(GroupBox1))
    , EdtName(new QLineEdit(GroupBox1))
    , LabelMail(new QLabel(GroupBox1))
    , EdtMail(new QLineEdit(GroupBox1))
    , GroupBox2(new QGroupBox(this))
    , LabelSMTP(new QLabel(GroupBox2))
    , EdtSmtp(new QLineEdit(GroupBox2))
    , LblPort(new QLabel(GroupBox2))
    , EdtPort(new QLineEdit(GroupBox2))
    , LblSecurity(new QLabel(GroupBox2))
    , ComSecurity(new QComboBox(GroupBox2))
    , StmpCheck(new QCheckBox(GroupBox2))
    , Label20(new QLabel(GroupBox2))
    , EdtUser(new QLineEdit(GroupBox2))
    , Label21(new QLabel(GroupBox2))
    , EdtPass(new QLineEdit(GroupBox2))
    , BtnOk(new QPushButton(this))
    , BtnCancel(new QPushButton(this))
{
    QFont bold = LblTitle1->font();
    bold.setBold(true);
    LblTitle1->setFont(bold);
    EdtPass->setEchoMode(QLineEdit::Password);
    StmpCheck->setChecked(true);
    EdtPort->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), EdtPort));
    EdtPort->setMaximumWidth(EdtPort->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 16);
    for (const auto &[text, security] : kSecurityItems)
        ComSecurity->addItem(QLatin1String(text), int(security));

    auto *personal = new QFormLayout(GroupBox1);
    personal->addRow(LblName1, EdtName);
    personal->addRow(LabelMail, EdtMail);
    auto *server = new QFormLayout(GroupBox2);
    server->addRow(LabelSMTP);
    server->addRow(EdtSmtp);
    server->addRow(LblPort, EdtPort);
    server->addRow(LblSecurity, ComSecurity);
    server->addRow(StmpCheck);
    server->addRow(Label20, EdtUser);
    server->addRow(Label21, EdtPass);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblTitle1);
    layout->addWidget(LblTitle2);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    const std::pair<QLineEdit *, const char *> boxes[] = {
        {EdtName, "EdtName"}, {EdtMail, "EdtMail"}, {EdtSmtp, "EdtSmtp"},
        {EdtUser, "EdtUser"}, {EdtPass, "EdtPass"}, {EdtPort, "EdtPort"}};
    for (const auto &[box, name] : boxes) {
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(QLatin1String(name));
        box->clear();
    }
    LabelMail->setBuddy(EdtMail);
    LblName1->setBuddy(EdtName);
    Label20->setBuddy(EdtUser);
    Label21->setBuddy(EdtPass);
    LblPort->setBuddy(EdtPort);
    LblSecurity->setBuddy(ComSecurity);
    // Like the boxes, the choice has no caption of its own: it goes by its field name.
    ComSecurity->setObjectName(QStringLiteral("ComSecurity"));
    ComSecurity->setAccessibleName(QStringLiteral("ComSecurity"));
    BtnOk->setDefault(true);

    connect(EdtMail, &QLineEdit::editingFinished, this, &TFrmSetMail::EdtMailExit);
    connect(ComSecurity, &QComboBox::currentIndexChanged, this, &TFrmSetMail::securityChanged);
    connect(BtnOk, &QPushButton::clicked, this, &TFrmSetMail::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    SetTexts();
    securityChanged();
}

TFrmSetMail::~TFrmSetMail()
{
    // Hiding the dialog takes the focus from the boxes; leaving the address box then must
    // not reach this half-destroyed window.
    EdtMail->disconnect(this);
}

void TFrmSetMail::SetTexts()
{
    setWindowTitle(QStringLiteral("The mail constitution"));
    LblTitle1->setText(QStringLiteral("Personal mail constitution"));
    LblTitle2->setText(QStringLiteral("Please establish personal information with basic mail"));
    GroupBox1->setTitle(QStringLiteral("Personal mail constitution"));
    LblName1->setText(QStringLiteral("Name:"));
    LabelMail->setText(QStringLiteral("EMail:"));
    GroupBox2->setTitle(QStringLiteral("Mail server(SMTP)"));
    LabelSMTP->setText(QStringLiteral("Send out the mail server(SMTP)"));
    StmpCheck->setText(QStringLiteral("A verification of body(SMTP)"));
    Label20->setText(QStringLiteral("Mail User:"));
    Label21->setText(QStringLiteral("Mail Pass:"));
    LblPort->setText(QStringLiteral("Port:"));
    LblSecurity->setText(QStringLiteral("Security:"));
    BtnOk->setText(QStringLiteral("&Ok"));
    BtnCancel->setText(QStringLiteral("&Cancel"));
}

void TFrmSetMail::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrmSetMail::FormShow()
{
    // A damaged account counts as none: the boxes stay empty for a new one.
    const auto sound = LoadAccountIfSound(AccountFile());
    if (!sound)
        return;
    const MailAccount &account = *sound;
    EdtName->setText(account.name);
    EdtMail->setText(account.mailAddress);
    EdtSmtp->setText(account.smtpServer);
    StmpCheck->setChecked(account.needsLogin);
    EdtUser->setText(account.userName);
    EdtPass->setText(account.password);
    EdtPort->setText(account.port == 0 ? QString() : QString::number(account.port));
    ComSecurity->setCurrentIndex(ComSecurity->findData(int(account.security)));
    m_guessedFrom = account.mailAddress;
}

void TFrmSetMail::EdtMailExit()
{
    const QString address = EdtMail->text();
    if (address == m_guessedFrom)
        return;
    const auto guess = GuessFromMailAddress(address, DomainTableFile());
    if (!guess)
        return;
    m_guessedFrom = address;
    EdtUser->setText(guess->userName);
    EdtSmtp->setText(guess->smtpServer);
    if (guess->serverFromTable)
        EdtPass->setFocus();
}

void TFrmSetMail::securityChanged()
{
    // The empty port box shows the port that the mode uses then.
    const auto security = SmtpSecurity(ComSecurity->currentData().toInt());
    EdtPort->setPlaceholderText(QString::number(EffectivePort(0, security)));
}

void TFrmSetMail::BtnOkClick()
{
    MailAccount account;
    account.name = EdtName->text();
    account.mailAddress = EdtMail->text();
    account.smtpServer = EdtSmtp->text();
    account.needsLogin = StmpCheck->isChecked();
    account.userName = EdtUser->text();
    account.password = EdtPass->text();
    account.security = SmtpSecurity(ComSecurity->currentData().toInt());
    if (!AccountComplete(account))
        return;
    if (!EdtPort->text().isEmpty()) {
        const uint port = EdtPort->text().toUInt();
        if (port == 0 || port > 65535) {
            ly::ShowNotice(ly::NoticeWarning,
                           QStringLiteral("The port must be a number from 1 to 65535."));
            EdtPort->setFocus();
            return;
        }
        account.port = quint16(port);
    }
    // Values longer than their fields are kept whole in the side file; only characters the
    // code page cannot store are refused, and the user is told which values hold them.
    try {
        SaveAccount(AccountFile(), account);
    } catch (const FieldsDoNotFit &e) {
        ly::ShowNotice(ly::NoticeWarning, e.text());
        return;
    } catch (const ly::Error &e) {
        ly::ShowNotice(ly::NoticeError, e.text());
        return;
    }
    accept();
}
