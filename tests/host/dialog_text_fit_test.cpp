// Every dialog of the program, host and plugin libraries alike, shows the whole text of each
// button, check box, radio button and static text inside its control.
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/PluginLibraries.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "platform/TabControl.h"
#include "platform/qt/WindowState.h"
#include "plugins/PluginManager.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

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

TEST(DialogTextFit, EveryTextOfEveryDialogFitsItsControl)
{
    LoadedPrograms programs;
    ASSERT_TRUE(programs.plugins.failures.empty()) << programs.plugins.failures.front();
    const auto templates = registeredDialogTemplates();
    std::set<ModuleHandle> modules;
    for (const auto& [module, id] : templates)
        modules.insert(module);
    // Every library registers its templates when it is loaded, not when it first shows one.
    ASSERT_FALSE(programs.plugins.libraries.empty());
    for (const PluginLibrary& library : programs.plugins.libraries)
        EXPECT_TRUE(modules.contains(library.library.module())) << "a library without registered dialog templates";

    // Each dialog in a plain frame, and in a page inside a tab control with padded tabs, where the
    // console holds its pages and they hold the view pages' pagettes.
    Window frame;
    ASSERT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1000, 800}, nullptr));
    TabControl tabs;
    ASSERT_TRUE(tabs.create(WS_VISIBLE, {0, 0, 1000, 800}, &frame, 1));
    tabs.setPadding({2, 4});
    tabs.insertItem(0, "Page");
    Dialog page;
    ASSERT_TRUE(page.createIndirect(dialogTemplateOf({0, 20, 600, 450}, WS_CHILD | WS_VISIBLE, "", {}), &tabs,
                                    ModuleHandle::None));
    const std::pair<const char*, Window*> holders[] = {{"frame", &frame}, {"page in a tab control", &page}};
    int checkedTexts = 0;
    for (const auto& [holderName, holder] : holders)
        for (const auto& [module, id] : templates)
        {
            Dialog dialog(id);
            ASSERT_TRUE(dialog.create(holder, module)) << "dialog " << id;
            platformApplication().processMessages();
            for (const WindowState* control : dialog.state()->children)
            {
                const TextPlace place = textPlaceOf(*control);
                if (place.text.isEmpty())
                    continue;
                ++checkedTexts;
                const QRect needed = control->widget->fontMetrics().boundingRect(place.area, place.flags, place.text);
                EXPECT_TRUE(place.area.contains(needed))
                    << "dialog " << id << " in a " << holderName << ", control " << control->id << " \""
                    << place.text.toStdString() << "\" needs " << needed.width() << " x " << needed.height() << " at "
                    << needed.x() << "," << needed.y() << ", has " << place.area.width() << " x " << place.area.height()
                    << " at " << place.area.x() << "," << place.area.y();
            }
            dialog.destroyWindow();
        }
    EXPECT_GT(checkedTexts, 30);
}

} // namespace
