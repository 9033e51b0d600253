#include "Zintel/SelectionProtocol.h"

#include "Zintel/OpenGLFamilies.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "VornData/VornGroup.h"
#include "plugins/MAI.h"

namespace zintel
{

const VornBaseObject& representativeOf(const VornSelectable& object)
{
    const VornSelectable* current = &object;
    while (current->isInClosedGroup())
    {
        const VornGroup* parent = current->getParentGroup();
        if (parent == nullptr)
            break;
        current = parent;
    }
    return *current;
}

bool isHiddenItem(const VornSelectable& object)
{
    return representativeOf(object).isHidden();
}

void markHit(VornSelectable& item, int32_t mode)
{
    item.markPreSelected();
    for (VornSelectable* current = &item; current->isInClosedGroup();)
    {
        VornGroup* group = current->getParentGroup();
        if (group == nullptr)
            break;
        if (mode == PickMode::Subtract)
            group->clearPreSelected();
        else if (mode == PickMode::Toggle)
            group->setPreSelected(!group->hasFlagBits(VornFlag::Selected));
        else
            group->markPreSelected();
        current = group;
    }
}

void combineWithSelection(VornBaseObject& item, int32_t mode)
{
    const bool hit = item.isPreSelected();
    const bool selected = item.isSelected();
    switch (mode)
    {
    case PickMode::Add:
        if (selected)
            item.markPreSelected();
        break;
    case PickMode::Subtract:
        item.setPreSelected(!hit && selected);
        break;
    case PickMode::Toggle:
        item.setPreSelected(hit ? !selected : selected);
        break;
    default:
        break;
    }
}

bool usesWindowRule(const OpenGLDrawObject& object)
{
    const OpenGLView* view = object.view();
    return view->bandStart.x < view->bandEnd.x;
}

VornDocument* documentOf(const OpenGLDrawObject& object)
{
    MAI_View* owner = object.view()->ownerView;
    return owner != nullptr && owner->document != nullptr ? &owner->document->document : nullptr;
}

HitRecords lastHits(const OpenGLDrawObject& object)
{
    const PluginViewOpenGL* viewType = object.view()->viewType();
    if (viewType == nullptr || !viewType->selectBuffer)
        return {};
    return {viewType->selectBuffer.get(), viewType->hitCount};
}

} // namespace zintel
