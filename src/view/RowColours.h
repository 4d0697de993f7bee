#pragma once

#include <QColor>

class CSignalDescription;

// The text colour of a row by its record's state (merged, merged and invalid, invalid,
// disabled, in that precedence), or an invalid colour for the palette's own. On a light
// background the colours are the program's own; on a dark one each keeps its hue and is made
// lighter until it stands out from the background by a contrast of at least 4.5:1.
QColor RowColour(const CSignalDescription& signal, const QColor& background);

// The background of a compared row or cell: state 1 changed (yellow), 2 not in the other
// version (red), 3 only in it (green); soft tints on a light background, deep ones on a dark
// background, so that the palette's text stays readable on them.
QColor ComparedColour(int state, const QColor& background);

// The WCAG 2 contrast ratio of two colours: 1 (none) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
