#include "control/widgets/LyColorBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColor
{
    ly::TColor color;
    const char *name;
};

// The standard colours, in the order the colour boxes list them.
const NamedColor kColors[] = {
    {ly::clBlack, "Black"},   {ly::clMaroon, "Maroon"},   {ly::clGreen, "Green"},
    {ly::clOlive, "Olive"},   {ly::clNavy, "Navy"},       {ly::clPurple, "Purple"},
    {ly::clTeal, "Teal"},     {ly::clGray, "Gray"},       {ly::clSilver, "Silver"},
    {ly::clRed, "Red"},       {ly::clLime, "Lime"},       {ly::clYellow, "Yellow"},
    {ly::clBlue, "Blue"},     {ly::clFuchsia, "Fuchsia"}, {ly::clAqua, "Aqua"},
    {ly::clWhite, "White"},   {ly::clMoneyGreen, "Money Green"}, {ly::clSkyBlue, "Sky Blue"},
    {ly::clCream, "Cream"},   {ly::clMedGray, "Medium Gray"},
};

QIcon swatch(ly::TColor color)
{
    QPixmap picture(16, 12);
    picture.fill(ly::ToQColor(color));
    QPainter p(&picture);
    p.setPen(Qt::black);
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return QIcon(picture);
}

TlyColorBox::ColorPicker &picker()
{
    static TlyColorBox::ColorPicker hook;
    return hook;
}

} // namespace

TlyColorBox::TlyColorBox(QWidget *parent) : QComboBox(parent)
{
    addItem(QStringLiteral("Custom..."));
    for (const NamedColor &c : kColors)
        addColor(c.color, QLatin1String(c.name));
    setCurrentIndex(indexOfColor(m_selected));
    connect(this, &QComboBox::activated, this, &TlyColorBox::entryActivated);
}

void TlyColorBox::addColor(ly::TColor color, const QString &name)
{
    addItem(swatch(color), name, QVariant::fromValue<uint>(color));
}

int TlyColorBox::indexOfColor(ly::TColor color) const
{
    for (int i = 1; i < count(); ++i)
        if (itemData(i).toUInt() == color)
            return i;
    return -1;
}

void TlyColorBox::setSelected(ly::TColor color)
{
    m_selected = color;
    int index = indexOfColor(color);
    if (index < 0) {
        addColor(color, ly::ColorToString(color));
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void TlyColorBox::SetColorPicker(ColorPicker hook)
{
    picker() = std::move(hook);
}

bool TlyColorBox::PickColor(QWidget *owner, ly::TColor &color)
{
    if (picker())
        return picker()(owner, color);
    const QColor chosen = QColorDialog::getColor(ly::ToQColor(color), owner);
    if (!chosen.isValid())
        return false;
    color = ly::FromQColor(chosen);
    return true;
}

void TlyColorBox::entryActivated(int index)
{
    if (index == 0) {
        ly::TColor color = m_selected;
        if (!PickColor(this, color)) {
            setCurrentIndex(indexOfColor(m_selected));
            return;
        }
        setSelected(color);
    } else {
        m_selected = ly::TColor(itemData(index).toUInt());
    }
    Q_EMIT Change();
}
