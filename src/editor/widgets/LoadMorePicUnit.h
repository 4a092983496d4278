#pragma once

#include "editor/widgets/LoadPicBase.h"

#include <functional>

class QAction;
class QMenu;

// The multi-picture chooser of the album. It stays open (and on top) while the user adds
// pictures one by one: each added picture is copied into the target folder under a storable
// name and handed to the caller's add step. The user's own file is never changed.
//
//     TFrmLoadMorePic chooser(this);
//     chooser.setLibrarySection("DirPicSet");
//     chooser.setTargetFolder(projectFolder + "Picture");
//     chooser.setAddPicture([&](const QString &path) { album.AddPicture(path); });
//     chooser.setIsListed([&](const QString &name) { return album.Lists(name); });
//     chooser.ShowModal();
class TFrmLoadMorePic : public TFrmLoadPicBase
{
    Q_OBJECT

public:
    explicit TFrmLoadMorePic(QWidget *owner = nullptr);

    void setLibrarySection(const QString &section) { m_section = section; }
    void setTargetFolder(const QString &folder) { m_targetFolder = folder; }
    QString TargetFolder() const { return m_targetFolder; }
    // The album's add step, called with the copy in the target folder.
    void setAddPicture(std::function<void(const QString &path)> add) { m_addPicture = std::move(add); }
    // Whether the album lists a picture of that file name already; such a picture in the target
    // folder is kept as it is.
    void setIsListed(std::function<bool(const QString &fileName)> listed) { m_isListed = std::move(listed); }

    QMenu *PopupMenu1;
    QAction *Menu_AddPic;
    QAction *Menu_ShowPic;

public Q_SLOTS:
    void FormShow();
    void BtnOpenClick() override;
    void Menu_ShowPicClick();
    void PopupMenu1Popup(const QPoint &at);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();
    void PlaceBesideMainWindow();

    QString m_targetFolder;
    std::function<void(const QString &)> m_addPicture;
    std::function<bool(const QString &)> m_isListed;
};
