#pragma once

#include <QString>

class QAbstractItemView;
class QLineEdit;
class QWidget;

// Names for assistive technology (screen readers): a control named by the label beside it.

// A label's text as a name: without the Alt+letter, the colon or the "...".
QString PlainLabel(const QString& text);
// Every control under root that a label names (its buddy) and that has no name yet gets the
// label's text as its accessible name; buttons keep the name their own text gives them.
void NameByLabels(QWidget* root);

// Tells assistive technology that widget has the focus, and for a list or table, which of its
// cells: Qt says only the view, so a reader that comes back to a list says "table" and not
// the row the user is on.
void SayFocus(QWidget* widget);
// Says the current cell of view (SayFocus) each time the focus comes to it.
void SayCurrentCellOnFocus(QAbstractItemView* view);
// Gives field the focus with its text selected, in the order a screen reader needs: a reader
// that hears of a selection in a field before the focus takes the field as focused already
// and says nothing of it.
void FocusSelected(QLineEdit* field);
