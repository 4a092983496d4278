#include "editor/widgets/EditorWindow.h"

#include "editor/widgets/BlkUnit.h"
#include "editor/widgets/BuilderSetUnit.h"
#include "editor/widgets/MovieUnit.h"
#include "editor/widgets/PictureTextUnit.h"
#include "editor/widgets/PictureUnit.h"

#include <QWidget>

void EditorWindow::ShowPage()
{
    QWidget *window = Window();
    window->show();
    window->raise();
    window->repaint();
}

EditorFactory DefaultEditorFactory(ly::ProjectEditorKind kind)
{
    // Each editor adds its factory here as it is built.
    switch (kind) {
    case ly::ProjectEditorKind::Background:
        return [](TFrmMain &main) { return new TFrmBlk(main); };
    case ly::ProjectEditorKind::Album:
        return [](TFrmMain &main) { return new TFrmPicture(main); };
    case ly::ProjectEditorKind::FrameCard:
        return [](TFrmMain &main) { return new TFrmPictureText(main); };
    case ly::ProjectEditorKind::Movie:
        return [](TFrmMain &main) { return new TFrmMovie(main); };
    case ly::ProjectEditorKind::Flash:
        break;
    case ly::ProjectEditorKind::BuildSettings:
        return [](TFrmMain &main) { return new TFrmBuilderSet(main); };
    }
    return {};
}
