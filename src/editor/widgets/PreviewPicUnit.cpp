#include "editor/widgets/PreviewPicUnit.h"

#include "control/PictureLoader.h"
#include "shared/Error.h"
#include "shared/widgets/PictureFit.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>

TFrmPreviewPic::TFrmPreviewPic(QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_loader(new ly::PictureLoader(this))
{
    setWindowTitle(QStringLiteral("..::::.."));
    setWindowState(Qt::WindowMaximized);
    PnlBlack = new QLabel(this);
    PnlBlack->setObjectName(QStringLiteral("PnlBlack"));
    PnlBlack->setAccessibleName(QStringLiteral("PnlBlack"));
    PnlBlack->setAutoFillBackground(true);
    PnlBlack->setAlignment(Qt::AlignCenter);
    QPalette palette = PnlBlack->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    PnlBlack->setPalette(palette);
    Image1 = new QLabel(PnlBlack);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Image1"));
    PnlBlack->installEventFilter(this);
    Image1->installEventFilter(this);
    connect(m_loader, &ly::PictureLoader::Loaded, this, &TFrmPreviewPic::Loaded);
}

void TFrmPreviewPic::SetPicture(const QString &file)
{
    m_file = file;
    m_error.clear();
    Relayout();
}

void TFrmPreviewPic::Relayout()
{
    PnlBlack->setGeometry(rect());
    if (m_file.isEmpty() || PnlBlack->size().isEmpty())
        return;
    if (QFileInfo(m_file).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0) {
        m_loader->Cancel();
        try {
            ly::FitPictureInPanel(m_file, Image1, PnlBlack);
            return;
        } catch (const ly::Error &) {
            // Not readable as an animation: the still reader reports why.
        }
    }
    m_loader->Read(m_file, PnlBlack->size());
}

void TFrmPreviewPic::Loaded(const ly::PictureFile &picture)
{
    if (picture.file != m_file)
        return;
    if (!picture.ok()) {
        m_error = picture.error;
        Image1->clear();
        PnlBlack->setText(m_error);
        return;
    }
    PnlBlack->setText(QString());
    FitPictureFileInPanel(picture, Image1, PnlBlack);
}

void TFrmPreviewPic::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Relayout();
}

void TFrmPreviewPic::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        accept();
    QDialog::mouseReleaseEvent(event);
}

bool TFrmPreviewPic::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == PnlBlack || watched == Image1) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FitPictureFileInPanel(const ly::PictureFile &picture, QLabel *image, QWidget *panel)
{
    // The reader shrinks a large picture to about the panel's size; it takes the exact size
    // the panel gives a picture of its full size.
    const QSize place = ly::FitPictureRect(picture.fullSize, panel->size()).size();
    const QImage shown = picture.isIcon || picture.image.size() == place || place.isEmpty()
                             ? picture.image
                             : picture.image.scaled(place, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ly::FitImageInPanel(shown, picture.isIcon, image, panel);
}

void ShowPicturePreview(const QString &file, QWidget *owner)
{
    TFrmPreviewPic preview(owner);
    preview.SetPicture(file);
    preview.exec();
}
