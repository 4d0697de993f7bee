#pragma once

#include <QString>

class QWidget;

// Names for assistive technology (screen readers): a control named by the label beside it.

// A label's text as a name: without the Alt+letter, the colon or the "...".
QString PlainLabel(const QString& text);
// Every control under root that a label names (its buddy) and that has no name yet gets the
// label's text as its accessible name; buttons keep the name their own text gives them.
void NameByLabels(QWidget* root);
