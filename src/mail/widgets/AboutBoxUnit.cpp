#include "mail/widgets/AboutBoxUnit.h"

#include "shared/Version.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <unistd.h>

TFrmAboutBox::TFrmAboutBox(QWidget *parent)
    : QDialog(parent)
    , ProgramIcon(new QLabel(this))
    , ProductName(new QLabel(this))
    , LblProgram(new QLabel(this))
    , Version(new QLabel(this))
    , LblVersion(new QLabel(this))
    , lblMemory(new QLabel(this))
    , LblMemorySize(new QLabel(this))
    , BtnOk(new QPushButton(this))
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    ProgramIcon->setPixmap(icon.pixmap(48, 48));
    ProgramIcon->setAccessibleName(QStringLiteral("ProgramIcon"));

    auto *grid = new QGridLayout;
    grid->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(LblProgram, 0, 2);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(LblVersion, 1, 2);
    grid->addWidget(lblMemory, 2, 1);
    grid->addWidget(LblMemorySize, 2, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    BtnOk->setDefault(true);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    SetTexts();
}

void TFrmAboutBox::SetTexts()
{
    setWindowTitle(QStringLiteral("About"));
    ProductName->setText(QStringLiteral("System Name: "));
    Version->setText(QStringLiteral("Version: "));
    LblProgram->setText(QLatin1String(ly::kMailProductName));
    LblVersion->setText(QStringLiteral("V1.0"));
    lblMemory->setText(QStringLiteral("Can use the memory:"));
    LblMemorySize->setText(MemoryText(PhysicalMemoryKB()));
    BtnOk->setText(QStringLiteral("Ok"));
}

QString MemoryText(quint64 kilobytes, const QLocale &locale)
{
    QLocale l = locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    return l.toString(kilobytes) + QStringLiteral(" KB");
}

quint64 PhysicalMemoryKB()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return quint64(pages) * quint64(pageSize) / 1024;
}
