#pragma once

#include <QAccessible>

class QWidget;

namespace calcaro {

// Gives a widget another accessible role than its class has: a window that is a dialog for the
// child, an invisible notice that a screen reader reads out as it appears. Set before the
// widget is first shown.
void setAccessibleRole(QWidget &widget, QAccessible::Role role);

// Keeps a widget's value changes from assistive technology: the time bar moves on every tick,
// and a screen reader that read it out would talk over the question and the feedback. Its value
// can still be read at any time.
void keepValueChangesQuiet(QWidget &widget);

} // namespace calcaro
