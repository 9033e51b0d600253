#pragma once

// The force creator with its two Settings windows made under a top window, on the shared model
// (joints J1, J2, J3, members M1, M2, definition "Load" applied to J1 as force F1).

#include "Lumbra/Creators/ForceCreator.h"
#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/ObjectChangeNotice.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/InputSimulation.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ForcePagesTest : public LumbraCommandTest
{
protected:
    void SetUp() override
    {
        platformApplication();
        lumbra::registerKitResources();
        lumbra::registerForceCreatorResources();
        ASSERT_TRUE(top.create("Window", "pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                               {40, 40, 400, 700}, nullptr));
        creator.mai = &mai;
        creator.module = lumbra::thisModule();
        menuItem.reset(creator.GetPackagedPlugin(0));
        settings.reset(static_cast<lumbra::PluginCreatorForcePageSettings*>(creator.GetPackagedPlugin(1)));
        editor.reset(static_cast<lumbra::PluginCreatorForceEditPageSettings*>(creator.GetPackagedPlugin(2)));
        // Subscribed before the pagettes, so it hears every notice first.
        mai.notifierRegistry.addListener(Channel::ForceDefinitionsChanged, &sent);
        adopt(*settings);
        adopt(*editor);
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    // The pagette's window, made as the host makes it.
    template <class Page>
    Page& open(VornPluginWindowed& plugin)
    {
        plugin.getWindowRequest();
        EXPECT_TRUE(plugin.dialogObject->create(&top, lumbra::thisModule()));
        processMessages();
        return *static_cast<Page*>(plugin.dialogObject);
    }
    lumbra::CPageForceSettings& openSettings() { return open<lumbra::CPageForceSettings>(*settings); }
    lumbra::CPageEditForceSettings& openEditor() { return open<lumbra::CPageEditForceSettings>(*editor); }

    // The user replaces the text of an edit by typing.
    void typeInto(platform::Dialog& page, int32_t id, const std::string& text)
    {
        platform::Window* edit = page.dlgItem(id);
        ASSERT_NE(edit, nullptr);
        edit->setWindowText("");
        edit->setFocus();
        platform::simulateTyping(edit->handle(), text);
        processMessages();
    }
    void click(platform::Dialog& page, int32_t id)
    {
        page.onCommand(static_cast<uint32_t>(id), platform::BN_CLICKED, platform::WindowHandle::None);
    }
    void selectionChanged() { mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr); }
    // The colour the page chooses for the text of its control (CLR_DEFAULT: the control's own).
    static platform::ColorRef textColourOf(platform::Dialog& page, int32_t id)
    {
        platform::Window* control = page.dlgItem(id);
        EXPECT_NE(control, nullptr);
        return control != nullptr ? page.controlTextColour(*control) : platform::CLR_INVALID;
    }

    VornForceDefinition* addDefinition(const char* name, Vector3 vector, bool local = false)
    {
        VornForceDefinition* definition = model.definitions->add();
        definition->name.set(model.strings(), name);
        definition->setVector(vector.x, vector.y, vector.z);
        definition->setLocalFlag(local);
        return definition;
    }
    VornForceInstance* addForce(const char* name, const char* joint, VornForceDefinition* definition)
    {
        VornForceInstance* force = model.forces->add();
        force->name.set(model.strings(), name);
        force->setJoint(model.named<VornJoint>(joint));
        force->setForceDefinition(definition);
        return force;
    }
    static std::vector<double> xyz(const Vector3& vector) { return {vector.x, vector.y, vector.z}; }
    std::vector<VornForceInstance*> forcesOf(const VornForceDefinition* definition)
    {
        std::vector<VornForceInstance*> found;
        for (uint32_t index = 0; index < model.forces->getCount(); ++index)
            if ((*model.forces)[index].getForceDefinition() == definition)
                found.push_back(&(*model.forces)[index]);
        return found;
    }

    // What "FDFCH" carried; `during` runs inside each send.
    struct NoticeRecorder : NotifierListener
    {
        void notify(void* payload) override
        {
            const auto* notice = static_cast<const ObjectChangeNotice*>(payload);
            notices.push_back(notice != nullptr ? *notice : ObjectChangeNotice{nullptr, nullptr});
            if (during)
                during();
        }
        std::vector<ObjectChangeNotice> notices;
        std::function<void()> during;
    };
    NoticeRecorder sent;
    platform::ScriptedInteraction interaction;
    platform::Window top;
    lumbra::PluginCreatorForce creator;
    std::unique_ptr<VornPluginBase> menuItem;
    std::unique_ptr<lumbra::PluginCreatorForcePageSettings> settings;
    std::unique_ptr<lumbra::PluginCreatorForceEditPageSettings> editor;
};
