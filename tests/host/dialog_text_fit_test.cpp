// Every dialog of the program, host and plugin libraries alike, shows the whole text of each
// button, check box, radio button and static text inside its control.
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/PluginLibraries.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "platform/DeviceContext.h"
#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "platform/TabControl.h"
#include "platform/qt/WindowState.h"
#include "plugins/PluginManager.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "uikit/PagetteButton.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace platform;

namespace
{

// Where the control draws its text and how it lays it out there; an empty area for controls
// without a text to check.
struct TextPlace
{
    QRect area;
    int flags = 0;
    QString text;
};

TextPlace textPlaceOf(const WindowState& control)
{
    QWidget* widget = control.widget;
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr &&
        (control.kind == WindowKind::PushButton || control.kind == WindowKind::CheckBox ||
         control.kind == WindowKind::RadioButton))
    {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents = control.kind == WindowKind::RadioButton ? QStyle::SE_RadioButtonContents
            : control.kind == WindowKind::CheckBox && (control.style & BS_PUSHLIKE) == 0
            ? QStyle::SE_CheckBoxContents
            : QStyle::SE_PushButtonContents;
        const int alignment =
            contents == QStyle::SE_PushButtonContents ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
        return {button->style()->subElementRect(contents, &option, button), alignment | Qt::TextShowMnemonic,
                button->text()};
    }
    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && control.kind == WindowKind::StaticText)
    {
        QRect area =
            label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        const int indent = label->indent() >= 0 ? label->indent()
            : label->frameWidth() > 0           ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2
                                                : 0;
        area.adjust(indent, 0, -indent, 0);
        return {area, static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text()};
    }
    return {};
}

struct LoadedPrograms
{
    LoadedPrograms()
    {
        platformApplication();
        registerHostDialogResources();
        device = GlobalObjectDevice::initiate(&mai);
        registerHostPluginTypes(registry, mai);
        plugins = registerPluginLibraries(VORN_PLUGIN_DIR, device, &mai, registry, nullptr, nullptr);
    }
    FakeMAI mai;
    GlobalObjectDevice* device = nullptr;
    PluginManager registry;
    PluginRegistration plugins;
};

// The libraries are loaded once for the whole test program.
const LoadedPrograms& loadedPrograms()
{
    static const LoadedPrograms* programs = new LoadedPrograms;
    return *programs;
}

// Expects the text of `control` to fit where the control draws it.
void expectTextFits(const WindowState& control, const std::string& where, int& checkedTexts)
{
    const TextPlace place = textPlaceOf(control);
    if (place.text.isEmpty())
        return;
    ++checkedTexts;
    const QRect needed = control.widget->fontMetrics().boundingRect(place.area, place.flags, place.text);
    EXPECT_TRUE(place.area.contains(needed))
        << where << ", control " << control.id << " \"" << place.text.toStdString() << "\" needs " << needed.width()
        << " x " << needed.height() << " at " << needed.x() << "," << needed.y() << ", has " << place.area.width()
        << " x " << place.area.height() << " at " << place.area.x() << "," << place.area.y();
}

// Each dialog in a plain frame, and in a page inside a tab control with padded tabs, where the
// console holds its pages and they hold the view pages' pagettes.
struct DialogHolders
{
    DialogHolders()
    {
        EXPECT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1000, 800}, nullptr));
        EXPECT_TRUE(tabs.create(WS_VISIBLE, {0, 0, 1000, 800}, &frame, 1));
        tabs.setPadding({2, 4});
        tabs.insertItem(0, "Page");
        EXPECT_TRUE(page.createIndirect(dialogTemplateOf({0, 20, 600, 450}, WS_CHILD | WS_VISIBLE, "", {}), &tabs,
                                        ModuleHandle::None));
    }
    Window frame;
    TabControl tabs;
    Dialog page;
    const std::pair<const char*, Window*> holders[2] = {{"frame", &frame}, {"page in a tab control", &page}};
};

TEST(DialogTextFit, EveryTextOfEveryDialogFitsItsControl)
{
    const LoadedPrograms& programs = loadedPrograms();
    ASSERT_TRUE(programs.plugins.failures.empty()) << programs.plugins.failures.front();
    const auto templates = registeredDialogTemplates();
    std::set<ModuleHandle> modules;
    for (const auto& [module, id] : templates)
        modules.insert(module);
    // Every library registers its templates when it is loaded, not when it first shows one.
    ASSERT_FALSE(programs.plugins.libraries.empty());
    for (const PluginLibrary& library : programs.plugins.libraries)
        EXPECT_TRUE(modules.contains(library.library.module())) << "a library without registered dialog templates";

    DialogHolders holders;
    int checkedTexts = 0;
    for (const auto& [holderName, holder] : holders.holders)
        for (const auto& [module, id] : templates)
        {
            Dialog dialog(id);
            ASSERT_TRUE(dialog.create(holder, module)) << "dialog " << id;
            platformApplication().processMessages();
            for (const WindowState* control : dialog.state()->children)
                expectTextFits(*control, "dialog " + std::to_string(id) + " in a " + holderName, checkedTexts);
            dialog.destroyWindow();
        }
    EXPECT_GT(checkedTexts, 30);
}

// The module of the plugin library whose file name ends with `name`.
ModuleHandle libraryModule(const LoadedPrograms& programs, const std::string& name)
{
    for (const PluginLibrary& library : programs.plugins.libraries)
        if (library.library.path().ends_with(name))
            return library.library.module();
    return ModuleHandle::None;
}

TEST(DialogTextFit, CaptionsTheProgramFillsAtRunTimeFitWithRealisticNames)
{
    const LoadedPrograms& programs = loadedPrograms();
    ASSERT_TRUE(programs.plugins.failures.empty()) << programs.plugins.failures.front();
    struct Caption
    {
        const char* library;
        int32_t dialogId;
        int32_t controlId;
        std::vector<std::string> texts;
    };
    // Names are cut to 20 characters and "..." in the force pagette's caption.
    const Caption captions[] = {
        {"Lumbra.plvd", 172, 1178,
         {"\"F1\" is already applied to Joint \"J3\"",
          "\"Wind load from west\" is already applied to Joint \"Support north-east\"",
          "\"Load of twenty-five ...\" is already applied to Joint \"Joint of twenty-five...\"",
          "Create And Apply to Joint: \"Joint of twenty chars\"", "Apply to Joint: \"Joint000\""}},
        // The joint displacement pagette's labels, for one joint and for the mean of several.
        {"Lumbra.plvd", 167, 1152, {"Displ.X", "Av.Displ.X"}},
        {"Lumbra.plvd", 167, 1154, {"Total Displ.", "Av.Total Displ."}},
    };
    DialogHolders holders;
    int checkedTexts = 0;
    for (const auto& [holderName, holder] : holders.holders)
        for (const Caption& caption : captions)
        {
            const ModuleHandle module = libraryModule(programs, caption.library);
            ASSERT_NE(module, ModuleHandle::None) << caption.library;
            Dialog dialog(caption.dialogId);
            ASSERT_TRUE(dialog.create(holder, module)) << "dialog " << caption.dialogId;
            for (const std::string& text : caption.texts)
            {
                dialog.setDlgItemText(caption.controlId, text);
                platformApplication().processMessages();
                expectTextFits(*dialog.dlgItem(caption.controlId)->state(),
                               "dialog " + std::to_string(caption.dialogId) + " in a " + holderName, checkedTexts);
            }
            dialog.destroyWindow();
        }
    EXPECT_EQ(checkedTexts, 2 * 9);
}

// A pagette's frame is an owner-drawn button over the whole pagette; it draws the pagette's title
// followed by ":" at its top left when unfolded, and by "..." right of its fold box when folded,
// in bold, or in the regular weight where bold would not fit, made smaller where even that would
// not (folded, without the dots if need be). No title needs a font smaller than the smallest.
TEST(DialogTextFit, EveryPagetteTitleFitsItsFrameFoldedAndUnfolded)
{
    const LoadedPrograms& programs = loadedPrograms();
    ASSERT_TRUE(programs.plugins.failures.empty()) << programs.plugins.failures.front();
    DialogHolders holders;
    const CPagetteButton frameDefaults;
    int checkedTitles = 0;
    for (const auto& [module, id] : registeredDialogTemplates())
    {
        const DialogTemplate* pagette = findDialogTemplate(module, id);
        ASSERT_NE(pagette, nullptr);
        for (const DialogItemTemplate& item : pagette->items)
        {
            if (item.className != "Button" || (item.style & 0xF) != BS_OWNERDRAW || item.rect.x != 0 ||
                item.rect.y != 0 || item.rect.width != pagette->rect.width || item.text.empty())
                continue;
            Dialog dialog(id);
            ASSERT_TRUE(dialog.create(&holders.frame, module)) << "dialog " << id;
            Window* frame = dialog.dlgItem(item.id);
            ASSERT_NE(frame, nullptr);
            const std::unique_ptr<DeviceContext> context = frame->getDC();
            const auto narrowest = [&](std::initializer_list<std::string> texts) {
                int32_t width = 1 << 20;
                for (const std::string& text : texts)
                {
                    context->selectObject(Font::stock(SYSTEM_FONT));
                    width = std::min(width, context->getTextExtent(text).width);
                    Font smallest = Font::dialog();
                    smallest.height = -CPagetteButton::smallestTitleHeight;
                    context->selectObject(smallest);
                    width = std::min(width, context->getTextExtent(text).width);
                }
                return width;
            };
            const int32_t right = frame->clientRect().width() - 2;
            EXPECT_LE(5 + narrowest({item.text + ":"}), right) << "dialog " << id << ": \"" << item.text << "\" unfolded";
            EXPECT_LE(frameDefaults.titleHeight + narrowest({item.text + "...", item.text}), right)
                << "dialog " << id << ": \"" << item.text << "\" folded";
            ++checkedTitles;
            dialog.destroyWindow();
        }
    }
    EXPECT_GT(checkedTitles, 20);
}

} // namespace
