#pragma once

#include "platform/CommandRouting.h"
#include "platform/PlatformApi.h"
#include "platform/View.h"
#include "platform/Window.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform
{

class Document;
class MainFrame;

// The window of one document view inside the main frame's client area.
class PLATFORM_API ChildFrame : public Window, public CommandTarget
{
public:
    ChildFrame();
    ~ChildFrame() override;

    MainFrame* mainFrame() const { return main_; }
    Document* document() const;
    View* view() const { return view_.get(); }

    // The frame's activation: the frame activated and the one deactivated (null when none).
    // Called before the views hear of it.
    virtual void onMdiActivate(bool activate, ChildFrame* activated, ChildFrame* deactivated) {}

    // Makes this the active child frame.
    void activate();
    void setTitle(const std::string& title);
    std::string title() const;
    // Closes the frame unless its document vetoes.
    bool close();

protected:
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override;
    void postNcDestroy() override;

private:
    friend class DocTemplate;
    friend class MainFrame;
    MainFrame* main_ = nullptr;
    std::unique_ptr<View> view_;
};

} // namespace platform
