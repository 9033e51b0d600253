// A plugin library for the end-to-end runs of the model views: every new document gets a small
// frame (the joint and member lists made when no library made them yet), so that the views have a
// model to show while the creators and importers are being built, and a selection tool as its
// active tool that hands the mouse to the view type's own selection handler.
#include "VornData/VornDocument.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/VornPluginMenuItem.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"

namespace frame_model_library
{

template <class T>
BlockList<T>* ensureList(VornDocument& document, const char* name)
{
    if (auto* list = dynamic_cast<BlockList<T>*>(document.getBlockList(name)))
        return list;
    auto* list = new BlockList<T>(name);
    document.addBlockList(list);
    return list;
}

// Gives every mouse event of a view to the selection handler of the view's view type.
class BandSelect : public VornPluginMenuItem
{
public:
    const char* getName() override { return "E2E Select"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    bool onMouse(MAI_View* view, int32_t x, int32_t y, int32_t, uint32_t flags) override
    {
        if (flags == InputEvent::Probe)
            return true;
        if (view->viewTypeInfos != nullptr)
            view->viewTypeInfos->viewTypePlugin->onMouse(view, x, y, flags);
        return true;
    }
};

BandSelect* selectTool = nullptr;

// A portal frame of two bays on supports, 40 model units high.
class FrameModel : public VornPluginObjectType
{
public:
    const char* getName() override { return "E2E Frame"; }
    void about(PluginWindowHandle*) override {}
    const char* getObjectTypeName() override { return "E2E Frame"; }
    int32_t getObjectTypeID() override { return -1; }
    void addBlockLists(MAI_Doc* document) override
    {
        ensureList<VornJoint>(document->document, "VornJoint");
        ensureList<VornMember>(document->document, "VornMember");
    }
    void initDocument(MAI_Doc* document) override
    {
        VornDocument& model = document->document;
        BlockList<VornJoint>* joints = ensureList<VornJoint>(model, "VornJoint");
        BlockList<VornMember>* members = ensureList<VornMember>(model, "VornMember");
        const double at[][3] = {{0, -40, 0}, {0, 0, 0}, {0, 40, 0}, {0, -40, 40}, {0, 0, 50}, {0, 40, 40},
                                {-40, -40, 0}, {-40, 40, 0}, {-40, -40, 40}, {-40, 40, 40}};
        for (const auto& point : at)
        {
            VornJoint* joint = joints->add();
            joint->getCreationCoordinate().set(point[0], point[1], point[2]);
            joint->getPosition().set(point[0], point[1], point[2]);
            joint->setColor(0x0000FF);
            joint->supportFlags = point[2] == 0 ? 0x07 : 0x00;
            model.getWorldGroup()->addChild(joint);
        }
        const int ends[][2] = {{0, 3}, {1, 4}, {2, 5}, {3, 4}, {4, 5}, {6, 8}, {7, 9}, {8, 9}, {3, 8}, {5, 9}};
        for (const auto& end : ends)
        {
            VornMember* member = members->add();
            member->setStartJoint(&(*joints)[end[0]]);
            member->setEndJoint(&(*joints)[end[1]]);
            member->setColor(0x804000);
            model.getWorldGroup()->addChild(member);
        }
        document->setActiveMenuItem(selectTool);
    }
};

} // namespace frame_model_library

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return 2;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle)
{
    using namespace frame_model_library;
    if (index == 0)
        return new FrameModel;
    if (index == 1)
        return selectTool = new BandSelect;
    return nullptr;
}
