#pragma once

#include "editor/ProjectDocument.h"

#include <functional>

class QWidget;
class TFrmMain;

// An editor window of the main window: it is created when its page is first entered, docks
// into the main window's docking area and lives until Close All. The main window runs its
// load step once, right after creating it, when the open mark of its kind is set (the build
// settings page always loads), and its save step (ly::ProjectEditor::SaveStep) on every Save
// for as long as it exists.
class EditorWindow : public ly::ProjectEditor
{
public:
    // The window that docks into the main window's docking area.
    virtual QWidget *Window() = 0;
    // Reads the editor's own sections of the project file.
    virtual void LoadStep(const ly::ProjectDocument &project) = 0;
    // Its page button was pressed: the window comes in front of the other docked windows,
    // which stay as they are. Editors add what entering their page does (the background
    // editor selects the gradient when no kind is selected; the frame card shows its design
    // surface over the designer).
    virtual void ShowPage();
    // Another page comes in front or help is shown: windows floating over this page (the
    // frame card's design surface) hide.
    virtual void HideFloatingWindows() {}
    // Before a preview: media that the editor plays stop.
    virtual void StopMedia() {}
};

// Makes the editor window of a kind for the main window; the window is parented to
// main.PnlDock. An empty factory means the page has no window yet.
using EditorFactory = std::function<EditorWindow *(TFrmMain &main)>;

// The editors of the program, by kind.
EditorFactory DefaultEditorFactory(ly::ProjectEditorKind kind);
