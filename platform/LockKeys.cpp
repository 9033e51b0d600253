// The lock keys' lights, read from the X server's keyboard indicators. The X headers come last:
// their macros would clash with names of ours.
#include "platform/Keyboard.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace platform
{

namespace
{

bool indicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return false;
    Bool on = False;
    return XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}

} // namespace

LockKeyLights lockKeyLights()
{
    LockKeyLights lights;
    auto* application = qGuiApp;
    if (application == nullptr)
        return lights;
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return lights; // no X server behind us: everything off
    lights.capsLock = indicatorOn(display, "Caps Lock");
    lights.numLock = indicatorOn(display, "Num Lock");
    lights.scrollLock = indicatorOn(display, "Scroll Lock");
    return lights;
}

} // namespace platform
