#pragma once

#include "platform/Dialog.h"
#include "platform/TreeControl.h"

#include <cstdint>

class VornTypeIDManager;

// The object hierarchy dialog: every registered object type under its base type, each with the
// names of its property descriptors first and then its subtypes, all expanded. It only reads the
// registry and is not refreshed while open.
class CDialogObjectHierarchy : public platform::Dialog
{
public:
    enum : int32_t
    {
        TreeId = 1042
    };
    static constexpr uint32_t backgroundColour = 0x00C0E0E8;

    CDialogObjectHierarchy();
    static void showModal(platform::Window* owner);

    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // Fills the tree from the registry; onInitDialog does it with the module's registry.
    void fillTree(const VornTypeIDManager& registry);
    void OnSize(int32_t width, int32_t height);

    platform::TreeControl& getTree() { return tree; }
    // Where the tree stands: the whole client area once the dialog is initialised.
    const platform::Rect& getTreeRect() const { return treeRect; }

private:
    void addTypeSubtree(const VornTypeIDManager& registry, int32_t typeId, platform::TreeItem parent);

    platform::TreeControl tree;
    platform::Rect treeRect;
    bool initialised = false;
};
