#include "shared/widgets/Notice.h"

#include <QApplication>
#include <QMessageBox>

namespace ly {

namespace {
NoticeHook g_hook = nullptr;
}

void SetNoticeHook(NoticeHook hook)
{
    g_hook = hook;
}

void ShowNotice(int kind, const QString &text)
{
    QMessageBox::Icon icon;
    QString title;
    switch (kind) {
    case NoticeError:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
        break;
    case NoticeWarning:
        icon = QMessageBox::Warning;
        title = QStringLiteral("Warning");
        break;
    case NoticeInformation:
        icon = QMessageBox::Information;
        title = QStringLiteral("Information");
        break;
    default:
        return;
    }
    if (g_hook) {
        g_hook(kind, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace ly
