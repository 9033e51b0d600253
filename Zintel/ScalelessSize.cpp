#include "Zintel/ScalelessSize.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "uikit/DialogNumbers.h"

#include <cmath>
#include <new>

namespace zintel
{

namespace
{

constexpr const char* menuPath = "&View\\S&ettings\\&Size Scaleless...";

CScalelessSize* dialogWindow(PluginWindowHandle* handle)
{
    return handle != nullptr ? dynamic_cast<CScalelessSize*>(handle->getWnd()) : nullptr;
}

} // namespace

void registerScalelessSizeTemplate()
{
    static const bool registered = [] {
        platform::registerDialogTemplate(thisModule(), CScalelessSize::templateId, scalelessSizeTemplate());
        return true;
    }();
    (void)registered;
}

DocItemOpenGL* activeOpenGLSettings(MAI* mai)
{
    if (mai == nullptr || !PluginViewOpenGL::showsOpenGL(mai->activeView))
        return nullptr;
    return asOpenGLView(mai->activeView->viewTypeInfos)->docItem;
}

bool isUsableScalelessSize(double size)
{
    return std::isfinite(size) && size > 0.0;
}

platform::DialogTemplate scalelessSizeTemplate()
{
    using namespace platform;
    return dialogTemplateOf(
        {0, 0, 90, 15}, WS_CHILD | WS_VISIBLE | DS_SETFONT, "",
        {controlItem("Edit", CScalelessSize::editId, {2, 1, 72, 12}, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
         controlItem("Button", CScalelessSize::spinnerId, {75, 1, 11, 12}, BS_OWNERDRAW | WS_TABSTOP, "spinner")});
}

ScalelessSizeLink::ScalelessSizeLink(double* value, PluginWindowHandle** dialogHandle)
    : DoubleSpinnerLink(value, 1.0, 0.01), dialogHandle(dialogHandle)
{
}

void ScalelessSizeLink::beginChange()
{
    platform::ResourceModuleScope scope(thisModule());
    CScalelessSize* dialog = dialogWindow(*dialogHandle);
    if (dialog == nullptr)
        return;
    dialog->updateData(true);
    // Spinning multiplies: from a size that cannot be applied it would never reach one, so the
    // spinner starts from the size in effect instead.
    if (!isUsableScalelessSize(*value))
        dialog->refresh();
}

void ScalelessSizeLink::valueChanged()
{
    platform::ResourceModuleScope scope(thisModule());
    CScalelessSize* dialog = dialogWindow(*dialogHandle);
    if (dialog == nullptr)
        return;
    dialog->updateData(false);
    dialog->apply(*value);
}

CScalelessSize::CScalelessSize(platform::Window*, PluginScalelessSizeDialog* owner)
    : platform::Dialog(templateId),
      owner(owner),
      spinner(&link, CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply),
      link(&value, owner != nullptr ? &owner->windowHandle : nullptr)
{
}

bool CScalelessSize::onInitDialog()
{
    platform::Dialog::onInitDialog();
    spinner.subclassDlgItem(spinnerId, this);
    updateData(false);
    refresh();
    return true;
}

void CScalelessSize::doDataExchange(platform::DataExchange& exchange)
{
    platform::Dialog::doDataExchange(exchange);
    platform::exchangeDouble(exchange, editId, value);
}

bool CScalelessSize::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (static_cast<int32_t>(id) == editId && code == platform::EN_CHANGE)
    {
        OnChangeValue();
        return true;
    }
    // Leaving the edit with a size that was not taken shows the size in effect again.
    if (static_cast<int32_t>(id) == editId && code == platform::EN_KILLFOCUS)
    {
        double typed = 0.0;
        if (!platform::parseDouble(dlgItemText(editId), typed) || !isUsableScalelessSize(typed))
            refresh();
        return true;
    }
    return platform::Dialog::onCommand(id, code, control);
}

void CScalelessSize::OnChangeValue()
{
    double typed = value;
    if (!getDlgItemDouble(this, editId, &typed) || !isUsableScalelessSize(typed))
        return;
    value = typed;
    apply(value);
}

void CScalelessSize::refresh()
{
    const DocItemOpenGL* settings = activeOpenGLSettings(owner != nullptr ? owner->mai : nullptr);
    if (settings == nullptr || !exists())
        return;
    value = settings->getScalelessSize();
    updateData(false);
}

bool CScalelessSize::apply(double size)
{
    MAI* mai = owner != nullptr ? owner->mai : nullptr;
    DocItemOpenGL* settings = activeOpenGLSettings(mai);
    if (settings == nullptr || !isUsableScalelessSize(size))
        return false;
    // A view setting of the document: only the user-interface thread reads it, no lock is needed.
    settings->setScalelessSize(size);
    if (mai->activeView->document != nullptr)
        mai->activeView->document->invalidateViews();
    return true;
}

PluginScalelessSizeDialog::PluginScalelessSizeDialog() : WithOwnDialog(CScalelessSize::templateId)
{
}

const char* PluginScalelessSizeDialog::getName()
{
    return "Scaleless Size Dialog";
}

VornPluginBase* PluginScalelessSizeDialog::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return nullptr;
    auto* item = new (std::nothrow) PluginDialogMenuItem(this, menuPath);
    if (item == nullptr)
        throw Exc_OutOfMemory("PluginMainConsoleDialog::GetPackagedPlugin");
    return package(item);
}

const char* PluginScalelessSizeDialog::getDescription()
{
    return "Scaleless Size Dialog:\nEnables the user to setup the size of scaleless items like Joints.";
}

void PluginScalelessSizeDialog::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "Scaleless Size Dialog", "Scaleless Size Dialog\n2001");
}

PluginWindowRequest* PluginScalelessSizeDialog::getWindowRequest()
{
    registerScalelessSizeTemplate();
    return WithOwnDialog::getWindowRequest();
}

bool PluginScalelessSizeDialog::activatePlugin(VornPluginBase*)
{
    platform::ResourceModuleScope scope(thisModule());
    if (CScalelessSize* shown = window())
        shown->refresh();
    return false;
}

const char* PluginScalelessSizeDialog::getWindowTitle()
{
    return "Size Scaleless";
}

int32_t PluginScalelessSizeDialog::getDockInfo(uint32_t key)
{
    switch (key)
    {
    case DockInfo::AllowedSides:
        return 0xA000;
    case DockInfo::InitialDockBar:
        return 0;
    case DockInfo::StartHidden:
        return 1;
    case DockInfo::BarParameter:
        return 15;
    case DockInfo::TitleBitmap:
        return BitmapId::ScalelessSizeTitle;
    default:
        return 0;
    }
}

CScalelessSize* PluginScalelessSizeDialog::window() const
{
    return dialogWindow(windowHandle);
}

std::unique_ptr<platform::Dialog> PluginScalelessSizeDialog::makeDialog()
{
    return std::make_unique<CScalelessSize>(nullptr, this);
}

} // namespace zintel
