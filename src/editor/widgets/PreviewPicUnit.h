#pragma once

#include <QDialog>

class QLabel;
namespace ly {
class PictureLoader;
struct PictureFile;
}

// The full-screen picture preview: a window without border or title, maximised, whose whole
// client area is a black panel showing one picture at its own size and centred, or shrunk to
// fit with its aspect kept. A click on the picture or the panel, or Escape, closes it. It stays
// on top, so it also covers a chooser that stays on top.
class TFrmPreviewPic : public QDialog
{
    Q_OBJECT

public:
    explicit TFrmPreviewPic(QWidget *owner = nullptr);

    // The picture shown; read off the user-interface thread and shown when it arrives.
    void SetPicture(const QString &file);
    QString Picture() const { return m_file; }
    // Why the picture could not be shown, or empty.
    QString ErrorText() const { return m_error; }

    QLabel *PnlBlack;
    QLabel *Image1;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Relayout();
    void Loaded(const ly::PictureFile &picture);

    ly::PictureLoader *m_loader;
    QString m_file;
    QString m_error;
};

// Shows a picture read for a panel (ReadPictureFile shrunk to the panel) in the image label as
// FitPictureInPanel places it.
void FitPictureFileInPanel(const ly::PictureFile &picture, QLabel *image, QWidget *panel);

// The main window's picture preview step: shows the file in a TFrmPreviewPic, modally, in front
// of `owner`, and destroys the window when it closes.
void ShowPicturePreview(const QString &file, QWidget *owner);
