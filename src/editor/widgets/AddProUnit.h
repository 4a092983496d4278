#pragma once

#include "control/widgets/Ly_Form.h"
#include "editor/ProjectDocument.h"

#include <functional>

class QListWidget;
class QPushButton;
class QTabWidget;

// The Edit Project dialog: the optional modules of the open project as a list with check
// boxes ("Fly Album", "Add Flash", "Add Movie", "Set Frame"). OK runs PrepareProject with the
// ticks and closes with mrOk; Cancel closes. Any set is accepted, none included.
class TFrmAddPro : public Tly_Form
{
    Q_OBJECT

public:
    // The main window's PrepareProject(album, flash, frame card, movie).
    using PrepareFunction = std::function<void(bool, bool, bool, bool)>;

    // `current`: the modules whose page buttons the main window shows.
    TFrmAddPro(const ly::ModuleChoice &current, PrepareFunction prepare, QWidget *owner = nullptr);

    QTabWidget *PageControl1;
    QWidget *TabSheet;
    QListWidget *ListView1; // entries: album, Flash, movie, frame card
    QPushButton *BtnOk;
    QPushButton *BtnCancel;

public Q_SLOTS:
    void BtnOkClick();
    void BtnCancelClick();

private:
    void LoadTexts();
    bool ticked(int entry) const;

    PrepareFunction m_prepare;
};
