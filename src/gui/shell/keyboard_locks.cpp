#include "shell/keyboard_locks.h"

#include <QGuiApplication>

#if defined(WAKEBURST_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace wb::gui {

KeyboardLocks ReadKeyboardLocks() {
    KeyboardLocks locks;
#if defined(WAKEBURST_HAVE_X11)
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return locks;
    auto named = [display](const char* name) {
        Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        if (atom != None) XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr);
        return on == True;
    };
    locks.caps = named("Caps Lock");
    locks.num = named("Num Lock");
    locks.scroll = named("Scroll Lock");
#endif
    return locks;
}

}  // namespace wb::gui
