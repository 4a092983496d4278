#pragma once

#include "editor/widgets/LoadPicBase.h"

// The one-picture chooser. The caller sets the library section, the entry selected on opening
// and the picture types, shows it modally and takes ChosenPath(): the picture to use, or empty
// when the user closed the window. A picture whose name cannot be stored comes back under a
// storable name: renamed in place when it belongs to the program's own library, else as a copy
// in the private temp folder (the user's file is never touched).
//
//     TFrmLoadOnePic chooser(this);
//     chooser.setLibrarySection("DirBlkSet");
//     chooser.setInitialEntry(0);
//     chooser.setPictureTypes(ly::ALL_PICTURE_TYPES);
//     chooser.ShowModal();
//     const QString picture = chooser.ChosenPath();
class TFrmLoadOnePic : public TFrmLoadPicBase
{
    Q_OBJECT

public:
    explicit TFrmLoadOnePic(QWidget *owner = nullptr);

    void setLibrarySection(const QString &section) { m_section = section; }
    void setInitialEntry(int index) { m_initialEntry = index; }
    void setPictureTypes(const ly::PictureTypes &types);
    QString ChosenPath() const { return m_chosenPath; }

    // The whole use in one call: the chosen picture, or empty.
    static QString Choose(QWidget *owner, const QString &section, int initialEntry,
                          const ly::PictureTypes &types);

public Q_SLOTS:
    void FormShow();
    void BtnOpenClick() override;

protected:
    // A click on a library entry always takes its folder from the single-picture library.
    QString EntryFolderSection() const override;
    void ClearOutput() override;
    void showEvent(QShowEvent *event) override;

private:
    void LoadTexts();

    int m_initialEntry = 0;
    QString m_chosenPath;
};
