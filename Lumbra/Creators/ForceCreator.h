#pragma once

// The force creator: the force lists of every document, the force tool (which snaps to joints and
// shows the joint under the cursor in its Settings pagette) and its two Settings pagettes, where
// force definitions are made, applied to joints and changed.

#include "Lumbra/Creators/ForcePages.h"
#include "Lumbra/Creators/ObjectCreatorTool.h"

namespace lumbra
{

// The bitmap of the creator's button and menu item.
inline constexpr int32_t createForceBitmapId = 172;

class PluginCreatorForce : public ObjectCreatorTool
{
public:
    PluginCreatorForce();

    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // Only joint snaps are used.
    void acceptSnapObject(VornPluginSnapObject* snapObject) override;
    // A click with the tool makes nothing (forces are made by the Settings pagette): it redraws
    // the views once the document is free.
    bool createObject() override;

protected:
    VornBaseObject* makeObject(MAI_Doc*) override { return nullptr; }
    const char* createPagetteTypeName() override { return "Creator Force Pagette"; }
    const char* editPagetteTypeName() override { return "Edit Force Pagette"; }
    const char* searchedSnapKind() const override { return "Joint"; }
};

// Registers the creator's picture and pagette dialogs with the library.
void registerForceCreatorResources();

} // namespace lumbra
