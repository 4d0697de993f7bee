#pragma once

#include <QCoreApplication>
#include <QString>

// One of the record's own texts (SignalCatalogue.h) in the user's language.
inline QString SignalTr(const char* english) {
    return QCoreApplication::translate("Signal", english);
}
