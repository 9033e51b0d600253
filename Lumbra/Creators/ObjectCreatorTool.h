#pragma once

// What every creator of the library shares as a tool: the snap search of each mouse event, the
// feeding of its creation pagettes, the click that creates, and the locked creation of one object
// from what the pagettes hold.

#include "Lumbra/LumbraPluginTexts.h"
#include "VornData/generalException.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginObjectType.h"
#include "platform/Cursor.h"

#include <new>

class PluginManager;
class VornBaseObject;

namespace lumbra
{

// A creation pagette of one of the library's creators. Before an object is made every pagette
// reads and checks its input, so that a refused value leaves the document unchanged.
class CreationPagette : public VornPluginCreatorPagette
{
public:
    // False (after telling the user) when the pagette's input cannot be taken.
    virtual bool readInput() { return true; }
    // The creator that owns the pagette; null before it is packaged.
    VornPluginObjectCreator* creator() const;
};

// The snap objects that a view type registered under its own "... Snap Object" type; null when it
// registered none.
VornPluginBase* snapObjectsOfViewType(const PluginManager* registry, const VornPluginBase* viewType);

class ObjectCreatorTool : public VornPluginObjectCreator
{
public:
    ObjectCreatorTool(const PluginTexts& texts, const char* objectTypeName, int32_t bitmapId);

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    const char* getObjectTypeName() override { return objectTypeName; }
    int32_t getBitmapID() override { return bitmapId; }
    platform::ToolbarButton* getButton() override { return &button; }
    void registerPluginTypes(PluginManager* registry) override;
    // Snaps the event to the nearest point of a snap object of the searched kind of the view under
    // the mouse, hands the point (or the raw event) to the creation pagettes and creates on a
    // release of the left button while the right one is not held.
    void onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) override;
    // Reads every creation pagette; then, under the document lock, makes the object and lets the
    // pagettes fill it. Nothing is made when a pagette refuses its input or the lock is given up.
    bool createObject() override;
    // The pagettes stop following the mouse, as when it leaves the views.
    void deactivate() override { mouseLeftViews(); }

    // The pagette types the creator registers and owns.
    VornPluginBase* createPagetteTypes = nullptr;
    VornPluginBase* editPagetteTypes = nullptr;
    // How long a creation waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

protected:
    // The view under the mouse when it shows a view type; null otherwise.
    MAI_View* hoveredViewWithViewType() const;
    // The snap objects of the view type the view shows.
    VornPluginBase* snapObjectsOf(MAI_View* view) const;
    // Every creation pagette, from the head of the chain, hears the snapped point or, when
    // nothing snapped, the raw event.
    void feedPagettes(const SnapPoint& best, int32_t x, int32_t y, int32_t z, uint32_t flags);
    // Every creation pagette hears that the mouse is over no view.
    void mouseLeftViews();
    // Whether every creation pagette takes its input (each refusal is told to the user).
    bool readPagetteInput();
    // Every creation pagette, from the head of the chain, fills the new object.
    void applyPagettes(MAI_Doc* document, VornBaseObject* object);
    // The new, empty object in the document's list; null when the list is missing.
    virtual VornBaseObject* makeObject(MAI_Doc* document) = 0;
    // The type names of the two pagette kinds ("Creator Joint Pagette", "Edit Joint Pagette").
    virtual const char* createPagetteTypeName() = 0;
    virtual const char* editPagetteTypeName() = 0;
    // The kind of snap object whose points the tool hands to its pagettes.
    virtual const char* searchedSnapKind() const { return "Point"; }
    // Puts a packaged pagette at the head of the creation chain; answers it.
    template <class Pagette>
    Pagette* addCreate(Pagette* pagette)
    {
        addCreatePagette(pagette);
        return pagette;
    }
    template <class Pagette>
    Pagette* addEdit(Pagette* pagette)
    {
        addEditPagette(pagette);
        return pagette;
    }

private:
    PluginTexts texts;
    const char* objectTypeName;
    int32_t bitmapId;
    const PluginManager* registry = nullptr;
};

// The text of the box shown when a creator waits too long for the document.
extern const char* const creatorLockWaitingText;

// A sub-plugin a creator packages; `thrower` names the packaging in the exception thrown when it
// cannot be allocated.
template <class Plugin, class... Arguments>
Plugin* newPackagedPlugin(const char* thrower, Arguments... arguments)
{
    Plugin* plugin = new (std::nothrow) Plugin(arguments...);
    if (plugin == nullptr)
        throw Exc_OutOfMemory(thrower);
    return plugin;
}

// A creator's cursor as the tool hands it to the view.
platform::CursorHandle cursorHandleOf(platform::Cursor* cursor);

} // namespace lumbra
