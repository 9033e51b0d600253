#pragma once

// The cross-section and material pagettes in two pagette columns of a top-level window, as the
// console's CrossSections and Materials pages will hold them, with a stand-in for those pages:
// on a "CRSCH" or "MATCH" that concerns the current element it refreshes that column's pagettes
// and counts how often.

#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/SectionPages/CrossSectionPages.h"
#include "Lumbra/SectionPages/MaterialPages.h"
#include "Lumbra/SectionPages/SectionPageTemplates.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/MAI.h"
#include "uikit/PagetteButton.h"
#include "uikit/PagetteStack.h"

#include <functional>
#include <memory>

class SectionPagesColumn
{
public:
    // Refreshes the pagettes of one column on the notices that concern its current element.
    struct ConsoleStandIn : NotifierListener
    {
        std::function<VornBaseObject*()> current;
        std::function<void()> refresh;
        int refreshes = 0;
        void notify(void* payload) override
        {
            if (!lumbra::noticeConcerns(payload, current()))
                return;
            ++refreshes;
            refresh();
        }
    };

    explicit SectionPagesColumn(MAI& mai) : mai(mai)
    {
        lumbra::registerKitResources();
        lumbra::registerSectionPageTemplates();
        shapePage.reset(
            static_cast<lumbra::PluginCrossSectionPageShapeProperties*>(lumbra::makeCrossSectionPagette(0)));
        propertiesPage.reset(
            static_cast<lumbra::PluginCrossSectionPageProperties*>(lumbra::makeCrossSectionPagette(1)));
        strengthPage.reset(static_cast<lumbra::PluginMaterialPageStrength*>(lumbra::makeMaterialPagette(0)));
        materialPage.reset(static_cast<lumbra::PluginMaterialPageProperties*>(lumbra::makeMaterialPagette(1)));
        for (VornPlugin* plugin :
             {static_cast<VornPlugin*>(shapePage.get()), static_cast<VornPlugin*>(propertiesPage.get()),
              static_cast<VornPlugin*>(strengthPage.get()), static_cast<VornPlugin*>(materialPage.get())})
        {
            plugin->mai = &mai;
            plugin->module = lumbra::thisModule();
        }
        sections.current = [this] { return static_cast<VornBaseObject*>(currentSection()); };
        sections.refresh = [this] { showSection(currentSection()); };
        materials.current = [this] { return static_cast<VornBaseObject*>(currentMaterial()); };
        materials.refresh = [this] { showMaterial(currentMaterial()); };
        mai.notifierRegistry.addListener(Channel::CrossSectionsChanged, &sections);
        mai.notifierRegistry.addListener(Channel::MaterialsChanged, &materials);
    }

    ~SectionPagesColumn() { top.destroyWindow(); }

    // The window with the cross-section column on the left and the material column on the right.
    bool create(platform::Rect where = {40, 40, 500, 520})
    {
        if (!top.create("Window", "pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, where, nullptr))
            return false;
        const platform::Rect client = top.clientRect();
        const int32_t half = client.width() / 2;
        if (!sectionHolder.createHolder(&top, lumbra::thisModule(), &sectionStack, sectionHandle.get(),
                                        {0, 0, half - 2, client.bottom}) ||
            !materialHolder.createHolder(&top, lumbra::thisModule(), &materialStack, materialHandle.get(),
                                         {half + 2, 0, client.right, client.bottom}))
            return false;
        // The order of the CrossSections page: the properties above the shape's parameters.
        for (auto [plugin, holder] :
             {std::pair<VornPluginWindowed*, platform::Dialog*>{propertiesPage.get(), &sectionHolder},
              {shapePage.get(), &sectionHolder},
              {materialPage.get(), &materialHolder},
              {strengthPage.get(), &materialHolder}})
        {
            plugin->getWindowRequest();
            if (plugin->dialogObject == nullptr || !plugin->dialogObject->create(holder, lumbra::thisModule()))
                return false;
            plugin->dialogObject->showWindow(platform::SW_SHOWNOACTIVATE);
        }
        sectionStack.layout(true);
        materialStack.layout(true);
        return true;
    }

    VornCrossSection* currentSection() { return currentOf<VornCrossSection>("VornCrossSection"); }
    VornMaterial* currentMaterial() { return currentOf<VornMaterial>("VornMaterial"); }

    // What the console page does when the user selects an element.
    void selectSection(VornCrossSection* section)
    {
        if (auto* list = listOf<VornCrossSection>("VornCrossSection"))
            list->current = section;
        showSection(section);
    }
    void selectMaterial(VornMaterial* material)
    {
        if (auto* list = listOf<VornMaterial>("VornMaterial"))
            list->current = material;
        showMaterial(material);
    }

    lumbra::CPageCrossSectionProperties& properties() { return *propertiesPage->window(); }
    lumbra::CPageCrossSectionShapeProperties& shape() { return *shapePage->window(); }
    lumbra::CPageMaterialValues& material() { return *materialPage->window(); }
    lumbra::CPageMaterialValues& strength() { return *strengthPage->window(); }

    MAI& mai;
    std::unique_ptr<lumbra::PluginCrossSectionPageShapeProperties> shapePage;
    std::unique_ptr<lumbra::PluginCrossSectionPageProperties> propertiesPage;
    std::unique_ptr<lumbra::PluginMaterialPageStrength> strengthPage;
    std::unique_ptr<lumbra::PluginMaterialPageProperties> materialPage;
    ConsoleStandIn sections;
    ConsoleStandIn materials;
    platform::Window top;
    std::unique_ptr<PluginWindowHandle> sectionHandle{lumbra::makeWindowHandle()};
    std::unique_ptr<PluginWindowHandle> materialHandle{lumbra::makeWindowHandle()};
    PagetteStack sectionStack;
    PagetteStack materialStack;
    CEmptyChildDialog sectionHolder;
    CEmptyChildDialog materialHolder;

private:
    template <class Element>
    BlockList<Element>* listOf(const char* name)
    {
        if (mai.activeDocument == nullptr)
            return nullptr;
        return dynamic_cast<BlockList<Element>*>(mai.activeDocument->document.getBlockList(name));
    }
    template <class Element>
    Element* currentOf(const char* name)
    {
        BlockList<Element>* list = listOf<Element>(name);
        return list != nullptr ? list->current : nullptr;
    }
    void showSection(VornCrossSection* section)
    {
        shapePage->updateObject(section);
        propertiesPage->updateObject(section);
    }
    void showMaterial(VornMaterial* material)
    {
        strengthPage->updateObject(material);
        materialPage->updateObject(material);
    }
};
