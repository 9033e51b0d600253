#include "Lumbra/Modifiers/TransformModifiers.h"

#include "Knots/knotManager.h"
#include "Lumbra/DocumentLists.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/MenuItemImages.h"
#include "Lumbra/Modifiers/TransformPropertiesPagette.h"
#include "Lumbra/ToolMenuItems.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
#include "VornData/VornVertex.h"
#include "VornData/generalException.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "plugins/PluginManager.h"
#include "plugins/TransformParameters.h"

#include <new>

namespace lumbra
{

namespace
{

constexpr const char* modifierListName = "VornModifier";

VornBaseObject* objectOf(const knot* link)
{
    return static_cast<VornBaseObject*>(link->getObject());
}

VornModifier* recordOf(const knot* link)
{
    return static_cast<VornModifier*>(link->getObject());
}

VornVertex* vertexOf(const knot* link)
{
    return dynamic_cast<VornVertex*>(objectOf(link));
}

bool listHolds(const knotList& list, const VornBaseObject* object)
{
    for (knot* link = list.getFirst(); link != nullptr; link = link->getNext())
        if (objectOf(link) == object)
            return true;
    return false;
}

// The entry of the record in the vertex's modifier list; null when the list lacks it.
knot* entryOf(VornVertex& vertex, const VornModifier* record)
{
    for (knot* link = vertex.modifiers.getFirst(); link != nullptr; link = link->getNext())
        if (link->getObject() == record)
            return link;
    return nullptr;
}

// The entry before `link` in its list (the next younger record); null at the front.
knot* youngerEntry(const knot* link)
{
    knotLink* previous = link->getPrev();
    return previous != nullptr ? previous->asKnot() : nullptr;
}

// Calls `visit` with every vertex of the record, those selected first, then those reached
// through selected objects.
template <class Visit>
void forEachVertex(VornModifier* record, Visit visit)
{
    for (knotList* list : {&record->selectedVertices, &record->linkedVertices})
        for (knot* link = list->getFirst(); link != nullptr; link = link->getNext())
            if (VornVertex* vertex = vertexOf(link))
                visit(*vertex);
}

void transformState(const TransformParameters& parameters, Vector3& position, Matrix3x3& orientation)
{
    parameters.pointMatrix.transformPoint(position);
    for (Vector3& axis : orientation.rows)
        parameters.axesMatrix.transformPoint(axis);
}

// The document interface that holds the record; null for a record outside a document.
MAI_Doc* hostOf(VornModifier* record)
{
    VornDocument* document = record != nullptr ? record->getDocument() : nullptr;
    return document != nullptr ? dynamic_cast<MAI_Doc*>(document->getHost()) : nullptr;
}

const TransformModifierTexts scaleTexts = {
    "Scale",
    "Modifier Scale:\nInterface to the scaling of objects.",
    "Modifier Scale",
    "&Modify\\&Scale",
    "Scale",
    TransformImage::ScaleButton,
    TransformImage::ScaleHistory,
    2,
    "move/rotate/SCALE",
    "PluginModifierScale::GetPackagedPlugin",
};

const TransformModifierTexts rotateTexts = {
    "Rotate",
    "Modifier Rotate:\nInterface to rotation of objects.",
    "Modifier Rotate",
    "&Modify\\&Rotate",
    "Rotate",
    TransformImage::RotateButton,
    TransformImage::RotateHistory,
    1,
    "move/ROTATE/scale",
    "PluginModifierRotate::GetPackagedPlugin",
};

const TransformModifierTexts moveTexts = {
    "Move",
    "Modifier Move:\nInterface to translation of objects.",
    "Modifier Move",
    "&Modify\\&Move",
    "Move",
    TransformImage::MoveButton,
    TransformImage::MoveHistory,
    0,
    "MOVE/rotate/scale",
    "PluginModifierMove::GetPackagedPlugin",
};

} // namespace

// ---- the shared behaviour ----

PluginModifierTransform::PluginModifierTransform(const TransformModifierTexts& texts) : texts(texts)
{
}

void PluginModifierTransform::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, texts.aboutCaption, std::string(texts.aboutCaption) + "\n1999");
}

template <class Plugin, class... Arguments>
Plugin* PluginModifierTransform::makePackaged(Arguments... arguments)
{
    Plugin* plugin = new (std::nothrow) Plugin(arguments...);
    if (plugin == nullptr)
        throw Exc_OutOfMemory(texts.packagingThrower);
    return package(plugin);
}

VornPluginBase* PluginModifierTransform::GetPackagedPlugin(uint32_t index)
{
    if (index != 0)
        return packageMore(index);
    auto* item = makePackaged<PluginMenuItemModifier>(this, texts.menuPath, texts.buttonText, texts.bitmapId);
    menuItem = item;
    return item;
}

bool PluginModifierTransform::buildMatrices(VornModifier* record)
{
    return record != nullptr && rebuildTransformMatrices(*record);
}

PluginModifierTransform* PluginModifierTransform::transformOf(const VornModifier* record)
{
    if (record == nullptr || record->modifierPlugin == nullptr)
        return nullptr;
    const ModifierApplier* plugin = record->modifierPlugin;
    for (PluginModifierTransform* transform : std::initializer_list<PluginModifierTransform*>{
             PluginModifierMove::instance, PluginModifierRotate::instance, PluginModifierScale::instance})
        if (transform != nullptr && plugin == static_cast<const ModifierApplier*>(transform))
            return transform;
    return nullptr;
}

bool PluginModifierTransform::isTransformRecord(const VornModifier* record)
{
    return transformOf(record) != nullptr;
}

void PluginModifierTransform::markObjects(VornModifier* record, bool marked)
{
    for (knotList* list : {&record->selectedVertices, &record->linkedVertices, &record->otherModifiables})
        for (knot* link = list->getFirst(); link != nullptr; link = link->getNext())
            marked ? objectOf(link)->setFlagBits(VornFlag::UnderModifier)
                   : objectOf(link)->clearFlagBits(VornFlag::UnderModifier);
}

std::string PluginModifierTransform::lockText()
{
    return documentLockWaitingText(texts.name);
}

void PluginModifierTransform::sendHistoryChanged()
{
    if (mai != nullptr)
        mai->notifierRegistry.notify(Channel::ModifierHistoryChanged, nullptr);
}

VornModifier* PluginModifierTransform::activate(MAI_Doc* document, VornModifier* record, uint32_t)
{
    if (document == nullptr)
        return nullptr;
    VornSelection* selection = document->document.getSelection();
    if (record == nullptr && (selection == nullptr || selection->isEmpty()))
        return nullptr;
    const DocumentChangeLock lock(document, lockText().c_str(), lockTimeout);
    if (!lock)
        return nullptr;
    if (record == nullptr)
        record = makeRecord(document, selection);
    else
        markObjects(record, true);
    if (record != nullptr)
        rebuildBase(record);
    return record;
}

VornModifier* PluginModifierTransform::makeRecord(MAI_Doc* document, VornSelection* selection)
{
    BlockList<VornModifier>* records = listOf<VornModifier>(document, modifierListName);
    if (records == nullptr)
        return nullptr;
    VornModifier* record = records->add();
    if (record == nullptr)
        return nullptr;
    record->modifierPlugin = this;
    record->parameters.reallocate(transformParameterWords);
    if (!writeTransformParameters(*record, TransformParameters::neutral()))
    {
        record->removeFromList();
        return nullptr;
    }

    // The selected vertices and the other selected modifiables, then the vertices those reach.
    knotManager* knots = knotManager::instance();
    Vector3 sum(0, 0, 0);
    int32_t vertexCount = 0;
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
    {
        VornSelectable* object = VornSelection::objectOf(link);
        auto* modifiable = dynamic_cast<VornModifiable*>(object);
        if (modifiable == nullptr || !object->isKindOf(VornModifiable::staticTypeID()))
            continue;
        if (auto* vertex = dynamic_cast<VornVertex*>(modifiable))
        {
            knots->link(&record->selectedVertices, &vertex->modifiers);
            sum += vertex->getPosition();
            ++vertexCount;
        }
        else
            knots->link(&record->otherModifiables, &modifiable->modifiers);
    }
    const int32_t vertexType = VornVertex::staticTypeID();
    for (knotList* list : {&record->selectedVertices, &record->otherModifiables})
        for (knot* link = list->getFirst(); link != nullptr; link = link->getNext())
        {
            VornBaseObject* object = objectOf(link);
            for (int32_t index = object->getLinkCount(vertexType) - 1; index >= 0; --index)
            {
                auto* vertex = dynamic_cast<VornVertex*>(object->getLinkedObject(vertexType, index));
                if (vertex == nullptr || listHolds(record->selectedVertices, vertex) ||
                    listHolds(record->linkedVertices, vertex))
                    continue;
                knots->link(&record->linkedVertices, &vertex->modifiers);
                vertex->setFlagBits(VornFlag::UnderModifier);
                sum += vertex->getPosition();
                ++vertexCount;
            }
        }
    if (record->selectedVertices.isEmpty() && record->linkedVertices.isEmpty())
    {
        record->removeFromList();
        if (mai != nullptr)
            mai->beep();
        return nullptr;
    }

    // The youngest record the vertices had before is kept when it is a transform record of
    // exactly these vertices: moving and then rotating one selection makes one record.
    knot* first = record->selectedVertices.getFirst() != nullptr ? record->selectedVertices.getFirst()
                                                                 : record->linkedVertices.getFirst();
    VornVertex* firstVertex = vertexOf(first);
    knot* ownEntry = firstVertex != nullptr ? entryOf(*firstVertex, record) : nullptr;
    VornModifier* previous =
        ownEntry != nullptr && ownEntry->getNext() != nullptr ? recordOf(ownEntry->getNext()) : nullptr;
    bool reuse = previous != nullptr && isTransformRecord(previous);
    int32_t previousCount = 0;
    if (reuse)
        for (knotList* list : {&previous->selectedVertices, &previous->linkedVertices})
            for (knot* link = list->getFirst(); link != nullptr && reuse; link = link->getNext())
            {
                auto* modifiable = dynamic_cast<VornModifiable*>(objectOf(link));
                reuse = modifiable != nullptr && modifiable->modifiers.getFirst() != nullptr &&
                    modifiable->modifiers.getFirst()->getObject() == record;
                ++previousCount;
            }
    if (reuse && previousCount == vertexCount)
    {
        markObjects(record, false);
        // The new record is the list's last element: removing it moves no other record.
        record->removeFromList();
        markObjects(previous, true);
        if (previous->modifierPlugin != this)
        {
            previous->modifierPlugin = this;
            sendHistoryChanged();
        }
        return previous;
    }

    const double share = 1.0 / static_cast<double>(vertexCount);
    record->pivot = Vector3(sum.x * share, sum.y * share, sum.z * share);
    buildMatrices(record);
    document->setActiveModifier(record);
    sendHistoryChanged();
    return record;
}

void PluginModifierTransform::deactivate(MAI_Doc* document)
{
    VornModifier* active = document != nullptr ? document->getActiveModifier() : nullptr;
    if (active == nullptr || active->modifierPlugin != this)
        return;
    const DocumentChangeLock lock(document, lockText().c_str(), lockTimeout);
    if (lock)
        markObjects(active, false);
}

void PluginModifierTransform::applyToBase(VornModifier* record, VornModifiable* object)
{
    auto* vertex = dynamic_cast<VornVertex*>(object);
    TransformParameters parameters{};
    if (record == nullptr || vertex == nullptr || record->isDisabled() || !readTransformParameters(*record, parameters))
        return;
    transformState(parameters, vertex->getBasePosition(), vertex->getBaseOrientation());
}

void PluginModifierTransform::applyToCurrent(VornModifier* record, VornModifiable* object)
{
    auto* vertex = dynamic_cast<VornVertex*>(object);
    TransformParameters parameters{};
    if (record == nullptr || vertex == nullptr || record->isDisabled() || !readTransformParameters(*record, parameters))
        return;
    transformState(parameters, vertex->getModifiedPosition(), vertex->getModifiedOrientation());
}

void PluginModifierTransform::rebuildBase(VornModifier* record)
{
    if (record == nullptr)
        return;
    const DocumentChangeLock lock(hostOf(record), lockText().c_str(), lockTimeout);
    if (hostOf(record) != nullptr && !lock)
        return;
    forEachVertex(record, [record](VornVertex& vertex) {
        // A vertex whose list lacks the record has no place for it in its history: left alone.
        knot* own = entryOf(vertex, record);
        if (own == nullptr)
            return;
        vertex.resetToCreation();
        for (knot* link = vertex.modifiers.getLast(); link != nullptr && link != own; link = youngerEntry(link))
        {
            VornModifier* older = recordOf(link);
            if (older != nullptr && older->modifierPlugin != nullptr)
                older->modifierPlugin->applyToBase(older, &vertex);
        }
    });
}

void PluginModifierTransform::updateModifier(VornModifier* record)
{
    TransformParameters parameters{};
    if (record == nullptr || !readTransformParameters(*record, parameters))
        return;
    const DocumentChangeLock lock(hostOf(record), lockText().c_str(), lockTimeout);
    if (hostOf(record) != nullptr && !lock)
        return;
    forEachVertex(record, [record, &parameters](VornVertex& vertex) {
        knot* own = entryOf(vertex, record);
        if (own == nullptr)
            return;
        vertex.getModifiedPosition() = vertex.getBasePosition();
        vertex.getModifiedOrientation() = vertex.getBaseOrientation();
        if (!record->isDisabled())
            transformState(parameters, vertex.getModifiedPosition(), vertex.getModifiedOrientation());
        for (knot* link = youngerEntry(own); link != nullptr; link = youngerEntry(link))
        {
            VornModifier* younger = recordOf(link);
            if (younger != nullptr && younger->modifierPlugin != nullptr)
                younger->modifierPlugin->applyToCurrent(younger, &vertex);
        }
        vertex.reapplyModifiers();
    });
}

// ---- the three modifiers ----

PluginModifierScale* PluginModifierScale::instance = nullptr;
PluginModifierRotate* PluginModifierRotate::instance = nullptr;
PluginModifierMove* PluginModifierMove::instance = nullptr;

PluginModifierScale::PluginModifierScale() : PluginModifierTransform(scaleTexts)
{
    instance = this;
}

PluginModifierScale::~PluginModifierScale()
{
    if (instance == this)
        instance = nullptr;
}

PluginModifierRotate::PluginModifierRotate() : PluginModifierTransform(rotateTexts)
{
    instance = this;
}

PluginModifierRotate::~PluginModifierRotate()
{
    if (instance == this)
        instance = nullptr;
}

PluginModifierMove::PluginModifierMove() : PluginModifierTransform(moveTexts)
{
    instance = this;
}

PluginModifierMove::~PluginModifierMove()
{
    if (instance == this)
        instance = nullptr;
}

void PluginModifierMove::registerPluginTypes(PluginManager* registry)
{
    transformPagettes = nullptr;
    registry->addPluginType(&transformPagettes, "Transform Pagette", this);
}

VornPluginBase* PluginModifierMove::packageMore(uint32_t index)
{
    if (index != 1)
        return nullptr;
    auto* pagette = makePackaged<PluginModifierPageTransformProperties>();
    addPagette(pagette);
    return pagette;
}

// ---- pictures ----

// clang-format off
void registerTransformModifierImages()
{
    // Four arrows out of a centre.
    registerMenuItemImage(TransformImage::MoveButton, {
        "................",
        ".......k........",
        "......kkk.......",
        ".....kkkkk......",
        ".......k........",
        "..k....k....k...",
        ".kk....k....kk..",
        "kkkkkkkkkkkkkkk.",
        ".kk....k....kk..",
        "..k....k....k...",
        ".......k........",
        ".....kkkkk......",
        "......kkk.......",
        ".......k........",
        "................",
        "................",
    });
    // A turning arrow.
    registerMenuItemImage(TransformImage::RotateButton, {
        "................",
        ".....kkkkk......",
        "...kk.....kk....",
        "..k.........k...",
        ".k...........k..",
        ".k...........k..",
        "k.............k.",
        "k.............k.",
        "k..........kkkkk",
        "k...........kkk.",
        ".k...........k..",
        ".k..............",
        "..k.............",
        "...kk...........",
        ".....kkkk.......",
        "................",
    });
    // A small and a large square.
    registerMenuItemImage(TransformImage::ScaleButton, {
        "................",
        ".kkkkkkkkkkkkkk.",
        ".k............k.",
        ".k............k.",
        ".k............k.",
        ".k............k.",
        ".k............k.",
        ".k............k.",
        ".kkkkkk.......k.",
        ".k....k.......k.",
        ".k....k.......k.",
        ".k....k.......k.",
        ".k....k.......k.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    });
    registerMenuItemImage(TransformImage::MoveHistory, {
        "................",
        ".......b........",
        "......bbb.......",
        ".....b.b.b......",
        ".......b........",
        "..b....b....b...",
        ".b.....b.....b..",
        "bbbbbbbbbbbbbbb.",
        ".b.....b.....b..",
        "..b....b....b...",
        ".......b........",
        ".....b.b.b......",
        "......bbb.......",
        ".......b........",
        "................",
        "................",
    });
    registerMenuItemImage(TransformImage::RotateHistory, {
        "................",
        ".....rrrrr......",
        "...rr.....rr....",
        "..r.........r...",
        ".r...........r..",
        ".r...........r..",
        "r.............r.",
        "r.............r.",
        "r..........rrrrr",
        "r...........rrr.",
        ".r...........r..",
        ".r..............",
        "..r.............",
        "...rr...........",
        ".....rrrr.......",
        "................",
    });
    registerMenuItemImage(TransformImage::ScaleHistory, {
        "................",
        ".GGGGGGGGGGGGGG.",
        ".G............G.",
        ".G............G.",
        ".G............G.",
        ".G............G.",
        ".G............G.",
        ".G............G.",
        ".GGGGGG.......G.",
        ".G....G.......G.",
        ".G....G.......G.",
        ".G....G.......G.",
        ".G....G.......G.",
        ".GGGGGGGGGGGGGG.",
        "................",
        "................",
    });
}
// clang-format on

} // namespace lumbra
