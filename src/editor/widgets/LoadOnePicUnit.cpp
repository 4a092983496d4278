#include "editor/widgets/LoadOnePicUnit.h"

#include "control/widgets/LyScrollboxImg.h"
#include "editor/PictureChoice.h"
#include "shared/widgets/Notice.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTreeWidget>

TFrmLoadOnePic::TFrmLoadOnePic(QWidget *owner)
    : TFrmLoadPicBase(owner, QLatin1String(ly::kSinglePictureLibrary),
                      QLatin1String(ly::kSinglePictureBase))
{
    TextTop_Lbl->show();
    TextBtm_Lbl->show();
    setHeaderHeight(44);
    setClientAreaSize(QSize(800, 570));
}

void TFrmLoadOnePic::setPictureTypes(const ly::PictureTypes &types)
{
    ScrollBoxImg1->SetPictureTypes(types);
}

QString TFrmLoadOnePic::Choose(QWidget *owner, const QString &section, int initialEntry,
                               const ly::PictureTypes &types)
{
    TFrmLoadOnePic chooser(owner);
    chooser.setLibrarySection(section);
    chooser.setInitialEntry(initialEntry);
    chooser.setPictureTypes(types);
    chooser.ShowModal();
    return chooser.ChosenPath();
}

void TFrmLoadOnePic::LoadTexts()
{
    setTitleText(QStringLiteral("Select an Image"));
    TextTop_Lbl->setText(QStringLiteral("Open Images Directory"));
    TextBtm_Lbl->setText(QStringLiteral("Please Select an Image File"));
    BtnOpen->setText(QStringLiteral("&Open"));
    BtnCancel->setText(QStringLiteral("&Close"));
    PageControl1->setTabText(0, QStringLiteral("Card Directory"));
    PageControl1->setTabText(1, QStringLiteral("System Directory"));
}

void TFrmLoadOnePic::showEvent(QShowEvent *event)
{
    TFrmLoadPicBase::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmLoadOnePic::FormShow()
{
    LoadTexts();
    RememberTexts();
    PageControl1->setCurrentIndex(0);
    LoadLibrary();
    if (m_initialEntry < 0 || m_initialEntry >= TreeView1->topLevelItemCount())
        return;
    try {
        TreeView1->setCurrentItem(TreeView1->topLevelItem(m_initialEntry));
    } catch (const std::exception &) {
        // Showing the entry's folder is a courtesy; the window opens all the same.
    }
    SelectFirstFolderNode();
}

QString TFrmLoadOnePic::EntryFolderSection() const
{
    return QLatin1String(ly::kSinglePictureLibrary);
}

void TFrmLoadOnePic::ClearOutput()
{
    m_chosenPath.clear();
}

void TFrmLoadOnePic::BtnOpenClick()
{
    m_chosenPath.clear();
    if (!m_currentPicture.isEmpty()) {
        const ly::ChosenPicture chosen = ly::TakeOnePicture(m_currentPicture, LibraryFolders());
        if (!chosen.ok()) {
            ly::ShowNotice(ly::NoticeError, chosen.error);
            return;
        }
        m_chosenPath = chosen.path;
    }
    ScrollBoxImg1->StopLoading();
    setModalResult(mrOk);
    close();
}
