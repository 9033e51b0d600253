#pragma once

// The member creator's edit pagettes on the console's Edit page: length, cross-section and angle,
// material of the selected members, and a joints placeholder. Where the members differ a page
// shows their mean (angle, length) or nothing (cross-section, material). Every change is made
// under the document lock.

#include "Lumbra/Creators/CreationPages.h"
#include "Lumbra/Creators/MemberModels.h"
#include "__globalobjectdevice/Notifier.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginObjectType.h"
#include "platform/ComboBox.h"

#include <functional>

class VornCrossSection;
class VornMaterial;
class VornSelection;

namespace lumbra
{

// Base of the member creator's edit pagettes ("Edit Member Pagette").
class PluginCreatorMemberEditPage : public VornPluginEditPagette
{
public:
    const char* getTypeName() override;

    // How long a change waits for the document before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

protected:
    // The active document's current selection; null without an active document.
    VornSelection* currentSelection() const;
    // Runs `change` on the selection under the document lock (the box names `operation`), then
    // the views are drawn anew. False, with nothing changed, without a document or a selection,
    // or when the lock is given up.
    bool changeSelection(const char* operation, const std::function<void(VornSelection&)>& change);
};

// ---- windows ----

class CPageEditMemberCrossSection : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 152;
    static constexpr int32_t frameId = 1086;
    static constexpr int32_t pictureBitmapId = 153;
    static constexpr int32_t comboId = 1109;
    static constexpr int32_t absoluteId = 1130;
    static constexpr int32_t angleId = 1128;
    static constexpr int32_t spinnerId = 1129;

    CPageEditMemberCrossSection(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageEditMemberCrossSection() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();
    void beginSpin(int32_t row);
    void spun(int32_t row);

    CPagetteButton frame;
    platform::ComboBox combo;

private:
    VornPluginWindowed* plugin;
    MemberCrossSectionModel& model;
    bool showing = false;
    double spinValue = 0.0;
    PageRowLink<CPageEditMemberCrossSection> link;
    CDoubleSpinner spinner;
};

class CPageEditMemberMaterial : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 153;
    static constexpr int32_t frameId = 1086;
    static constexpr int32_t pictureBitmapId = 149;
    static constexpr int32_t comboId = 1109;

    CPageEditMemberMaterial(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageEditMemberMaterial() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();

    CPagetteButton frame;
    platform::ComboBox combo;

private:
    VornPluginWindowed* plugin;
    MemberPropertyModel<VornMaterial>& model;
};

class CPageEditMemberLength : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 151;
    static constexpr int32_t frameId = 1086;
    static constexpr int32_t automaticId = 1125;
    static constexpr int32_t editButtonId = 1122;
    static constexpr int32_t lengthId = 1123;
    static constexpr int32_t spinnerId = 1124;

    CPageEditMemberLength(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageEditMemberLength() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    void showModel();
    void beginSpin(int32_t row);
    void spun(int32_t row);

    CPagetteButton frame;

private:
    VornPluginWindowed* plugin;
    MemberLengthModel& model;
    bool showing = false;
    double spinValue = 0.0;
    PageRowLink<CPageEditMemberLength> link;
    CDoubleSpinner spinner;
};

// A placeholder: empty fields and buttons that do nothing.
class CPageEditMemberJoints : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 142;
    static constexpr int32_t frameId = 1083;

    CPageEditMemberJoints(platform::Window* parent, VornPluginWindowed* plugin);

    bool onInitDialog() override;

    CPagetteButton frame;
};

// ---- pagettes ----

// Shows and changes the cross-section and the angle of the selected members. A cross-section
// applied to the selection by anyone ("APLSL") is shown while the window is.
class PluginCreatorMemberEditPageCrossSection
    : public ModelHolder<MemberCrossSectionModel>,
      public WindowedPagette<PluginCreatorMemberEditPage, CPageEditMemberCrossSection>
{
public:
    PluginCreatorMemberEditPageCrossSection();
    ~PluginCreatorMemberEditPageCrossSection() override;

    void registerListeners() override;
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
    void spinAngle(double angle);
    void clickAbsolute();
    void typedAngle(double angle);
    // The combo opens: every cross-section of the document.
    void listAll();
    // The entry of the combo's list: every selected member takes its cross-section.
    void choose(size_t entry);

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginCreatorMemberEditPageCrossSection& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorMemberEditPageCrossSection& page;
    };
    Listener listener{*this};
};

// Shows and changes the material of the selected members, and a material applied to the
// selection by anyone.
class PluginCreatorMemberEditPageMaterial
    : public ModelHolder<MemberPropertyModel<VornMaterial>>,
      public WindowedPagette<PluginCreatorMemberEditPage, CPageEditMemberMaterial>
{
public:
    PluginCreatorMemberEditPageMaterial();
    ~PluginCreatorMemberEditPageMaterial() override;

    void registerListeners() override;
    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
    void listAll();
    void choose(size_t entry);

private:
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginCreatorMemberEditPageMaterial& page) : page(page) {}
        void notify(void* payload) override;
        PluginCreatorMemberEditPageMaterial& page;
    };
    Listener listener{*this};
};

// Shows and changes the length of the selected members and whether it follows their joints.
class PluginCreatorMemberEditPageLength : public ModelHolder<MemberLengthModel>,
                                          public WindowedPagette<PluginCreatorMemberEditPage, CPageEditMemberLength>
{
public:
    PluginCreatorMemberEditPageLength();
    ~PluginCreatorMemberEditPageLength() override;

    bool updateFromSelection(int32_t unused, VornSelection* selection) override;
    void clickAutomatic();
    // Typed or spun.
    void applyLength(double length);
};

// Shown for every selection and showing nothing.
class PluginCreatorMemberEditPageJoints : public WindowedPagette<PluginCreatorMemberEditPage, CPageEditMemberJoints>
{
public:
    PluginCreatorMemberEditPageJoints();
    bool updateFromSelection(int32_t, VornSelection*) override { return false; }
};

// Registers the pages' dialog templates and pictures with the library.
void registerMemberEditPageResources();

} // namespace lumbra
