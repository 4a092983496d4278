#pragma once

#include <QString>

// What the card does besides playing, section [System] of a project: the build settings page
// writes the keys, the card player carries them out. Flags are on when exactly "1".
namespace ly {

struct SystemSection
{
    bool autoRun = false;
    bool showMsgFlag = false;
    QString showMsg;
    bool openHttpFlag = false;
    QString openHttp = QStringLiteral("http://");
    bool sendMailFlag = false;
    QString sendMail;
    bool flashOcxFlag = false;
    bool arrowPanelFlag = true;
};

SystemSection ReadSystemSection(const QString &projectFile);
// Writes the nine keys of the settings page, texts trimmed. Throws ly::Error.
void WriteSystemSection(const QString &projectFile, const SystemSection &section);

// [Application] FrmPicture is "1": the project has the album.
bool ProjectHasAlbum(const QString &projectFile);

} // namespace ly
