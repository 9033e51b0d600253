#pragma once

#include "platform/CommandRouting.h"
#include "platform/PlatformApi.h"

#include <string>
#include <vector>

namespace platform
{

class ChildFrame;
class DocTemplate;
class View;

// A document: the data that one or more views show. It lives as long as it has views and is
// never asked to save (nothing marks it modified).
class PLATFORM_API Document : public CommandTarget
{
public:
    Document();
    ~Document() override;

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const std::vector<View*>& views() const { return views_; }
    DocTemplate* docTemplate() const { return template_; }

    // Called once after construction, before the first view exists; false abandons the document.
    virtual bool onNewDocument() { return true; }
    // Called when the document closes (its last view went, or the frame closes every document).
    virtual void onCloseDocument() {}
    // Asked before a frame of this document closes; false keeps it open.
    virtual bool canCloseFrame(ChildFrame& frame) { return true; }
    // Repaints every view but `sender`.
    void updateAllViews(View* sender);

private:
    friend class DocTemplate;
    friend class MainFrame;
    friend class View;
    std::string title_;
    std::vector<View*> views_;
    DocTemplate* template_ = nullptr;
};

} // namespace platform
