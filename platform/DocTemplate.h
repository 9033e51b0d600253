#pragma once

#include "platform/ChildFrame.h"
#include "platform/Document.h"
#include "platform/PlatformApi.h"
#include "platform/View.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class MainFrame;
class Menu;

// Binds a document class, a child frame class and a view class to the document menu. New makes a
// document with its frame and view; New Window another frame and view on the active document.
class PLATFORM_API DocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<std::unique_ptr<ChildFrame>()>;
    using ViewFactory = std::function<std::unique_ptr<View>()>;

    DocTemplate(Menu* documentMenu, std::string extension, DocumentFactory makeDocument, FrameFactory makeFrame,
                ViewFactory makeView);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    Menu* documentMenu() const { return menu_; }
    const std::string& extension() const { return extension_; }
    std::vector<Document*> documents() const;

    // New: the document (onNewDocument), its frame and view, the initial update, activation.
    // Null when the document refused or a window could not be made.
    Document* openNewDocument(MainFrame& frame);
    // Another frame and view on `document`, activated.
    ChildFrame* createNewFrame(Document& document, MainFrame& frame);
    // Closes every frame of every document without asking.
    void closeAllDocuments();

private:
    friend class MainFrame;
    friend class ChildFrame;
    void viewGone(View& view);

    Menu* menu_;
    std::string extension_;
    DocumentFactory makeDocument_;
    FrameFactory makeFrame_;
    ViewFactory makeView_;
    std::vector<std::unique_ptr<Document>> documents_;
};

} // namespace platform
