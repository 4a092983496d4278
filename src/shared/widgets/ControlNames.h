#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>

// Small chores of building windows in code.
namespace ly {

// A control without a caption is known by its field name: object name and accessible name.
template <class W>
W *Named(W *widget, const QString &fieldName)
{
    widget->setObjectName(fieldName);
    widget->setAccessibleName(fieldName);
    return widget;
}

// A label in the bold version of its font (the header texts of the choosers and dialogs).
inline QLabel *BoldLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The background colour of an edit field or a list.
inline void SetBaseColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
}

} // namespace ly
