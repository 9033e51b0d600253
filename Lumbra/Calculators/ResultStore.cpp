#include "Lumbra/Calculators/ResultStore.h"

#include "BlockLists/BlockList.h"
#include "BlockLists/BlockListGroup.h"
#include "VornData/CalcResults.h"
#include "VornData/VornDocument.h"
#include "VornData/generalException.h"

namespace lumbra
{

namespace
{

template <class Record>
BlockListBase* createResultList(const char* name, void* owner)
{
    return new BlockList<Record>(name, nullptr, owner);
}

template <class Record>
void resetResultElements(BlockListBase& list)
{
    auto& typed = static_cast<BlockList<Record>&>(list);
    for (uint32_t index = typed.getCount(); index-- > 0;)
        typed[index].setDefaults();
}

// Keeps the document's store; the calculators' items share it.
class ResultStoreItem : public DocumentItem
{
public:
    static constexpr const char* key = "CALCRESULTS";
    const char* getName() const override { return key; }

    std::shared_ptr<ResultStore> store = std::make_shared<ResultStore>();
};

} // namespace

const ResultKind jointDisplacements{0,
                                    "VornJoint",
                                    {"Displacements", "CalcTrgtDisp", "CalcSrceDisp"},
                                    "CalcSrceDisp",
                                    "CalcTrgtDisp",
                                    createResultList<CalcDisplacement>,
                                    resetResultElements<CalcDisplacement>};
const ResultKind memberNormalForces{1,
                                    "VornMember",
                                    {"NForces", "CalcSrceNForce", "CalcTrgtNForce"},
                                    "CalcSrceNForce",
                                    "CalcTrgtNForce",
                                    createResultList<CalcNForce>,
                                    resetResultElements<CalcNForce>};
const ResultKind jointReorientations{2,
                                     "VornJoint",
                                     {"Reorientation", "CalcTrgtReornt", "CalcSrceReornt"},
                                     "CalcSrceReornt",
                                     "CalcTrgtReornt",
                                     createResultList<CalcReorientation>,
                                     resetResultElements<CalcReorientation>};
const ResultKind memberReactions{3,
                                 "VornMember",
                                 {"MReactions", "MReactSrceCalc", "MReactTrgtCalc"},
                                 "MReactSrceCalc",
                                 "MReactTrgtCalc",
                                 createResultList<CalcMReaction>,
                                 resetResultElements<CalcMReaction>};
const ResultKind jointVelocities{jointVelocitiesId,
                                 "VornJoint",
                                 {"JointV", "CalcSrceJointV", "CalcTrgtJointV"},
                                 "CalcSrceJointV",
                                 "CalcTrgtJointV",
                                 createResultList<CalcJointV>,
                                 resetResultElements<CalcJointV>};

bool ResultTriple::attach(BlockListGroup& group)
{
    BlockListBase* parent = group.getBlockList(kind.parentList);
    if (parent == nullptr)
        return false;
    for (int index = 0; index < 3; ++index)
    {
        BlockListBase* list = parent->getChild(kind.names[index]);
        if (list == nullptr)
        {
            list = kind.createList(kind.names[index], nullptr);
            try
            {
                parent->addChild(list);
            }
            catch (...)
            {
                delete list;
                throw;
            }
            for (BlockListBase*& slot : made_)
                if (slot == nullptr)
                {
                    slot = list;
                    break;
                }
        }
        lists_[index] = list;
    }
    published_ = 0;
    source_ = 0;
    target_ = 1;
    return true;
}

ResultTriple::~ResultTriple()
{
    for (BlockListBase* list : made_)
        delete list;
}

void ResultTriple::resetPublished()
{
    source_ = published_;
    kind.resetElements(*published());
}

void ResultTriple::advance()
{
    if (source_ == published_)
    {
        source_ = target_;
        target_ = 3 - published_ - source_;
    }
    else
        std::swap(source_, target_);
    nameRoles();
}

void ResultTriple::publish()
{
    published_ = source_;
    nameRoles();
}

void ResultTriple::nameRoles()
{
    for (int index = 0; index < 3; ++index)
    {
        // The list that is neither published nor target carries the source name, also right after
        // a publish, when it is the list published before.
        const char* name = index == published_ ? kind.names[0] : index == target_ ? kind.targetName : kind.sourceName;
        lists_[index]->setName(name);
    }
}

std::shared_ptr<ResultStore> ResultStore::of(VornDocument& document)
{
    auto* item = static_cast<ResultStoreItem*>(document.getDocumentItem(ResultStoreItem::key));
    if (item == nullptr)
    {
        auto made = std::make_unique<ResultStoreItem>();
        document.addDocumentItem(made.get());
        item = made.release();
    }
    return item->store;
}

std::shared_ptr<ResultStore> ResultStore::find(VornDocument& document)
{
    auto* item = static_cast<ResultStoreItem*>(document.getDocumentItem(ResultStoreItem::key));
    return item != nullptr ? item->store : nullptr;
}

ResultTriple& ResultStore::triple(int32_t id)
{
    if (ResultTriple* found = findTriple(id))
        return *found;
    throw Exc_InternalError("ResultStore::triple");
}

ResultTriple* ResultStore::findTriple(int32_t id)
{
    for (ResultTriple& triple : triples_)
        if (triple.kind.id == id)
            return &triple;
    return nullptr;
}

} // namespace lumbra
