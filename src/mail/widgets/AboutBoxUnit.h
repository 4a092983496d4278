#pragma once

#include <QDialog>
#include <QLocale>

class QLabel;
class QPushButton;

// The about box: the program's icon, title and version, and the physical memory.
class TFrmAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmAboutBox(QWidget *parent = nullptr);

    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *LblProgram;
    QLabel *Version;
    QLabel *LblVersion;
    QLabel *lblMemory;
    QLabel *LblMemorySize;
    QPushButton *BtnOk;

    void SetTexts();
};

// The memory size in kilobytes with thousands separators and " KB" ("#,### KB"); the plain C
// locale groups as English does.
QString MemoryText(quint64 kilobytes, const QLocale &locale = QLocale());
// The machine's physical memory in kilobytes (0 when the system does not say).
quint64 PhysicalMemoryKB();
