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
    const auto put = [&](const QString &key, const QString &value) {
        ini::write(projectFile, kSection, key, value);
    };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    put(QStringLiteral("AutoRun"), flag(s.autoRun));
    put(QStringLiteral("ShowMsgFlag"), flag(s.showMsgFlag));
    put(QStringLiteral("OpenHttpFlag"), flag(s.openHttpFlag));
    put(QStringLiteral("SendMailFlag"), flag(s.sendMailFlag));
    put(QStringLiteral("FlashOcxFlag"), flag(s.flashOcxFlag));
    put(QStringLiteral("ArrowPanelFlag"), flag(s.arrowPanelFlag));
    put(QStringLiteral("ShowMsg"), s.showMsg.trimmed());
    put(QStringLiteral("OpenHttp"), s.openHttp.trimmed());
    put(QStringLiteral("SendMail"), s.sendMail.trimmed());
}

bool ProjectHasAlbum(const QString &projectFile)
{
    return ini::read(projectFile, QStringLiteral("Application"), QStringLiteral("FrmPicture"))
           == QLatin1String("1");
}

} // namespace ly
