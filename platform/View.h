#pragma once

#include "platform/CommandRouting.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <memory>

namespace platform
{

class ChildFrame;
class Document;
class GlSurface;
class Surface;

// A view: the window inside a child frame that shows a document. It receives the window messages
// of a painted window (paint, size, mouse with its flags, wheel, keys, set-cursor, focus, timers)
// through windowProc, and can capture the mouse.
class PLATFORM_API View : public Window, public CommandTarget
{
public:
    // The window class of views: double clicks, no background erase.
    static constexpr const char* kClassName = "VornView";

    View();
    ~View() override;

    Document* document() const { return document_; }
    ChildFrame* frame() const { return frame_; }

    // After the view is made and attached to its document.
    virtual void onInitialUpdate() {}
    // Activation: the view being activated and the one being deactivated (either may be null;
    // when the last document window goes, the last view hears deactivate with no successor).
    virtual void onActivateView(bool activate, View* activated, View* deactivated) {}

    // The view's drawing as an image, for snapshots: what the view paints, not what lies on
    // the screen over it. False when the view has no window.
    bool renderToImage(Surface& image);

    // The view's GL surface, made at the first call and kept at the client size: draw between
    // its makeCurrent() and swapBuffers(); the swap puts the frame into the view's window.
    GlSurface& glSurface();
    // Drops the GL surface with its context and display lists (the view leaves GL drawing).
    void releaseGlSurface();

private:
    friend class DocTemplate;
    friend class ChildFrame;
    friend class MainFrame;
    Document* document_ = nullptr;
    ChildFrame* frame_ = nullptr;
    std::unique_ptr<GlSurface> gl_;
};

} // namespace platform
