#pragma once

class QWidget;
class CSignalDescription;

class CSignalEditDialog {
public:
    static bool Edit(QWidget* parent, CSignalDescription& signal);
};
