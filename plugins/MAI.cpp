#include "plugins/MAI.h"

#include "VornData/TextCompare.h"
#include "plugins/InputEvent.h"
#include "VornData/IntrusiveList.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"
#include "VornData/VornModifier.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <new>

void PluginLists::activateInDialogs(VornPluginBase* plugin) const
{
    for (VornPluginBase* dialog = dialogs; dialog != nullptr; dialog = dialog->getNext())
        if (auto* windowed = dynamic_cast<VornPluginWindowed*>(dialog))
            windowed->activatePlugin(plugin);
}

MAI::~MAI()
{
    while (menuItemTypes != nullptr)
    {
        MenuItemTypeNode* next = menuItemTypes->next;
        delete menuItemTypes;
        menuItemTypes = next;
    }
}

void MAI::addSnapObject(VornPluginSnapObject* snapObject)
{
    if (snapObject == nullptr)
        return;
    const char* name = snapObject->getButtonText();
    VornPluginSnapObject* sameName = nullptr;
    for (VornPluginSnapObject* other = snapObjects; other != nullptr; other = other->nextSnapObject)
    {
        // Added again, it would close the chain into a ring that no walk leaves.
        if (other == snapObject)
            return;
        if (sameName == nullptr && sameTextIgnoringCase(name, other->getButtonText()))
            sameName = other;
    }
    if (sameName != nullptr)
        snapObject->master = sameName->master;
    snapObject->nextSnapObject = snapObjects;
    snapObjects = snapObject;
}

void MAI::addMenuItemType(PluginType* type)
{
    if (type == nullptr)
        return;
    menuItemTypes = new MenuItemTypeNode{type, menuItemTypes};
}

MAI_Doc::MAI_Doc(MAI* mai) : mai(mai)
{
    document.setHost(this);
    if (mai != nullptr)
        linkAtFront<&MAI_Doc::prevDocument, &MAI_Doc::nextDocument>(mai->documents, this);
}

MAI_Doc::~MAI_Doc()
{
    // Records that leave the document from here on have no active modifier to tell.
    document.setHost(nullptr);
    if (mai != nullptr)
    {
        unlinkFrom<&MAI_Doc::prevDocument, &MAI_Doc::nextDocument>(mai->documents, this);
        if (mai->activeDocument == this)
            mai->activeDocument = nullptr;
    }
    // Views the host has not closed yet must not reach a gone document.
    while (views != nullptr)
    {
        MAI_View* view = views;
        unlinkFrom<&MAI_View::prevView, &MAI_View::nextView>(views, view);
        view->document = nullptr;
    }
}

void MAI_Doc::setActiveMenuItem(VornPluginMenuItem* item)
{
    if (item == activeMenuItem)
        return;
    if (activeMenuItem != nullptr)
        activeMenuItem->activate(false);
    activeMenuItem = item;
    if (item == nullptr)
    {
        setEditState(0);
        return;
    }
    item->activate(true);
    setEditState(item->editState);
}

VornModifier* MAI_Doc::getActiveModifier()
{
    return static_cast<VornModifier*>(activeModifier.get());
}

void MAI_Doc::setActiveModifier(VornModifier* modifier)
{
    VornModifier* previous = getActiveModifier();
    if (modifier == previous)
        return;
    if (previous != nullptr)
        if (auto* plugin = dynamic_cast<VornPluginObjectModifier*>(previous->modifierPlugin))
            plugin->deactivate(this);
    activeModifier.set(modifier);
    if (modifier != nullptr)
        if (auto* plugin = dynamic_cast<VornPluginObjectModifier*>(modifier->modifierPlugin))
            plugin->activate(this, modifier, 0);
}

void MAI_Doc::setEditState(uint8_t value)
{
    if (value == editState)
        return;
    editState = value;
    if (mai != nullptr)
        mai->notifierRegistry.notify(Channel::EditStateChanged, nullptr);
}

void MAI_Doc::initDocument()
{
    VornPluginBase* objectTypes = mai != nullptr ? mai->pluginLists.objectTypes : nullptr;
    for (VornPluginBase* plugin = objectTypes; plugin != nullptr; plugin = plugin->getNext())
        if (auto* objectType = dynamic_cast<VornPluginObjectType*>(plugin))
            objectType->initDocument(this);
    currentForceDefinition.set(nullptr);
}

MAI_View::MAI_View(MAI_Doc* document) : document(document)
{
    if (document != nullptr)
        linkAtFront<&MAI_View::prevView, &MAI_View::nextView>(document->views, this);
}

MAI_View::~MAI_View()
{
    while (viewTypeInfos != nullptr)
        delete viewTypeInfos; // leaves the chain itself
    if (document != nullptr)
    {
        if (MAI* mai = document->mai)
        {
            if (mai->activeView == this)
                mai->activeView = nullptr;
            if (mai->hoveredView == this)
                mai->hoveredView = nullptr;
        }
        unlinkFrom<&MAI_View::prevView, &MAI_View::nextView>(document->views, this);
        document = nullptr;
    }
}

VornPluginMenuItem* MAI_View::activeTool() const
{
    return document != nullptr ? document->getActiveMenuItem() : nullptr;
}

AcceleratorBinding* MAI_View::bindingsOf(uint32_t code) const
{
    if (document == nullptr || document->mai == nullptr)
        return nullptr;
    return document->mai->accelerators.getBindings(code);
}

bool MAI_View::runCode(uint32_t code)
{
    AcceleratorBinding* binding = bindingsOf(code);
    if (binding == nullptr)
        return false;
    for (; binding != nullptr; binding = binding->next)
        binding->plugin->execute(this);
    return true;
}

void MAI_View::clearPress()
{
    const bool hadPress = pressFlags != 0;
    pendingDrag = nullptr;
    pressFlags = 0;
    moved = false;
    if (hadPress)
        setCapture(false);
}

bool MAI_View::beginPress(int32_t x, int32_t y, uint32_t flags, uint32_t downCode, uint32_t dragCode)
{
    const bool handled = runCode(downCode);
    if (pendingDrag != nullptr || (flags & InputEvent::LeftHeld) != 0)
        return handled;
    pendingDrag = bindingsOf(dragCode);
    moved = false;
    pressX = x;
    pressY = y;
    pressFlags = flags;
    // Held while the press is pending, so that a release outside the view still arrives.
    setCapture(true);
    return true;
}

bool MAI_View::endPress(int32_t x, int32_t y, uint32_t pressKind, uint32_t clickCode, uint32_t upCode)
{
    if (InputEvent::kindOf(pressFlags) == pressKind)
    {
        if (!moved)
        {
            if (runCode(clickCode))
            {
                clearPress();
                return true;
            }
        }
        else if (pendingDrag != nullptr)
        {
            const uint32_t release = InputEvent::LeftUp | (pressFlags & InputEvent::ModifierKeys);
            for (AcceleratorBinding* binding = pendingDrag; binding != nullptr; binding = binding->next)
                binding->plugin->onMouse(this, x, y, 0, release);
            clearPress();
            return true;
        }
        clearPress();
    }
    return runCode(upCode);
}

void MAI_View::endPressReleasedUnseen(int32_t x, int32_t y, uint32_t flags)
{
    const uint32_t pressKind = InputEvent::kindOf(pressFlags);
    if (pressKind != InputEvent::RightDown && pressKind != InputEvent::MiddleDown)
        return;
    const bool right = pressKind == InputEvent::RightDown;
    const uint32_t heldBit = right ? InputEvent::RightHeld : InputEvent::MiddleHeld;
    const uint32_t upKind = right ? InputEvent::RightUp : InputEvent::MiddleUp;
    const uint32_t kind = InputEvent::kindOf(flags);
    if ((flags & heldBit) != 0 || kind == upKind || kind == pressKind)
        return;
    onMouseEvent(x, y, (flags & ~InputEvent::KindMask) | upKind);
}

void MAI_View::onMouseEvent(int32_t x, int32_t y, uint32_t flags)
{
    // The button of a pending press is up although its release never came (it was released
    // where the view could not see it): end the press first.
    endPressReleasedUnseen(x, y, flags);

    lastX = x;
    lastY = y;
    lastFlags = flags;
    const uint32_t base = AcceleratorCode::mouseBase((flags & InputEvent::Shift) != 0, (flags & InputEvent::Ctrl) != 0);
    switch (InputEvent::kindOf(flags))
    {
    case InputEvent::RightDown:
        if (beginPress(x, y, flags, base + AcceleratorCode::RightDown, base + AcceleratorCode::RightDrag))
            return;
        break;
    case InputEvent::MiddleDown:
        if (beginPress(x, y, flags, base + AcceleratorCode::MiddleDown, base + AcceleratorCode::MiddleDrag))
            return;
        break;
    case InputEvent::RightUp:
        if (endPress(x, y, InputEvent::RightDown, base + AcceleratorCode::RightClick, base + AcceleratorCode::RightUp))
            return;
        break;
    case InputEvent::MiddleUp:
        if (endPress(x, y, InputEvent::MiddleDown, base + AcceleratorCode::MiddleClick,
                     base + AcceleratorCode::MiddleUp))
            return;
        break;
    default:
        break;
    }
    routeToHolderOrTool(x, y, flags);
}

void MAI_View::routeToHolderOrTool(int32_t x, int32_t y, uint32_t flags)
{
    if (pendingDrag == nullptr)
    {
        if (viewTypeInfos != nullptr && viewTypeInfos->mouseHolder != nullptr)
        {
            viewTypeInfos->mouseHolder->onMouse(x, y, 0, flags);
            return;
        }
        VornPluginMenuItem* tool = activeTool();
        if (tool != nullptr && tool->onMouse(this, 0, 0, 0, InputEvent::Probe))
            tool->onMouse(this, x, y, 0, flags);
        return;
    }

    // A bound right or middle drag reaches its tools as a left-button drag.
    const uint32_t pressModifiers = pressFlags & InputEvent::ModifierKeys;
    if (!moved && (x != pressX || y != pressY))
    {
        const uint32_t press = InputEvent::LeftDown | pressModifiers | InputEvent::LeftHeld;
        for (AcceleratorBinding* binding = pendingDrag; binding != nullptr; binding = binding->next)
            if (binding->plugin->onMouse(this, 0, 0, 0, InputEvent::Probe))
                binding->plugin->onMouse(this, pressX, pressY, 0, press);
        moved = true;
    }
    const uint32_t kind = InputEvent::kindOf(flags);
    const bool buttonEvent = kind >= InputEvent::LeftDown && kind <= InputEvent::MiddleUp;
    if (!moved || buttonEvent)
        return;
    const uint32_t move = (flags & InputEvent::ModifierKeys) | InputEvent::LeftHeld;
    for (AcceleratorBinding* binding = pendingDrag; binding != nullptr; binding = binding->next)
        if (binding->plugin->onMouse(this, 0, 0, 0, InputEvent::Probe))
            binding->plugin->onMouse(this, x, y, 0, move);
}

void MAI_View::onKeyState(uint32_t code)
{
    VornPluginMenuItem* tool = activeTool();
    if (tool == nullptr)
        return;
    switch (code)
    {
    case InputEvent::ShiftDown:
        lastFlags |= InputEvent::Shift;
        break;
    case InputEvent::ShiftUp:
        lastFlags &= ~InputEvent::Shift;
        break;
    case InputEvent::CtrlDown:
        lastFlags |= InputEvent::Ctrl;
        break;
    case InputEvent::CtrlUp:
        lastFlags &= ~InputEvent::Ctrl;
        break;
    default:
        return;
    }
    lastFlags = (lastFlags & 0xFF) | code;
    if (pendingDrag != nullptr && moved)
        return;
    if (viewTypeInfos != nullptr && viewTypeInfos->mouseHolder != nullptr)
        viewTypeInfos->mouseHolder->onMouse(lastX, lastY, 0, lastFlags);
    else
        tool->onMouse(this, lastX, lastY, 0, lastFlags);
}

platform::CursorHandle MAI_View::getCursor(int32_t x, int32_t y, uint32_t flags)
{
    const platform::CursorHandle arrow{};
    if (viewTypeInfos != nullptr)
    {
        const platform::CursorHandle cursor = viewTypeInfos->getCursor(x, y, flags);
        if (cursor != arrow)
            return cursor;
    }
    VornPluginMenuItem* tool = activeTool();
    return tool != nullptr ? tool->getCursor(this, x, y, flags) : arrow;
}

void MAI_View::mouseEnter(MAI_View* other)
{
}

void MAI_View::mouseLeave(MAI_View* other)
{
    if (other != nullptr && other->document == document)
        return;
    if (VornPluginMenuItem* tool = activeTool())
        tool->onMouse(this, -1, -1, -1, InputEvent::Leave);
}

void MAI_View::onSize(int32_t width, int32_t height)
{
    for (ViewTypeInfo* info = viewTypeInfos; info != nullptr; info = info->next)
        info->resize(width, height);
}

bool MAI_View::findViewTypeInfo(VornPluginViewBase* viewType)
{
    if (viewType == nullptr || viewTypeInfos == nullptr)
        return false;
    if (viewTypeInfos->viewTypePlugin == viewType)
        return true;
    for (ViewTypeInfo* before = viewTypeInfos; before->next != nullptr; before = before->next)
    {
        ViewTypeInfo* info = before->next;
        if (info->viewTypePlugin == viewType)
        {
            before->next = info->next;
            info->next = viewTypeInfos;
            viewTypeInfos = info;
            return true;
        }
    }
    return false;
}
