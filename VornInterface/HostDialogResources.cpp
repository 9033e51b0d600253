#include "VornInterface/HostDialogResources.h"

#include "platform/DialogTemplate.h"
#include "platform/PixelArt.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The dialog templates below keep their table layout.
// clang-format off

using namespace platform;

namespace
{

constexpr uint32_t modalDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Trees and drop-down lists of these dialogs are template controls that objects of the dialog
// classes take over.
DialogTemplate pluginsDialog()
{
    return dialogTemplateOf({0, 0, 182, 203}, modalDialogStyle | WS_THICKFRAME, "Plugins",
                  {
                      controlItem("SysTreeView32", 1000, {1, 1, 180, 127}, WS_BORDER | WS_TABSTOP, ""),
                      pushButtonItem(1001, {1, 146, 66, 14}, "&Properties..."),
                      pushButtonItem(1002, {1, 131, 66, 14}, "&About..."),
                      controlItem("Static", 1003, {70, 131, 110, 70}, SS_LEFT, ""),
                      // Check boxes whose marks the dialog sets itself.
                      controlItem("Button", 1004, {1, 161, 66, 14}, BS_CHECKBOX | WS_TABSTOP, "&Disable"),
                      controlItem("Button", 1005, {1, 176, 66, 14}, BS_CHECKBOX | WS_TABSTOP, "D&efault"),
                  });
}

DialogTemplate pluginPropertiesDialog()
{
    return dialogTemplateOf({0, 0, 107, 49}, modalDialogStyle, "Plugin properties",
                  {controlItem("Static", 1, {7, 7, 93, 35}, SS_LEFT, "No properties available...")});
}

DialogTemplate splashDialog()
{
    return dialogTemplateOf({0, 0, 196, 129}, WS_POPUP | WS_BORDER, "",
                  {
                      controlItem("Static", 1004, {-3, 121, 199, 8}, SS_RIGHT, "..."),
                      controlItem("Button", 1, {0, 122, 6, 7}, BS_OWNERDRAW),
                  });
}

DialogTemplate snapPriorityPopup()
{
    return dialogTemplateOf({0, 0, 14, 73}, WS_CHILD | DS_CONTROL, "",
                  {
                      controlItem("Button", 1012, {2, 1, 10, 58}, BS_OWNERDRAW, "prio"),
                      controlItem("Edit", 1011, {0, 61, 14, 12}, ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER),
                  });
}

DialogTemplate acceleratorsDialog()
{
    return dialogTemplateOf({0, 0, 320, 190}, modalDialogStyle, "Accelerators",
                  {
                      controlItem("Static", -1, {7, 9, 30, 8}, SS_LEFT, "Device:"),
                      controlItem("Static", -1, {7, 27, 30, 8}, SS_LEFT, "Input:"),
                      controlItem("ComboBox", 1019, {40, 7, 110, 60}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ""),
                      controlItem("ComboBox", 1020, {40, 25, 110, 80}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ""),
                      controlItem("Edit", 1040, {40, 25, 110, 12}, ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER),
                      checkBoxItem(1021, {40, 42, 40, 10}, "Shift"),
                      checkBoxItem(1022, {85, 42, 40, 10}, "Ctrl"),
                      controlItem("Button", -1, {7, 58, 143, 100}, BS_GROUPBOX, "Resulting action(s)"),
                      controlItem("ListBox", 1024, {13, 70, 131, 50}, LBS_NOTIFY | WS_TABSTOP | WS_VSCROLL | WS_BORDER),
                      pushButtonItem(1037, {13, 124, 42, 14}, "Move &Up", WS_DISABLED),
                      pushButtonItem(1038, {57, 124, 42, 14}, "Move Do&wn", WS_DISABLED),
                      pushButtonItem(1031, {101, 124, 42, 14}, "&Remove", WS_DISABLED),
                      controlItem("Static", -1, {13, 143, 30, 8}, SS_LEFT, "Pretend"),
                      controlItem("Button", 1025, {45, 142, 40, 10}, BS_AUTOCHECKBOX | WS_DISABLED, "Shift"),
                      controlItem("Button", 1026, {90, 142, 40, 10}, BS_AUTOCHECKBOX | WS_DISABLED, "Ctrl"),
                      pushButtonItem(1030, {155, 90, 20, 14}, "<<", WS_DISABLED),
                      controlItem("Button", -1, {180, 7, 133, 151}, BS_GROUPBOX, "Available actions"),
                      controlItem("SysTreeView32", 1017, {186, 19, 121, 133}, WS_BORDER | WS_TABSTOP, ""),
                      pushButtonItem(1036, {7, 166, 58, 14}, "Reset &to Defaults"),
                      pushButtonItem(1032, {68, 166, 50, 14}, "Set as &Default"),
                      pushButtonItem(1039, {121, 166, 40, 14}, "Cl&ear"),
                      pushButtonItem(1033, {164, 166, 40, 14}, "&Load"),
                      pushButtonItem(1034, {207, 166, 40, 14}, "&Save"),
                      controlItem("Button", 1, {263, 166, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP, "&Close"),
                  });
}

DialogTemplate colorPickerDialog()
{
    return dialogTemplateOf({0, 0, 186, 127}, modalDialogStyle, "Choose Color",
                  {
                      controlItem("Button", 1, {129, 7, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK"),
                      pushButtonItem(2, {129, 24, 50, 14}, "Cancel"),
                      pushButtonItem(1041, {7, 7, 100, 79}, "Button1"),
                  });
}

DialogTemplate objectHierarchyDialog()
{
    return dialogTemplateOf({0, 0, 186, 95}, modalDialogStyle | WS_THICKFRAME, "Object Hierarchy", {});
}

DialogTemplate betaWarningDialog()
{
    return dialogTemplateOf(
        {0, 0, 241, 169}, WS_POPUP | WS_BORDER, "",
        {
            controlItem("Static", -1, {0, 0, 66, 168}, SS_BITMAP, "#151"),
            controlItem("Static", -1, {84, 9, 150, 62}, SS_LEFT,
                    "Welcome to the Beta version of Quorl2.\n\nPlease keep in mind that this IS a beta version, so "
                    "some features do not work properly and some features do not work at all.\n\nRead the "
                    "introduction for further details."),
            pushButtonItem(IDOK, {81, 148, 91, 14}, "&Read Introduction"),
            controlItem("Button", IDCANCEL, {187, 148, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP, "&OK"),
        });
}

DialogTemplate aboutDialog()
{
    DialogItemTemplate hiddenOk = controlItem("Button", IDOK, {0, 0, 1, 1}, BS_OWNERDRAW, "OK");
    hiddenOk.style &= ~WS_VISIBLE;
    return dialogTemplateOf({0, 0, 200, 121}, WS_POPUP | WS_CAPTION | WS_SYSMENU, "About...", {hiddenOk});
}

BitmapResource resourceOf(const Surface& image)
{
    BitmapResource bitmap{image.width(), image.height(), {}};
    bitmap.pixels.reserve(static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()));
    for (int32_t y = 0; y < image.height(); ++y)
        for (int32_t x = 0; x < image.width(); ++x)
            bitmap.pixels.push_back(image.pixel(x, y));
    return bitmap;
}

void registerPixelArt(ModuleHandle module, int32_t id, std::initializer_list<std::string_view> rows)
{
    registerBitmapResource(module, id, resourceOf(pixelArt(rows).surface()));
}

void registerTreeImages(ModuleHandle module)
{
    registerPixelArt(module, HostResource::RootImage,
                     {"wwwwwwwwwwwwwwww", "wwwwwkkkkkkwwwww", "wwwkkbbbbbbkkwww", "wwkbbbcbbbbbbkww",
                      "wwkbbccccbbbbkww", "wkbbcccccclbbbkw", "wkbbbccccllbbbkw", "wkbbbbcclllbbbkw",
                      "wkbbbbbllllbbbkw", "wkbbbbbllllbbbkw", "wwkbbbbbllbbbkww", "wwkbbbbbbbbbbkww",
                      "wwwkkbbbbbbkkwww", "wwwwwkkkkkkwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww"});
    registerPixelArt(module, HostResource::TypeImage,
                     {"wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wkkkkkwwwwwwwwww", "kyyyyykwwwwwwwww",
                      "kyyyyyykkkkkkkww", "kyyyyyyyyyyyyykw", "kyyyyyyyyyyyyykw", "kyyyyyyyyyyyyykw",
                      "kyyyyyyyyyyyyykw", "kyyyyyyyyyyyyykw", "kyyyyyyyyyyyyykw", "kYYYYYYYYYYYYYkw",
                      "wkkkkkkkkkkkkkww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww"});
    auto plug = [module](int32_t id, char body, char mark) {
        const std::string_view rows[] = {
            "wwwwwwwwwwwwwwww", "wwwwkwwwwkwwwwww", "wwwwkwwwwkwwwwww", "wwwwkwwwwkwwwwww",
            "wwkkkkkkkkkkwwww", "wwkGGGGGGGGkwwww", "wwkGGGGGGGGkwwww", "wwkGGGGGGGGkwwww",
            "wwwkGGGGGGkwwwww", "wwwwkGGGGkwwwwww", "wwwwwkGGkwwwwwww", "wwwwwwkkwwwwwwww",
            "wwwwwwkkwwwwwwww", "wwwwwwkkwwwwwwww", "wwwwwwwwwwwwwwww", "wwwwwwwwwwwwwwww"};
        std::string art[16];
        for (int row = 0; row < 16; ++row)
        {
            art[row] = rows[row];
            for (char& pixel : art[row])
                if (pixel == 'G')
                    pixel = body;
        }
        // The mark sits in the lower right corner: a star for the default, a cross for disabled.
        const char* star[] = {"wwyww", "wyyyw", "yyyyy", "wyyyw", "ywwwy"};
        const char* cross[] = {"rwwwr", "wrwrw", "wwrww", "wrwrw", "rwwwr"};
        if (mark != ' ')
            for (int row = 0; row < 5; ++row)
                for (int column = 0; column < 5; ++column)
                {
                    const char pixel = (mark == 's' ? star : cross)[row][column];
                    if (pixel != 'w')
                        art[10 + row][10 + column] = mark == 's' ? 'Y' : 'R';
                }
        std::string_view views[16];
        for (int row = 0; row < 16; ++row)
            views[row] = art[row];
        registerBitmapResource(module, id, resourceOf(pixelArt(std::span<const std::string_view>(views)).surface()));
    };
    plug(HostResource::PluginImage, 'G', ' ');
    plug(HostResource::SparePluginImage, 's', ' ');
    plug(HostResource::DefaultPluginImage, 'G', 's');
    plug(HostResource::DisabledPluginImage, 'g', 'x');
    registerPixelArt(module, HostResource::UnrecognizedImage,
                     {"wwwwwwwwwwwwwwww", "wwwwwkkkkkkwwwww", "wwwwkrrrrrrkwwww", "wwwkrrkkkkrrkwww",
                      "wwwkrkwwwwkrkwww", "wwwwkwwwwkrrkwww", "wwwwwwwwkrrkwwww", "wwwwwwwkrrkwwwww",
                      "wwwwwwkrrkwwwwww", "wwwwwwkrrkwwwwww", "wwwwwwwkkwwwwwww", "wwwwwwwwwwwwwwww",
                      "wwwwwwkrrkwwwwww", "wwwwwwkrrkwwwwww", "wwwwwwwkkwwwwwww", "wwwwwwwwwwwwwwww"});
}

// The start-up picture: an evening sky over a small frame of members and joints.
Surface startupPicture(int32_t width, int32_t height)
{
    Surface picture(width, height);
    for (int32_t y = 0; y < height; ++y)
    {
        const uint32_t shade = static_cast<uint32_t>(40 + 120 * y / height);
        picture.fillRect({0, y, width, y + 1}, (shade << 16) | ((shade / 2) << 8) | (shade / 4));
    }
    auto line = [&picture](int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
        const int32_t steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int32_t step = 0; step <= steps; ++step)
            picture.fillRect({x0 + (x1 - x0) * step / std::max(steps, 1), y0 + (y1 - y0) * step / std::max(steps, 1),
                              x0 + (x1 - x0) * step / std::max(steps, 1) + 2,
                              y0 + (y1 - y0) * step / std::max(steps, 1) + 2},
                             colour);
    };
    const int32_t ground = height * 3 / 4;
    picture.fillRect({0, ground, width, height}, 0x204020);
    const int32_t left = width / 3;
    const int32_t right = width * 5 / 6;
    const int32_t top = height / 3;
    for (int32_t x = left; x <= right; x += (right - left) / 4)
        line(x, ground, x, top, 0xC0C0C0);
    line(left, top, right, top, 0xC0C0C0);
    line(left, ground, right, ground, 0xC0C0C0);
    for (int32_t x = left; x < right; x += (right - left) / 4)
        line(x, ground, x + (right - left) / 4, top, 0x00C0FF);
    for (int32_t x = left; x <= right; x += (right - left) / 4)
        for (int32_t y : {top, ground})
            picture.fillRect({x - 2, y - 2, x + 4, y + 4}, 0xFFFFFF);
    return picture;
}

} // namespace

ModuleHandle hostResourceModule()
{
    return moduleContaining(reinterpret_cast<const void*>(&registerHostDialogResources));
}

void registerHostDialogResources()
{
    static const bool registered = [] {
        const ModuleHandle module = hostResourceModule();
        registerDialogTemplate(module, HostResource::AboutDialog, aboutDialog());
        registerDialogTemplate(module, HostResource::PluginsDialog, pluginsDialog());
        registerDialogTemplate(module, HostResource::PluginPropertiesDialog, pluginPropertiesDialog());
        registerDialogTemplate(module, HostResource::SplashDialog, splashDialog());
        registerDialogTemplate(module, HostResource::SnapPriorityPopup, snapPriorityPopup());
        registerDialogTemplate(module, HostResource::AcceleratorsDialog, acceleratorsDialog());
        registerDialogTemplate(module, HostResource::ColorPickerDialog, colorPickerDialog());
        registerDialogTemplate(module, HostResource::ObjectHierarchyDialog, objectHierarchyDialog());
        registerDialogTemplate(module, HostResource::BetaWarningDialog, betaWarningDialog());
        registerTreeImages(module);
        registerBitmapResource(module, HostResource::StartupPicture, resourceOf(startupPicture(300, 196)));
        registerBitmapResource(module, HostResource::BetaPicture, resourceOf(startupPicture(100, 272)));
        registerIconResource(module, HostResource::ApplicationIcon, resourceOf(startupPicture(32, 32)));
        return true;
    }();
    (void)registered;
}

Surface hostBitmap(int32_t id)
{
    registerHostDialogResources();
    const BitmapResource* bitmap = findBitmapResource(hostResourceModule(), id);
    if (bitmap == nullptr)
        return {};
    Surface image(bitmap->width, bitmap->height);
    for (int32_t y = 0; y < bitmap->height; ++y)
        for (int32_t x = 0; x < bitmap->width; ++x)
            image.setPixel(x, y, bitmap->pixels[static_cast<size_t>(y * bitmap->width + x)]);
    return image;
}
// clang-format on
