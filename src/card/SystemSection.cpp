#include "card/SystemSection.h"

#include "card/ProjectKeys.h"
#include "shared/Ini.h"

namespace ly {

namespace {
const QString kSection = QStringLiteral("System");
}

SystemSection ReadSystemSection(const QString &projectFile)
{
    SystemSection s;
    const ProjectKeys keys(projectFile, kSection);
    if (!keys.exists())
        return s;
    s.autoRun = keys.flag(QStringLiteral("AutoRun"));
    s.showMsgFlag = keys.flag(QStringLiteral("ShowMsgFlag"));
    s.showMsg = keys.value(QStringLiteral("ShowMsg"));
    s.openHttpFlag = keys.flag(QStringLiteral("OpenHttpFlag"));
    s.openHttp = keys.value(QStringLiteral("OpenHttp"));
    s.sendMailFlag = keys.flag(QStringLiteral("SendMailFlag"));
    s.sendMail = keys.value(QStringLiteral("SendMail"));
    s.flashOcxFlag = keys.flag(QStringLiteral("FlashOcxFlag"));
    s.arrowPanelFlag = keys.flag(QStringLiteral("ArrowPanelFlag"));
    return s;
}

void WriteSystemSection(const QString &projectFile, const SystemSection &s)
{
    const SectionWriter w(projectFile, kSection);
    w.flag(QStringLiteral("AutoRun"), s.autoRun);
    w.flag(QStringLiteral("ShowMsgFlag"), s.showMsgFlag);
    w.flag(QStringLiteral("OpenHttpFlag"), s.openHttpFlag);
    w.flag(QStringLiteral("SendMailFlag"), s.sendMailFlag);
    w.flag(QStringLiteral("FlashOcxFlag"), s.flashOcxFlag);
    w.flag(QStringLiteral("ArrowPanelFlag"), s.arrowPanelFlag);
    w.put(QStringLiteral("ShowMsg"), s.showMsg.trimmed());
    w.put(QStringLiteral("OpenHttp"), s.openHttp.trimmed());
    w.put(QStringLiteral("SendMail"), s.sendMail.trimmed());
}

bool ProjectHasAlbum(const QString &projectFile)
{
    return ini::read(projectFile, QStringLiteral("Application"), QStringLiteral("FrmPicture"))
           == QLatin1String("1");
}

} // namespace ly
