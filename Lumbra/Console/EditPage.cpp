#include "Lumbra/Console/EditPage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/Console/ModifiersPagette.h"
#include "Lumbra/Console/SelectedObjectPagette.h"
#include "Lumbra/Console/SelectionSetsPagette.h"
#include "Lumbra/Modifiers/HistoryPagette.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginObjectType.h"

#include <new>

namespace lumbra
{

namespace
{

const ConsolePageTexts editPageTexts = {
    "Edit Page",
    "Edit Page:\nSupplies the interface for \nselecting and modifying objects.",
};

template <class Pagette>
VornPlugin* makeStaticPagette()
{
    return new Pagette;
}

} // namespace

const std::array<EditStaticPagetteMaker, 4>& editStaticPagetteMakers()
{
    static const std::array<EditStaticPagetteMaker, 4> makers = {{
        makeHistoryPagette,
        makeStaticPagette<PluginEditStaticPageModifiers>,
        makeStaticPagette<PluginEditStaticPageSelected>,
        makeStaticPagette<PluginEditStaticPageSelection>,
    }};
    return makers;
}

PluginMCPageEdit::PluginMCPageEdit(std::span<const EditStaticPagetteMaker> staticPagetteMakers)
    : LumbraConsolePage(editPageTexts, ConsoleDialog::EditPage, ConsoleTabImage::EditPage),
      staticPagetteMakers(staticPagetteMakers)
{
}

void PluginMCPageEdit::registerPluginTypes(PluginManager* registry)
{
    staticPagettes = nullptr;
    registry->addPluginType(&staticPagettes, "Edit Static Pagette", this);
}

VornPluginBase* PluginMCPageEdit::GetPackagedPlugin(uint32_t index)
{
    for (EditStaticPagetteMaker make : staticPagetteMakers)
    {
        if (make == nullptr)
            continue;
        if (index-- != 0)
            continue;
        try
        {
            return package(make());
        }
        catch (const std::bad_alloc&)
        {
            throw Exc_OutOfMemory("PluginMCPageEdit::GetPackagedPlugin");
        }
    }
    return nullptr;
}

bool PluginMCPageEdit::activatePlugin(VornPluginBase* plugin)
{
    bool taken = false;
    for (VornPluginBase* entry = staticPagettes; entry != nullptr; entry = entry->getNext())
        if (static_cast<VornPluginWindowed*>(entry)->activatePlugin(plugin))
            taken = true;
    if (taken)
        pageTool = dynamic_cast<VornPluginMenuItem*>(plugin);
    return taken;
}

std::unique_ptr<platform::Dialog> PluginMCPageEdit::makeDialog()
{
    return std::make_unique<CMCPageEdit>(nullptr, this);
}

CMCPageEdit::CMCPageEdit(platform::Window* parent, VornPluginWindowed* owner)
    : Dialog(ConsoleDialog::EditPage), owner(dynamic_cast<PluginMCPageEdit*>(owner))
{
}

bool CMCPageEdit::onInitDialog()
{
    Dialog::onInitDialog();
    const char* thrower = "CMCPageEdit::OnInitDialog()";
    if (owner == nullptr)
        throw Exc_InternalError(thrower);
    pagettes.build(*this, *owner, ConsoleControl::EditPlaceholder, {0, 1, 300, 301}, thrower);
    PluginWindowHandle* parent = pagettes.pagetteParent();
    MAI* mai = owner->mai;
    if (mai == nullptr)
        return true;
    for (VornPluginBase* entry = owner->staticPagettes; entry != nullptr; entry = entry->getNext())
    {
        auto* pagette = static_cast<VornPluginWindowed*>(entry);
        pagette->windowHandle = mai->createPluginWindow(pagette->getWindowRequest(), parent);
        if (pagette->windowHandle != nullptr && pagette->windowHandle->getWnd() != nullptr)
            pagette->windowHandle->showWindow(platform::SW_SHOW);
    }
    // Creator and modifier pagettes take part in the page's Tab order one group each; they
    // start hidden.
    for (VornPluginBase* entry = mai->pluginLists.objectCreators; entry != nullptr; entry = entry->getNext())
    {
        auto* creator = static_cast<VornPluginObjectCreator*>(entry);
        creator->createEditPagetteWindows(parent);
        creator->modifyEditPagetteStyle(platform::WS_VISIBLE, platform::WS_GROUP, 0);
    }
    for (VornPluginBase* entry = mai->pluginLists.objectModifiers; entry != nullptr; entry = entry->getNext())
    {
        auto* modifier = static_cast<VornPluginObjectModifier*>(entry);
        modifier->createPagetteWindows(parent);
        modifier->modifyPagetteStyle(platform::WS_VISIBLE, platform::WS_GROUP, nullptr, 0);
    }
    return true;
}

platform::LResult CMCPageEdit::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
        layout(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return result;
}

void CMCPageEdit::layout(int32_t width, int32_t height)
{
    if (!pagettes.scrollBarExists())
        return;
    pagettes.place({width - 10, 0, width - 1, height - 1}, {9, 0, width - 11, height - 1});
}

void CMCPageEdit::showCreatorPagettes(MAI_Doc* document, VornSelection* selection, VornPluginObjectCreator* creator)
{
    if (shownModifier == nullptr && shownCreator == creator)
    {
        if (creator != nullptr)
            creator->updateEditPagettes(document, selection, platform::WS_VISIBLE, 0);
        return;
    }
    pagettes.rearrange([&] {
        if (shownModifier != nullptr)
        {
            shownModifier->modifyPagetteStyle(platform::WS_VISIBLE, 0, nullptr, 0);
            shownModifier = nullptr;
        }
        if (shownCreator != creator)
        {
            if (shownCreator != nullptr)
                shownCreator->modifyEditPagetteStyle(platform::WS_VISIBLE, 0, 0);
            if (creator != nullptr)
                creator->updateEditPagettes(document, selection, platform::WS_VISIBLE, 0);
        }
        shownCreator = creator;
    });
}

void CMCPageEdit::showModifierPagettes(MAI_Doc* document, VornModifier* record, VornPluginObjectModifier* modifier)
{
    if (modifier == nullptr)
        return;
    // Modifiers of one ring share their pagettes: moving to another of the ring changes nothing
    // on screen.
    if (shownCreator == nullptr && shownModifier != nullptr && modifier->nextLinked != nullptr)
        for (VornPluginObjectModifier* linked = modifier->nextLinked; linked != nullptr && linked != modifier;
             linked = linked->nextLinked)
            if (linked == shownModifier)
            {
                shownModifier = modifier;
                break;
            }
    if (shownCreator == nullptr && shownModifier == modifier)
    {
        modifier->setPagettesObject(record);
        return;
    }
    pagettes.rearrange([&] {
        if (shownCreator != nullptr)
        {
            shownCreator->modifyEditPagetteStyle(platform::WS_VISIBLE, 0, 0);
            shownCreator = nullptr;
        }
        if (shownModifier != modifier)
        {
            if (shownModifier != nullptr)
                shownModifier->modifyPagetteStyle(platform::WS_VISIBLE, 0, nullptr, 0);
            modifier->modifyPagetteStyle(0, platform::WS_VISIBLE, record, 0);
            shownModifier = modifier;
        }
    });
}

} // namespace lumbra
