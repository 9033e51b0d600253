#include "Lumbra/Console/ConsoleResources.h"

#include "Lumbra/Console/ModifiersPagette.h"
#include "Lumbra/Console/PropertyListDialog.h"
#include "Lumbra/Console/SectionListPage.h"
#include "Lumbra/Console/SelectPropertyDialog.h"
#include "Lumbra/Console/SelectedObjectPagette.h"
#include "Lumbra/Console/SelectionSetsPagette.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/MenuItemImages.h"
#include "platform/ImageList.h"
#include "platform/PixelArt.h"
#include "platform/Resources.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/TabControl.h"

#include <array>
#include <string_view>
#include <vector>

namespace lumbra
{

namespace
{

using namespace platform;

// The tab pictures are drawn on light grey ('_'); they hold no mask colour, so nothing of them is
// transparent.
std::vector<PixelArtColour> tabPalette()
{
    const std::span<const PixelArtColour> standard = standardPixelArtPalette();
    std::vector<PixelArtColour> palette(standard.begin(), standard.end());
    palette.push_back({'_', 0xBFBFBF});
    return palette;
}

// The pictures drawn as text rows keep their layout.
// clang-format off

// Create: a joint and a member with a plus beside them.
constexpr std::string_view createTabRows[] = {
    "________________________________",
    "________________________________",
    "________________________________",
    "____________________kkk_________",
    "___________________kwwwk________",
    "__________________kwwwwwk_______",
    "__________________kwwwwwk_______",
    "__________________kwwwwwk_______",
    "_________________bbkwwwk________",
    "________________bbb_kkk_________",
    "_______________bbb______________",
    "______________bbb_______________",
    "_____________bbb________________",
    "___kkk______bbb_________________",
    "__kwwwk____bbb__________________",
    "_kwwwwwk__bbb______GG___________",
    "_kwwwwwkbbbb_______GG___________",
    "_kwwwwwkbb______GGGGGGGG________",
    "__kwwwk_________GGGGGGGG________",
    "___kkk_____________GG___________",
    "___________________GG___________",
    "________________________________",
    "________________________________",
    "________________________________",
};

// Edit: an arrow picking a joint.
constexpr std::string_view editTabRows[] = {
    "________________________________",
    "________________________________",
    "________________________________",
    "__________k_____________________",
    "__________kk____________________",
    "__________kwk___________________",
    "__________kwwk__________________",
    "__________kwwwk_________________",
    "__________kwwwwk________________",
    "__________kwwwwwk_______________",
    "__________kwwwwwwk______________",
    "__________kwwwwkkkk_____________",
    "__________kwkwwk______RRR_______",
    "__________kk_kwwk____RrrrR______",
    "__________k__kwwk___RrrrrrR_____",
    "______________kwwk__RrrrrrR_____",
    "______________kwwk__RrrrrrR_____",
    "_______________kk____RrrrR______",
    "______________________RRR_______",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
};

// View: an eye.
constexpr std::string_view viewTabRows[] = {
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "____________kkkkkkkk____________",
    "_________kkkwwwwwwwwkkk_________",
    "_______kkwwwwwbbbbwwwwwkk_______",
    "_____kkwwwwwbbbbbbbbwwwwwkk_____",
    "____kwwwwwwbbbkkkkbbbwwwwwwk____",
    "___kwwwwwwbbbkkkkkkbbbwwwwwwk___",
    "__kwwwwwwwbbbkkkkkkbbbwwwwwwwk__",
    "___kwwwwwwbbbkkkkkkbbbwwwwwwk___",
    "____kwwwwwwbbbkkkkbbbwwwwwwk____",
    "_____kkwwwwwbbbbbbbbwwwwwkk_____",
    "_______kkwwwwwbbbbwwwwwkk_______",
    "_________kkkwwwwwwwwkkk_________",
    "____________kkkkkkkk____________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
};

// CrossSections: an H beam's end.
constexpr std::string_view crossSectionsTabRows[] = {
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "__________kkkkkkkkkkkk__________",
    "__________kBBBBBBBBBBk__________",
    "__________kkkkkBBkkkkk__________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "______________kBBk______________",
    "__________kkkkkBBkkkkk__________",
    "__________kBBBBBBBBBBk__________",
    "__________kkkkkkkkkkkk__________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
};

// Materials: a stack of bars.
constexpr std::string_view materialsTabRows[] = {
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "_________kkkkkkkkkkkkkk_________",
    "_________kyyyyyyyyyyyyk_________",
    "_________kYYYYYYYYYYYYk_________",
    "_________kkkkkkkkkkkkkk_________",
    "______kkkkkkkkkkkkkkkkkkkk______",
    "______kssssssssssssssssssk______",
    "______kggggggggggggggggggk______",
    "______kkkkkkkkkkkkkkkkkkkk______",
    "___kkkkkkkkkkkkkkkkkkkkkkkkkk___",
    "___krrrrrrrrrrrrrrrrrrrrrrrrk___",
    "___kRRRRRRRRRRRRRRRRRRRRRRRRk___",
    "___kkkkkkkkkkkkkkkkkkkkkkkkkk___",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
    "________________________________",
};

// The tree's picture of one cross-section and of one material (16 x 16, '.' transparent).
constexpr std::string_view crossSectionItemRows[] = {
    "................",
    "................",
    "..kkkkkkkkkkkk..",
    "..kBBBBBBBBBBk..",
    "..kkkkkBBkkkkk..",
    "......kBBk......",
    "......kBBk......",
    "......kBBk......",
    "......kBBk......",
    "......kBBk......",
    "......kBBk......",
    "..kkkkkBBkkkkk..",
    "..kBBBBBBBBBBk..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
};

constexpr std::string_view materialItemRows[] = {
    "................",
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyk.",
    ".kYYYYYYYYYYYYk.",
    ".kkkkkkkkkkkkkk.",
    ".krrrrrrrrrrrrk.",
    ".krrrrrrrrrrrrk.",
    ".kRRRRRRRRRRRRk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
};

// clang-format on

} // namespace

DialogTemplate consolePageTemplate(DialogUnitRect size, std::vector<DialogItemTemplate> items)
{
    DialogTemplate page = dialogTemplateOf(size, WS_CHILD | DS_CONTROL | DS_SETFONT, "", std::move(items));
    page.exStyle = WS_EX_CONTROLPARENT;
    return page;
}

DialogItemTemplate pagetteScrollBarPlaceholder(int32_t id, DialogUnitRect rect)
{
    return controlItem("Button", id, rect, BS_OWNERDRAW);
}

DialogTemplate consoleTemplate()
{
    DialogItemTemplate tabs = controlItem("SysTabControl32", ConsoleControl::Tabs, {0, 2, 137, 306},
                                          WS_TABSTOP | TCS_FOCUSNEVER | TCS_SINGLELINE);
    // The pages are children of the tab control: Tab runs from it through the shown page.
    tabs.exStyle = WS_EX_CONTROLPARENT;
    DialogTemplate console =
        dialogTemplateOf({0, 0, 137, 308}, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, "", {tabs});
    console.exStyle = WS_EX_CONTROLPARENT | WS_EX_TRANSPARENT;
    return console;
}

DialogTemplate createPageTemplate()
{
    return consolePageTemplate({0, 0, 149, 175},
                               {pagetteScrollBarPlaceholder(ConsoleControl::CreatePlaceholder, {142, 44, 7, 130})});
}

DialogTemplate editPageTemplate()
{
    return consolePageTemplate({0, 0, 149, 175},
                               {pagetteScrollBarPlaceholder(ConsoleControl::EditPlaceholder, {142, 0, 7, 174})});
}

DialogTemplate viewPageTemplate()
{
    return consolePageTemplate({0, 0, 135, 94},
                               {controlItem("ComboBox", ConsoleControl::ViewTypeCombo, {39, 3, 93, 74},
                                            CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
                                // Wide enough for the label in the platform's font, up to the combo.
                                controlItem("Static", -1, {3, 5, 35, 8}, SS_LEFT | WS_GROUP, "ViewType")});
}

void registerConsoleResources()
{
    const ModuleHandle module = thisModule();
    registerDialogTemplate(module, ConsoleDialog::Console, consoleTemplate());
    registerDialogTemplate(module, ConsoleDialog::CreatePage, createPageTemplate());
    registerDialogTemplate(module, ConsoleDialog::EditPage, editPageTemplate());
    registerDialogTemplate(module, ConsoleDialog::ViewPage, viewPageTemplate());
    registerDialogTemplate(module, CPageEditStaticModifiers::dialogId, modifiersPagetteTemplate());
    registerDialogTemplate(module, CPageEditStaticSelected::dialogId, selectedPagetteTemplate());
    registerDialogTemplate(module, CPageEditStaticSelection::dialogId, selectionPagetteTemplate());
    for (const SectionListKind* kind : {&crossSectionListKind(), &materialListKind()})
        registerDialogTemplate(module, kind->dialogId, sectionListTemplate(*kind));
    registerSelectPropertyTemplates();
    registerDialogTemplate(module, PluginDialogPropertyList::dialogId, propertyListTemplate());
    const std::vector<PixelArtColour> palette = tabPalette();
    registerPixelArtBitmap(ConsoleTabImage::CreatePage, createTabRows, palette);
    registerPixelArtBitmap(ConsoleTabImage::EditPage, editTabRows, palette);
    registerPixelArtBitmap(ConsoleTabImage::ViewPage, viewTabRows, palette);
    registerPixelArtBitmap(crossSectionListKind().tabBitmapId, crossSectionsTabRows, palette);
    registerPixelArtBitmap(materialListKind().tabBitmapId, materialsTabRows, palette);
    registerPixelArtBitmap(crossSectionListKind().treeBitmapId, crossSectionItemRows);
    registerPixelArtBitmap(materialListKind().treeBitmapId, materialItemRows);
}

std::span<const std::string_view> crossSectionPicture()
{
    return crossSectionItemRows;
}

std::span<const std::string_view> materialPicture()
{
    return materialItemRows;
}

} // namespace lumbra
