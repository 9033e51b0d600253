#include "platform/DocTemplate.h"

#include "platform/MainFrame.h"

#include <algorithm>

namespace platform
{

DocTemplate::DocTemplate(Menu* documentMenu, std::string extension, DocumentFactory makeDocument,
                         FrameFactory makeFrame, ViewFactory makeView)
    : menu_(documentMenu),
      extension_(std::move(extension)),
      makeDocument_(std::move(makeDocument)),
      makeFrame_(std::move(makeFrame)),
      makeView_(std::move(makeView))
{
}

DocTemplate::~DocTemplate() = default;

std::vector<Document*> DocTemplate::documents() const
{
    std::vector<Document*> result;
    for (const auto& document : documents_)
        result.push_back(document.get());
    return result;
}

Document* DocTemplate::openNewDocument(MainFrame& frame)
{
    std::unique_ptr<Document> document = makeDocument_ ? makeDocument_() : nullptr;
    if (!document)
        return nullptr;
    document->template_ = this;
    if (!document->onNewDocument())
        return nullptr;
    Document* made = document.get();
    documents_.push_back(std::move(document));
    if (createNewFrame(*made, frame) == nullptr)
    {
        if (made->views().empty())
        {
            made->onCloseDocument();
            documents_.erase(
                std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == made; }));
        }
        return nullptr;
    }
    return made;
}

ChildFrame* DocTemplate::createNewFrame(Document& document, MainFrame& frame)
{
    std::unique_ptr<ChildFrame> child = makeFrame_ ? makeFrame_() : std::make_unique<ChildFrame>();
    std::unique_ptr<View> view = makeView_ ? makeView_() : nullptr;
    if (!child || !view)
        return nullptr;
    return frame.addChildFrame(std::move(child), std::move(view), document);
}

void DocTemplate::closeAllDocuments()
{
    // Frames go one by one; each takes its view, and a document goes with its last view.
    while (!documents_.empty())
    {
        Document* document = documents_.front().get();
        const size_t before = documents_.size();
        std::vector<View*> views = document->views();
        for (View* view : views)
            if (ChildFrame* frame = view->frame())
                frame->destroyWindow();
        if (documents_.size() == before && !documents_.empty() && documents_.front().get() == document)
        {
            document->onCloseDocument();
            documents_.erase(documents_.begin());
        }
    }
}

void DocTemplate::viewGone(View& view)
{
    Document* document = view.document_;
    if (document == nullptr)
        return;
    auto& views = document->views_;
    views.erase(std::remove(views.begin(), views.end(), &view), views.end());
    view.document_ = nullptr;
    if (!views.empty())
        return;
    document->onCloseDocument();
    documents_.erase(
        std::remove_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == document; }),
        documents_.end());
}

} // namespace platform
