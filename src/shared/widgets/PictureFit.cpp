#include "shared/widgets/PictureFit.h"

#include "shared/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPixmap>

namespace ly {

namespace {

[[noreturn]] void notAPicture(const QString &file, const QString &why)
{
    throw Error(QStringLiteral("Cannot load the picture \"%1\". %2").arg(file, why));
}

void clearImage(QLabel *image)
{
    QMovie *movie = image->movie();
    image->clear();
    if (movie && movie->parent() == image)
        delete movie;
}

} // namespace

void FitPictureInPanel(const QString &file, QLabel *image, QWidget *panel)
{
    clearImage(image);
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(file, f.errorString()));
    }
    const QString ext = QFileInfo(file).suffix().toLower();

    if (ext == QLatin1String("gif")) {
        auto *movie = new QMovie(file, QByteArray(), image);
        if (!movie->isValid() || !movie->jumpToFrame(0)) {
            const QString why = movie->lastErrorString();
            delete movie;
            notAPicture(file, why);
        }
        const QSize size = movie->currentImage().size();
        if (size.isEmpty()) {
            delete movie;
            notAPicture(file, QStringLiteral("The picture is empty."));
        }
        image->setGeometry(FitPictureRect(size, panel->size()));
        image->setScaledContents(true);
        image->setMovie(movie);
        movie->start();
        return;
    }

    QImageReader reader(file);
    const QImage picture = reader.read();
    if (picture.isNull())
        notAPicture(file, reader.errorString());
    FitImageInPanel(picture, ext == QLatin1String("ico"), image, panel);
}

void FitImageInPanel(const QImage &picture, bool asIs, QLabel *image, QWidget *panel)
{
    clearImage(image);
    const QRect place = FitPictureRect(picture.size(), panel->size());
    image->setGeometry(place);
    if (asIs) {
        image->setScaledContents(true);
        image->setPixmap(QPixmap::fromImage(picture));
    } else {
        image->setScaledContents(false);
        image->setPixmap(QPixmap::fromImage(
            picture.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    image->update();
}

} // namespace ly
