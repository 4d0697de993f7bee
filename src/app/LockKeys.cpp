#include "LockKeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

std::function<std::optional<LockKeyStates>()>& Reader() {
    static std::function<std::optional<LockKeyStates>()> reader;
    return reader;
}

// XKB names the indicators; their bit positions differ between keyboard maps.
bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
}

std::optional<LockKeyStates> ReadFromX11() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    return LockKeyStates{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                         IndicatorOn(display, "Scroll Lock")};
}

} // namespace

std::optional<LockKeyStates> ReadLockKeyStates() {
    if (Reader())
        return Reader()();
    return ReadFromX11();
}

void SetLockKeyReader(std::function<std::optional<LockKeyStates>()> reader) {
    Reader() = std::move(reader);
}
