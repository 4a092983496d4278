#include "editor/widgets/LoadMorePicUnit.h"

#include "control/widgets/LyImgBtn.h"
#include "control/widgets/LyScrollboxImg.h"
#include "editor/PictureChoice.h"
#include "editor/widgets/MainUnit.h"
#include "editor/widgets/PreviewPicUnit.h"
#include "shared/Paths.h"
#include "shared/widgets/Notice.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

TFrmLoadMorePic::TFrmLoadMorePic(QWidget *owner)
    : TFrmLoadPicBase(owner, QLatin1String(ly::kPictureLibrary), QLatin1String(ly::kPictureBase))
{
    setClientAreaSize(QSize(620, 520));
    lyImgBtnMin->show();
    lyImgBtnMax->show();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    ScrollBoxImg1->SetPictureTypes(true, true, true, true, false, false, false);

    PopupMenu1 = new QMenu(this);
    Menu_AddPic = PopupMenu1->addAction(QString());
    Menu_ShowPic = PopupMenu1->addAction(QString());
    ScrollBoxImg1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ScrollBoxImg1, &QWidget::customContextMenuRequested, this, &TFrmLoadMorePic::PopupMenu1Popup);
    connect(Menu_AddPic, &QAction::triggered, this, &TFrmLoadMorePic::BtnOpenClick);
    connect(Menu_ShowPic, &QAction::triggered, this, &TFrmLoadMorePic::Menu_ShowPicClick);

    LoadTexts();
    RememberTexts();
    PageControl1->setCurrentIndex(0);
}

void TFrmLoadMorePic::LoadTexts()
{
    setTitleText(QStringLiteral("Select a lot of Images"));
    BtnOpen->setText(QStringLiteral("&Add pictures"));
    BtnCancel->setText(QStringLiteral("&Close"));
    PageControl1->setTabText(0, QStringLiteral("MySoft list"));
    PageControl1->setTabText(1, QStringLiteral("System list"));
    Menu_AddPic->setText(BtnOpen->text());
    Menu_ShowPic->setText(QStringLiteral("Preview(100%)"));
}

void TFrmLoadMorePic::showEvent(QShowEvent *event)
{
    TFrmLoadPicBase::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrmLoadMorePic::FormShow()
{
    LoadLibrary();
    PlaceBesideMainWindow();
    ShowFolder(ly::ProgramDir());
    SelectFirstFolderNode();
}

void TFrmLoadMorePic::PlaceBesideMainWindow()
{
    // Right edge on the right edge of the main window's client area, top just below its
    // title bar.
    QWidget *main = parentWidget() ? parentWidget()->window() : nullptr;
    if (!main)
        return;
    const QRect frame = main->geometry();
    move(frame.right() - TFrmMain::kFrame - width() + 1, frame.top() + TFrmMain::kTitleHeight);
}

void TFrmLoadMorePic::BtnOpenClick()
{
    if (m_currentPicture.isEmpty())
        return;
    const ly::ChosenPicture added = ly::AddPictureToFolder(m_currentPicture, m_targetFolder, m_isListed);
    if (!added.ok()) {
        ly::ShowNotice(ly::NoticeError, added.error);
        return;
    }
    if (m_addPicture)
        m_addPicture(added.path);
}

void TFrmLoadMorePic::Menu_ShowPicClick()
{
    if (!m_currentPicture.isEmpty())
        ShowPicturePreview(m_currentPicture, this);
}

void TFrmLoadMorePic::PopupMenu1Popup(const QPoint &at)
{
    Menu_AddPic->setEnabled(!m_currentPicture.isEmpty());
    Menu_ShowPic->setEnabled(!m_currentPicture.isEmpty());
    PopupMenu1->popup(ScrollBoxImg1->mapToGlobal(at));
}
