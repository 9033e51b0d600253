#include "plugins/VornPluginObjectType.h"

#include "VornData/IntrusiveList.h"
#include "plugins/MAI.h"

namespace
{

bool hasWindow(const VornPluginPagette* pagette)
{
    return pagette->windowHandle != nullptr;
}

} // namespace

void PagetteList::add(VornPlugin* owner, VornPluginPagette* pagette)
{
    if (pagette == nullptr || pagette->owner != nullptr)
        return;
    pagette->owner = owner;
    linkAtFront<&VornPluginPagette::prevPagette, &VornPluginPagette::nextPagette>(head, pagette);
}

void PagetteList::createWindows(PluginWindowHandle* parent)
{
    for (VornPluginPagette* pagette = head; pagette != nullptr; pagette = pagette->nextPagette)
        if (pagette->mai != nullptr)
            pagette->windowHandle = pagette->mai->createPluginWindow(pagette->getWindowRequest(), parent);
}

void PagetteList::modifyStyle(uint32_t remove, uint32_t add, uint32_t flags)
{
    for (VornPluginPagette* pagette = head; pagette != nullptr; pagette = pagette->nextPagette)
        if (hasWindow(pagette))
            pagette->windowHandle->modifyStyle(remove, add, flags);
}

const char* VornPluginObjectType::getTypeName()
{
    return "ObjectType";
}

void VornPluginObjectType::addBlockLists(MAI_Doc* document)
{
}

void VornPluginObjectType::initDocument(MAI_Doc* document)
{
}

const char* VornPluginObjectCreator::getTypeName()
{
    return "Object Creator";
}

platform::CursorHandle VornPluginObjectCreator::getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    return platform::CursorHandle{};
}

int32_t VornPluginObjectCreator::getBitmapID()
{
    return 0;
}

void VornPluginObjectCreator::toolCommand(int32_t argument)
{
}

void VornPluginObjectCreator::updateEditPagettes(MAI_Doc* document, VornSelection* selection, uint32_t shownBits,
                                                 uint32_t hiddenBits)
{
    for (VornPluginPagette* pagette = editPagettes.first(); pagette != nullptr; pagette = pagette->nextPagette)
    {
        if (!hasWindow(pagette))
            continue;
        PluginWindowHandle* window = pagette->windowHandle;
        if (selection == nullptr)
        {
            window->modifyStyle(shownBits, hiddenBits, 0);
            continue;
        }
        auto* editPagette = dynamic_cast<VornPluginEditPagette*>(pagette);
        const bool nothingToShow = editPagette == nullptr || editPagette->updateFromSelection(0, selection);
        const uint32_t style = window->getStyle();
        const bool shown = (style & shownBits) == shownBits && (style & hiddenBits) == 0;
        if (shown && !nothingToShow)
            window->redraw(nullptr);
        else if (shown)
            window->modifyStyle(shownBits, hiddenBits, 0);
        else if (!nothingToShow)
            window->modifyStyle(hiddenBits, shownBits, 0);
    }
}

const char* VornPluginObjectModifier::getTypeName()
{
    return "Object Modifier";
}

int32_t VornPluginObjectModifier::getBitmapID()
{
    return 0;
}

int32_t VornPluginObjectModifier::getSecondBitmapID()
{
    return getBitmapID();
}

int32_t VornPluginObjectModifier::getImageIndex()
{
    return historyImageIndex;
}

uint8_t VornPluginObjectModifier::getTransformKind()
{
    return 0;
}

VornPluginObjectModifier::~VornPluginObjectModifier()
{
    if (nextLinked == nullptr)
        return;
    VornPluginObjectModifier* before = nextLinked;
    while (before->nextLinked != this)
        before = before->nextLinked;
    before->nextLinked = nextLinked == before ? nullptr : nextLinked;
}

bool VornPluginObjectModifier::linkModifier(VornPluginObjectModifier* other)
{
    // Joining a modifier that is already in a ring would cut that ring open and leave a walk that
    // never returns to its start.
    if (other == nullptr || other == this || nextLinked != nullptr)
        return false;
    if (other->nextLinked != nullptr)
    {
        nextLinked = other->nextLinked;
        other->nextLinked = this;
    }
    else
    {
        nextLinked = other;
        other->nextLinked = this;
    }
    return true;
}

template <class Action>
void VornPluginObjectModifier::forEachPagetteOfRing(Action action)
{
    VornPluginObjectModifier* modifier = this;
    do
    {
        for (VornPluginPagette* pagette = modifier->pagettes.first(); pagette != nullptr;
             pagette = pagette->nextPagette)
            if (hasWindow(pagette))
                action(pagette);
        modifier = modifier->nextLinked;
    } while (modifier != nullptr && modifier != this);
}

void VornPluginObjectModifier::modifyPagetteStyle(uint32_t remove, uint32_t add, VornModifier* record, uint32_t flags)
{
    forEachPagetteOfRing([&](VornPluginPagette* pagette) {
        if (record != nullptr)
            if (auto* page = dynamic_cast<PluginModifierPage*>(pagette))
                page->setObject(record);
        pagette->windowHandle->modifyStyle(remove, add, flags);
    });
}

void VornPluginObjectModifier::setPagettesObject(VornModifier* record)
{
    if (record == nullptr)
        return;
    forEachPagetteOfRing([record](VornPluginPagette* pagette) {
        if (auto* page = dynamic_cast<PluginModifierPage*>(pagette))
            page->setObject(record);
    });
}

const char* VornPluginShape::getTypeName()
{
    return "Shape";
}

void VornPluginCreatorPagette::onSnapPoint(SnapPoint* point, uint32_t flags)
{
}

void VornPluginCreatorPagette::onMousePoint(int32_t x, int32_t y, int32_t z, uint32_t flags)
{
}

void PluginModifierPage::setObject(VornModifier* record)
{
}

const char* PluginModifierPageTransform::getTypeName()
{
    return "Transform Pagette";
}

const char* PluginEditStaticPage::getTypeName()
{
    return "Edit Static Pagette";
}

const char* PluginCrossSectionPage::getTypeName()
{
    return "CrossSection Pagette";
}

const char* PluginMaterialPage::getTypeName()
{
    return "Material Pagette";
}
