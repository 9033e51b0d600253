#pragma once

// The joint creator: the "VornJoint" list of every document, the tool that places joints, and its
// creation pagettes (Name, Coordinates, Support, Orientation, CREATE).

#include "Lumbra/Creators/CreationPages.h"
#include "Lumbra/Creators/JointEditPages.h"
#include "Lumbra/Creators/ObjectCreatorTool.h"

namespace lumbra
{

// The bitmap of the creator's button and menu item.
inline constexpr int32_t createJointBitmapId = 121;

class PluginCreatorJoint : public ObjectCreatorTool
{
public:
    PluginCreatorJoint();

    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
    platform::CursorHandle getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // Only point snaps place joints.
    void acceptSnapObject(VornPluginSnapObject* snapObject) override;

protected:
    VornBaseObject* makeObject(MAI_Doc* document) override;
    const char* createPagetteTypeName() override { return "Creator Joint Pagette"; }
    const char* editPagetteTypeName() override { return "Edit Joint Pagette"; }
};

// Base of the joint creator's creation pagettes ("Creator Joint Pagette").
class PluginCreatorJointPage : public CreationPagette
{
public:
    const char* getTypeName() override;
};

// A creation pagette of the joint creator whose window is a `Page` showing a `Model`.
template <class Page, class Model>
class JointCreationPagette : public ModelHolder<Model>, public WindowedPagette<PluginCreatorJointPage, Page>
{
public:
    using WindowedPagette<PluginCreatorJointPage, Page>::WindowedPagette;
};

class PluginCreatorJointPageCoordinates : public JointCreationPagette<CPageJointCoordinates, JointCoordinatesModel>
{
public:
    PluginCreatorJointPageCoordinates();
    void onSnapPoint(SnapPoint* point, uint32_t flags) override;
    void onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags) override;
    bool readInput() override;
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;
};

class PluginCreatorJointPageOrientation : public JointCreationPagette<CPageJointOrientation, JointOrientationModel>
{
public:
    PluginCreatorJointPageOrientation();
    bool readInput() override;
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;
};

class PluginCreatorJointPageSupport : public JointCreationPagette<CPageJointSupport, JointSupportModel>
{
public:
    PluginCreatorJointPageSupport();
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;
};

class PluginCreatorJointPageName : public JointCreationPagette<CPageNameAndColor, NameAndColourModel>
{
public:
    // The first name is the object type name followed by "000".
    explicit PluginCreatorJointPageName(const char* objectTypeName);
    void applyToNewObject(VornDocument* document, VornBaseObject* object) override;
};

class PluginCreatorJointPageCreateButton : public WindowedPagette<PluginCreatorJointPage, CPageCreateButton>
{
public:
    PluginCreatorJointPageCreateButton();
    void applyToNewObject(VornDocument*, VornBaseObject*) override {}
};

// Registers the creator's pictures and pagette dialogs with the library.
void registerJointCreatorResources();

} // namespace lumbra
