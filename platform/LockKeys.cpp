// The lock keys' lights, read from the X server's keyboard indicators. The X headers come last:
// their macros would clash with names of ours.
#include "platform/Keyboard.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace platform
{

namespace
{

// The bit of a named indicator in the keyboard's indicator state; 0 where the server has none.
unsigned indicatorBit(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr) || index < 0 ||
        index >= 32)
        return 0;
    return 1u << index;
}

// Where the three lights sit in the indicator state, looked up once per display: the lights are
// read at every idle, and one request then answers all three.
struct IndicatorBits
{
    Display* display = nullptr;
    unsigned capsLock = 0;
    unsigned numLock = 0;
    unsigned scrollLock = 0;
};

const IndicatorBits& indicatorBits(Display* display)
{
    static IndicatorBits bits;
    if (bits.display != display)
    {
        bits.display = display;
        bits.capsLock = indicatorBit(display, "Caps Lock");
        bits.numLock = indicatorBit(display, "Num Lock");
        bits.scrollLock = indicatorBit(display, "Scroll Lock");
    }
    return bits;
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
    const IndicatorBits& bits = indicatorBits(display);
    unsigned state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
        return lights;
    lights.capsLock = (state & bits.capsLock) != 0;
    lights.numLock = (state & bits.numLock) != 0;
    lights.scrollLock = (state & bits.scrollLock) != 0;
    return lights;
}

} // namespace platform
