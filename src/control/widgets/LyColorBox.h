#pragma once

#include "shared/FontColor.h"

#include <QComboBox>

#include <functional>

// A colour box: a list of the standard colours, each with its swatch and name, and a first
// entry "Custom..." that opens the colour dialog. Selected() is the chosen colour; a colour set
// from outside that is not in the list joins it as a custom entry. Change() follows the user's
// choices only, so a window that sets the colour while it loads runs no handler.
class TlyColorBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TlyColorBox(QWidget *parent = nullptr);

    ly::TColor Selected() const { return m_selected; }
    void setSelected(ly::TColor color);

    // The colour dialog of the "Custom..." entry: returns false when the user cancelled.
    using ColorPicker = std::function<bool(QWidget *owner, ly::TColor &color)>;
    static void SetColorPicker(ColorPicker picker);
    static bool PickColor(QWidget *owner, ly::TColor &color);

Q_SIGNALS:
    void Change();

private:
    void entryActivated(int index);
    int indexOfColor(ly::TColor color) const;
    void addColor(ly::TColor color, const QString &name);

    ly::TColor m_selected = ly::clBlack;
};
