#pragma once

// The joint creator's edit pagettes on the console's Edit page: the supports and the displacements
// of the selected joints.

#include "Lumbra/Creators/CreationPages.h"
#include "__globalobjectdevice/Notifier.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginObjectType.h"

class VornSelection;

namespace lumbra
{

// Base of the joint creator's edit pagettes ("Edit Joint Pagette").
class PluginCreatorJointEditPage : public VornPluginEditPagette
{
public:
    const char* getTypeName() override;
};

class CPageEditJointSupport : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 143;
    static constexpr int32_t frameId = 1086;

    CPageEditJointSupport(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();

    CPagetteButton frame;

private:
    VornPluginWindowed* plugin;
};

class CPageEditJointCoordinates : public CPageNumberTriple
{
public:
    static constexpr int32_t dialogId = 141;
    static constexpr std::array<int32_t, 3> absoluteIds = {1082, 1083, 1084};
    static const TripleLayout controls;

    CPageEditJointCoordinates(platform::Window* parent, VornPluginWindowed* plugin);

    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void onOK() override;
    void showModel() override;
    void spun(int32_t row) override;
    void editLeft(int32_t row) override;

private:
    VornPluginWindowed* plugin;
};

class CPageEditJointDisplacement : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 167;
    static constexpr int32_t frameId = 1086;
    static constexpr std::array<int32_t, 4> editIds = {1147, 1148, 1149, 1153};
    static constexpr std::array<int32_t, 4> labelIds = {1152, 1151, 1150, 1154};

    CPageEditJointDisplacement(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;
    void showModel();

    CPagetteButton frame;
    JointDisplacementModel& model;
};

// Shows and changes the supports of the selected joints; every change is made under the document
// lock and announced on "LOPCH", and notices of others about selected joints refill it.
class PluginCreatorJointEditPageSupport : public ModelHolder<JointEditSupportModel>,
                                          public WindowedPagette<PluginCreatorJointEditPage, CPageEditJointSupport>
{
public:
    PluginCreatorJointEditPageSupport();
    ~PluginCreatorJointEditPageSupport() override;

    void registerListeners() override;
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
    // Applies the change to every selected joint of the active document.
    void apply(SupportFlagChange change);

    // How long a change waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginCreatorJointEditPageSupport& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorJointEditPageSupport& page;
    };

    VornSelection* currentSelection() const;
    void fillFrom(VornSelection& selection);
    bool windowShown() const;

    Listener listener{*this};
};

// Shows and changes where the selected joints were created; every change is made under the
// document lock.
class PluginCreatorJointEditPageCoordinates
    : public ModelHolder<JointEditCoordinatesModel>,
      public WindowedPagette<PluginCreatorJointEditPage, CPageEditJointCoordinates>
{
public:
    PluginCreatorJointEditPageCoordinates();
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
    // The spun value, or the typed ones once they read as numbers, become the joints' coordinates.
    void applyShown();
    bool applyTyped();
    void toggleAbsolute(size_t axis);

    std::chrono::milliseconds lockTimeout = documentLockTimeout;

private:
    template <class Change>
    void changeSelection(Change change);
};

class PluginCreatorJointEditPageDisplacement
    : public ModelHolder<JointDisplacementModel>,
      public WindowedPagette<PluginCreatorJointEditPage, CPageEditJointDisplacement>
{
public:
    PluginCreatorJointEditPageDisplacement();
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
};

void registerJointEditPageTemplates();

} // namespace lumbra
