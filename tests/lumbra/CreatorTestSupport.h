#pragma once

// Snap objects with scripted answers in a view type of their own, for driving the creators as
// tools without a real view.

#include "VornData/VornJoint.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginViewBase.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <chrono>

// A snap object of the test view type that offers one point (or, given a joint, that joint) at a
// fixed screen distance; its score adds priority x snapRadius, as the view types' snap objects do.
class ScriptedSnap : public VornPluginSnapObject
{
public:
    ScriptedSnap(const char* name, const char* kind, int32_t priority, double screenDistance, Vector3 point)
        : VornPluginSnapObject(priority), name(name), kind(kind), screenDistance(screenDistance), point(point)
    {
    }
    const char* getTypeName() override { return "Test Snap Object"; }
    const char* getName() override { return name; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* getSnapKind() override { return kind; }
    bool snapPoint(SnapPoint* snap, MAI_View*, float, float, float best) override
    {
        ++asked;
        const double distance = screenDistance + getPriority() * 20.0;
        if (screenDistance < 0.0 || distance >= best)
            return false;
        snap->distance = distance;
        if (joint != nullptr)
            snap->joint = joint;
        else
            snap->point = &point.x;
        snap->source = this;
        return true;
    }

    const char* name;
    const char* kind;
    double screenDistance; // negative: finds nothing
    Vector3 point;
    VornJoint* joint = nullptr; // offered instead of the point when set
    int asked = 0;
};

class SnapViewType : public FakeViewType
{
public:
    void registerPluginTypes(PluginManager* registry) override
    {
        registry->addPluginType(&snapObjects, "Test Snap Object", this);
    }
    VornPluginBase* snapObjects = nullptr;
};

// Makes `view` (showing `viewType`) the active and hovered view of `doc`, and installs the creator
// tool in the registry with a short lock time-out, its lists in the document.
template <class Mai, class Doc, class View, class Creator>
void installCreatorTool(PluginManager& registry, Mai& mai, Doc& doc, View& view, VornPluginViewBase* viewType,
                        Creator* creator)
{
    using namespace std::chrono_literals;
    registry.addPluginType(&mai.pluginLists.objectCreators, "Object Creator", nullptr);
    registry.addPluginType(&mai.pluginLists.menuItems, "Standard MenuItem", nullptr);
    registry.addPluginType(&mai.pluginLists.viewTypes, "View Base", nullptr);
    mai.activeDocument = &doc;
    mai.activeView = &view;
    mai.hoveredView = &view;
    viewType->mai = &mai;
    registry.addPlugin(viewType);
    new ViewTypeInfo(viewType, &view); // owned by the view
    creator->mai = &mai;
    creator->lockTimeout = 5ms;
    registry.addPlugin(creator);
    creator->addBlockLists(&doc);
}
