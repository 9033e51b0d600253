#pragma once

// GL drawing on a view window for code that holds only the window's handle or a device context
// (the plugin libraries). A frame begins by making the window's GL surface current and ends by
// swapping, which shows the frame and releases the context. Picking or reading pixels outside a
// paint ends by releasing the context instead, so nothing is shown. Every operation on a handle
// that names no view window (gone, never made, or another kind of window) does nothing and
// answers false or null.

#include "platform/Message.h"
#include "platform/PlatformApi.h"

namespace platform
{

class DeviceContext;
class GlSurface;

// The GL surface of the view window, made at the first call and kept at the window's client
// size; the same surface that View::glSurface gives.
PLATFORM_API GlSurface* glSurfaceOf(WindowHandle window);

// Begins drawing or picking: the context of the window's GL surface becomes current on this
// thread (made at the first use). False without a view window or when the context cannot be
// made; the surface's error() then says why.
PLATFORM_API bool makeGlCurrent(WindowHandle window);
// The same for the window that the device context draws for (DeviceContext::window).
PLATFORM_API bool makeGlCurrent(const DeviceContext& context);

// Ends a frame drawn for the device context: the frame is read back and the context released.
// On a window's context the frame shows in the window; on a printed page it is drawn onto the
// page as an image at the drawing's top left, the window left as it is.
PLATFORM_API bool swapGlBuffers(DeviceContext& context);

// Leaves the calling thread with no GL context current (after a pick, or after a frame whose
// swap failed).
PLATFORM_API void releaseGlCurrent();
// True when some GL context is current on the calling thread.
PLATFORM_API bool isAnyGlCurrent();

// Drops the window's GL surface with its context and display lists (the window leaves GL
// drawing); the next makeGlCurrent makes new ones.
PLATFORM_API void releaseGlSurface(WindowHandle window);

} // namespace platform
