#include "SignalEditDialog.h"
bool CSignalEditDialog::Edit(QWidget*, CSignalDescription&) { return false; }
