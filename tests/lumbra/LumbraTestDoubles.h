#pragma once

// A document interface with the shared model in it, a view on it and an application interface
// whose message boxes are scripted, for driving the library's menu items through their commands.

#include "platform/CommandRouting.h"
#include "tests/core/ModelFixture.h"
#include "tests/platform/RecordedCommandState.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <chrono>
#include <deque>
#include <string>
#include <thread>
#include <vector>

// Waits up to ten seconds, in steps of a millisecond, for a worker thread to make the condition
// hold; answers whether it did.
template <class Condition>
bool eventually(Condition condition)
{
    for (int pass = 0; pass < 10000; ++pass)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

// Message boxes are recorded and answered from a script (IDOK when it runs out); beeps counted.
class ScriptedMAI : public FakeMAI
{
public:
    struct Box
    {
        std::string text;
        std::string caption;
        uint32_t type;
    };

    int32_t messageBox(const char* text, const char* caption, uint32_t type) override
    {
        boxes.push_back({text, caption != nullptr ? caption : "", type});
        if (onBox)
            onBox();
        if (answers.empty())
            return 1;
        const int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    void postCommand(uint32_t commandId) override { posted.push_back(commandId); }

    std::vector<Box> boxes;
    std::vector<uint32_t> posted;
    std::deque<int32_t> answers;
    std::function<void()> onBox;
    int beeps = 0;
};

// Counts view invalidations and keeps the calculator it is given.
class CountingDoc : public FakeDoc
{
public:
    using FakeDoc::FakeDoc;
    void invalidateViews() override { ++invalidations; }
    void setActiveCalculator(VornPluginCalculator* calculator) override { activeCalculator = calculator; }

    int invalidations = 0;
};

// Records the channels it hears, in order, with a snapshot taken by `probe` at each notice.
class ChannelLog
{
public:
    ChannelLog(MAI& mai, std::initializer_list<const char*> channels)
    {
        for (const char* channel : channels)
        {
            listeners.push_back(std::make_unique<Listener>(*this, channel));
            mai.notifierRegistry.addListener(channel, listeners.back().get());
        }
    }

    std::vector<std::string> heard;
    std::vector<void*> payloads;
    std::vector<int> probes;
    std::function<int()> probe;

private:
    struct Listener : NotifierListener
    {
        Listener(ChannelLog& log, const char* channel) : log(log), channel(channel) {}
        void notify(void* payload) override
        {
            log.heard.push_back(channel);
            log.payloads.push_back(payload);
            log.probes.push_back(log.probe ? log.probe() : 0);
        }
        ChannelLog& log;
        std::string channel;
    };
    std::vector<std::unique_ptr<Listener>> listeners;
};

// The shared model (three joints, two members, a force, closed group G1 = {J1, M1, J2} and open
// group G2 = {J3}) inside a document interface with one view, which is the active one.
class LumbraCommandTest : public ::testing::Test
{
protected:
    LumbraCommandTest()
    {
        buildSharedModel(model);
        mai.activeDocument = &doc;
        mai.activeView = &view;
    }

    // The model object of that name (joints, members, forces, groups).
    VornSelectable* object(const char* name)
    {
        if (VornSelectable* found = model.named<VornJoint>(name))
            return found;
        if (VornSelectable* found = model.named<VornMember>(name))
            return found;
        if (VornSelectable* found = model.named<VornForceInstance>(name))
            return found;
        return model.named<VornGroup>(name);
    }

    // Makes a new current selection of the named objects, marked selected as the pick tools do.
    VornSelection* select(const std::vector<const char*>& names)
    {
        VornSelection* selection = doc.document.newSelection();
        for (const char* name : names)
        {
            VornSelectable* picked = object(name);
            selection->add(picked);
            picked->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
        }
        return selection;
    }

    // Names of the current selection's objects, sorted.
    std::vector<std::string> selectedNames()
    {
        std::vector<std::string> names;
        VornSelection* selection = doc.document.getSelection();
        for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
            names.push_back(VornSelection::objectOf(link)->name.getString());
        std::sort(names.begin(), names.end());
        return names;
    }

    template <class Item>
    RecordedCommandState update(Item& item, MAI_View* target)
    {
        RecordedCommandState state;
        item.updateCommandUI(&state, target);
        return state;
    }

    // A plugin as the host sets it up: application interface written, listeners subscribed.
    template <class Item>
    Item& adopt(Item& item)
    {
        item.mai = &mai;
        item.registerListeners();
        return item;
    }

    ScriptedMAI mai;
    CountingDoc doc{&mai};
    FakeView view{&doc};
    ModelDocument model{doc.document};
};
