#include "platform/ChildFrame.h"

#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/MainFrame.h"
#include "platform/qt/WindowState.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <utility>

namespace platform
{

ChildFrame::ChildFrame() = default;

ChildFrame::~ChildFrame()
{
    destroyWindow();
}

Document* ChildFrame::document() const
{
    return view_ ? view_->document() : nullptr;
}

void ChildFrame::activate()
{
    if (auto* sub = state() != nullptr ? qobject_cast<QMdiSubWindow*>(state()->widget) : nullptr)
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
}

void ChildFrame::setTitle(const std::string& title)
{
    setWindowText(title);
    if (state() != nullptr)
        state()->widget->setWindowTitle(QString::fromStdString(title));
}

std::string ChildFrame::title() const
{
    return windowText();
}

bool ChildFrame::close()
{
    if (!exists())
        return false;
    if (Document* doc = document(); doc != nullptr && !doc->canCloseFrame(*this))
        return false;
    return destroyWindow();
}

LResult ChildFrame::windowProc(std::uint32_t message, WParam wParam, LParam lParam)
{
    switch (message)
    {
    case WM_CLOSE:
        close();
        return 0;
    case WM_DESTROY:
        // While the windows still exist, the next child becomes active (or none).
        if (main_ != nullptr)
            main_->childFrameGone(*this);
        break;
    default:
        break;
    }
    return defaultWindowProc(message, wParam, lParam);
}

void ChildFrame::postNcDestroy()
{
    if (view_ && view_->document() != nullptr && view_->document()->docTemplate() != nullptr)
        view_->document()->docTemplate()->viewGone(*view_);
    if (main_ != nullptr)
    {
        MainFrame* owner = std::exchange(main_, nullptr);
        owner->releaseChildFrame(this); // deletes this frame: nothing may follow
    }
}

} // namespace platform
