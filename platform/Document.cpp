#include "platform/Document.h"

#include "platform/ChildFrame.h"

namespace platform
{

Document::Document() = default;
Document::~Document() = default;

void Document::setTitle(const std::string& title)
{
    title_ = title;
    for (View* view : views_)
        if (ChildFrame* frame = view->frame())
            frame->setTitle(title);
}

void Document::updateAllViews(View* sender)
{
    for (View* view : views_)
        if (view != sender)
            view->invalidate(false);
}

} // namespace platform
