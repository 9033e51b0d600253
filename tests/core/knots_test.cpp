#include "Knots/knotManager.h"
#include "VornData/generalException.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

knotManager& sharedPool()
{
    if (!knotManager::hasInstance())
        knotManager::initiate();
    return *knotManager::instance();
}

// Who was told what, kept outside the owners so that it survives them.
struct RemovalLog
{
    std::vector<std::pair<knotOwner*, knotLink*>> calls;
    int countFor(const knotOwner* owner) const
    {
        int count = 0;
        for (const auto& call : calls)
            count += call.first == owner ? 1 : 0;
        return count;
    }
};

// A model object in miniature: a pooled list, a list of embedded knots, its own embedded knot and
// a reference list.
class TestObject : public knotOwner
{
public:
    explicit TestObject(RemovalLog* log = nullptr) : log(log) {}

    void knotRemoved(knotLink* link) override
    {
        if (log != nullptr)
            log->calls.emplace_back(this, link);
    }
    knotList* getReferenceList() override { return &references; }

    RemovalLog* log;
    knotList links{this, knotKind::pooled};
    knotList children{this, knotKind::embedded};
    knotList references{this, knotKind::embedded};
    knot ownKnot{this};
};

std::vector<knotOwner*> objectsOf(const knotList& list)
{
    std::vector<knotOwner*> objects;
    for (knotIterator walk(&list); walk.isValid(); walk.next())
        objects.push_back(walk.getObject());
    return objects;
}

// Every knot of the list is linked both ways, and a pooled knot's partner points back at it.
void expectChainSound(const knotList& list)
{
    const knotLink* previous = &list;
    for (knot* link = list.getFirst(); link != nullptr; link = link->getNext())
    {
        EXPECT_EQ(link->getPrev(), previous);
        if (link->getPartner() != nullptr)
        {
            EXPECT_EQ(link->getPartner()->getPartner(), link);
            EXPECT_EQ(link->getPartner()->getObject(), list.getOwner());
        }
        previous = link;
    }
}

class KnotTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(pool.getUsed(), 0u);
        ASSERT_EQ(pool.getDefragLockCount(), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(pool.getUsed(), 0u) << "knots left in the pool";
        EXPECT_EQ(pool.getDefragLockCount(), 0);
    }

    knotManager& pool = sharedPool();
    RemovalLog log;
};

TEST_F(KnotTest, LinkPutsAPairIntoBothListsNamingEachOthersOwner)
{
    TestObject a(&log), b(&log);
    pool.link(&a.links, &b.links);
    ASSERT_NE(a.links.getFirst(), nullptr);
    ASSERT_NE(b.links.getFirst(), nullptr);
    EXPECT_EQ(a.links.getFirst()->getObject(), &b);
    EXPECT_EQ(b.links.getFirst()->getObject(), &a);
    EXPECT_EQ(a.links.getFirst()->getPartner(), b.links.getFirst());
    EXPECT_EQ(pool.getUsed(), 2u);
    a.links.removeAllLinks();
}

TEST_F(KnotTest, RemovingEitherSideEmptiesBothListsAndTellsBothOwners)
{
    for (bool fromA : {true, false})
    {
        SCOPED_TRACE(fromA ? "removed from a" : "removed from b");
        RemovalLog calls;
        TestObject a(&calls), b(&calls);
        pool.link(&a.links, &b.links);
        (fromA ? a : b).links.getFirst()->remove();
        EXPECT_TRUE(a.links.isEmpty());
        EXPECT_TRUE(b.links.isEmpty());
        EXPECT_EQ(pool.getUsed(), 0u);
        ASSERT_EQ(calls.calls.size(), 2u);
        EXPECT_EQ(calls.countFor(&a), 1);
        EXPECT_EQ(calls.countFor(&b), 1);
        for (const auto& [owner, link] : calls.calls)
            EXPECT_EQ(link, &static_cast<TestObject*>(owner)->links);
    }
}

TEST_F(KnotTest, LinksThatWouldMakeAnObjectItsOwnPartnerAreRefused)
{
    TestObject a, b;
    knotList second(&a, knotKind::pooled);
    EXPECT_THROW(pool.link(&a.links, &a.links), Exc_InternalError);
    EXPECT_THROW(pool.link(&a.links, &second), Exc_InternalError);
    EXPECT_THROW(pool.link(&a.links, &b.children), Exc_InternalError);
    EXPECT_EQ(pool.getUsed(), 0u);
}

TEST_F(KnotTest, AOneSidedLinkNamesItsObjectAndIsRemovedAlone)
{
    TestObject list, named;
    knot* link = pool.addObject(&list.links, &named);
    EXPECT_EQ(link->getObject(), &named);
    EXPECT_EQ(link->getPartner(), nullptr);
    EXPECT_EQ(pool.getUsed(), 1u);
    link->remove();
    EXPECT_TRUE(list.links.isEmpty());
}

TEST_F(KnotTest, AnotherPoolCannotLinkAndAPoolWithoutBlocksHandsOutNothing)
{
    knotManager other;
    TestObject a, b;
    EXPECT_THROW(other.link(&a.links, &b.links), Exc_InternalError);
    EXPECT_THROW(other.addObject(&a.links, &b), Exc_InternalError);
    other.getKnot();
    other.getKnot();
    EXPECT_EQ(other.getUsed(), 2u);
    other.deleteLastBlock();
    EXPECT_EQ(other.getUsed(), 0u);
    EXPECT_EQ(other.getCapacity(), 0u);
    EXPECT_THROW(other.getKnot(), Exc_InternalError);
    EXPECT_THROW(other.deleteLastBlock(), Exc_InternalError);
}

TEST_F(KnotTest, ReleasingAKnotMovesTheTopKnotIntoItsSlotKeepingEveryChainSound)
{
    TestObject hub, first, second, third;
    pool.link(&hub.links, &first.links);
    pool.link(&hub.links, &second.links);
    pool.link(&hub.links, &third.links);
    knot* top = third.links.getFirst(); // the last knot taken
    first.links.getFirst()->remove();
    // The two holes of the first pair are filled by the two top knots, one of them the third's.
    EXPECT_NE(third.links.getFirst(), top);
    EXPECT_EQ(objectsOf(hub.links), (std::vector<knotOwner*>{&third, &second}));
    for (const knotList* list : {&hub.links, &second.links, &third.links})
        expectChainSound(*list);
    EXPECT_EQ(pool.getUsed(), 4u);
    hub.links.removeAllLinks();
}

TEST_F(KnotTest, PoolGrowsByBlocksOf1024AndGivesBackASpareBeyondABlockAndAQuarter)
{
    TestObject a, b;
    ASSERT_EQ(pool.getCapacity(), 1024u);
    for (int pair = 0; pair < 513; ++pair)
        pool.link(&a.links, &b.links);
    EXPECT_EQ(pool.getUsed(), 1026u);
    EXPECT_EQ(pool.getCapacity(), 2048u);
    EXPECT_EQ(pool.getBlockCount(), 2u);

    // Back below the boundary and up again: the spare block is reused, nothing is allocated.
    a.links.getFirst()->remove();
    a.links.getFirst()->remove();
    EXPECT_EQ(pool.getUsed(), 1022u);
    EXPECT_EQ(pool.getCapacity(), 2048u);
    pool.link(&a.links, &b.links);
    pool.link(&a.links, &b.links);
    EXPECT_EQ(pool.getCapacity(), 2048u);

    // 768 used leaves exactly 1280 free: the spare stays; one pair fewer and it goes.
    while (pool.getUsed() > 768)
        a.links.getFirst()->remove();
    EXPECT_EQ(pool.getCapacity(), 2048u);
    a.links.getFirst()->remove();
    EXPECT_EQ(pool.getUsed(), 766u);
    EXPECT_EQ(pool.getCapacity(), 1024u);
    expectChainSound(a.links);
    expectChainSound(b.links);

    // With a single block, no block is ever given back.
    a.links.removeAllLinks();
    EXPECT_EQ(pool.getCapacity(), 1024u);
    EXPECT_TRUE(b.links.isEmpty());
}

TEST_F(KnotTest, UnderADefragLockRemovedKnotsStayParkedUntilTheLastUnlock)
{
    TestObject a, b;
    for (int pair = 0; pair < 4; ++pair)
        pool.link(&a.links, &b.links);
    knot* held = a.links.getLast();
    {
        knotDefragLock outer;
        pool.lockDefrag();
        a.links.getFirst()->remove();
        a.links.getFirst()->remove();
        EXPECT_EQ(pool.getUsed(), 8u);
        EXPECT_EQ(objectsOf(a.links).size(), 2u);
        EXPECT_EQ(a.links.getLast(), held); // nothing moved
        pool.unlockDefrag();
        EXPECT_EQ(pool.getUsed(), 8u);
    }
    EXPECT_EQ(pool.getUsed(), 4u);
    expectChainSound(a.links);
    expectChainSound(b.links);
    EXPECT_THROW(pool.unlockDefrag(), Exc_InternalError);
    a.links.removeAllLinks();
}

// An owner that ends its other links when one of its lists empties: a cascade inside a removal.
class CascadingObject : public TestObject
{
public:
    void knotRemoved(knotLink* link) override
    {
        if (link == &links)
            others.removeAllLinks();
    }
    knotList others{this, knotKind::pooled};
};

TEST_F(KnotTest, ARemovalThatCascadesThroughAnOwnerKeepsThePoolSound)
{
    TestObject a, c, d;
    CascadingObject b;
    pool.link(&c.links, &b.others);
    pool.link(&a.links, &b.links);
    pool.link(&d.links, &b.others);
    a.links.getFirst()->remove(); // b's list empties, b removes its other links
    EXPECT_TRUE(b.others.isEmpty());
    EXPECT_TRUE(c.links.isEmpty());
    EXPECT_TRUE(d.links.isEmpty());
}

TEST_F(KnotTest, IteratorRemovesTheCurrentKnotAndStaysOnTheNextAcrossCompaction)
{
    TestObject hub;
    std::vector<std::unique_ptr<TestObject>> others;
    for (int i = 0; i < 6; ++i)
    {
        others.push_back(std::make_unique<TestObject>());
        pool.link(&hub.links, &others.back()->links);
    }
    // The list is newest first: 5 4 3 2 1 0. Remove 5, 3 and 1.
    knotIterator walk(&hub.links);
    while (walk.isValid())
    {
        walk.removeCurrent();
        walk.next();
    }
    EXPECT_EQ(objectsOf(hub.links), (std::vector<knotOwner*>{others[4].get(), others[2].get(), others[0].get()}));
    expectChainSound(hub.links);
    hub.links.removeAllLinks();
}

TEST_F(KnotTest, IteratorWalksBackwardToTheListHeadAndFinds)
{
    TestObject hub, x, y, z;
    pool.link(&hub.links, &x.links);
    pool.link(&hub.links, &y.links);
    pool.link(&hub.links, &z.links); // list: z y x

    knotIterator walk(&hub.links);
    walk.toLast();
    std::vector<knotOwner*> oldestFirst;
    while (walk.isValid())
    {
        oldestFirst.push_back(walk.getObject());
        walk.previous();
    }
    EXPECT_EQ(oldestFirst, (std::vector<knotOwner*>{&x, &y, &z}));
    ASSERT_NE(walk.getCurrent(), nullptr);
    EXPECT_TRUE(walk.getCurrent()->isListHead());
    EXPECT_EQ(walk.getCurrent(), &hub.links);

    walk.setList(&hub.links);
    walk.next();
    EXPECT_EQ(walk.getList(), &hub.links);
    EXPECT_FALSE(walk.findForward(&z)); // behind: stays put
    EXPECT_EQ(walk.getObject(), &y);
    EXPECT_TRUE(walk.find(&z));
    EXPECT_EQ(walk.getObject(), &z);
    EXPECT_FALSE(walk.find(&hub));
    EXPECT_EQ(walk.getObject(), &z);
    walk.toLast();
    walk.toFirst();
    EXPECT_EQ(walk.getObject(), &z);
    EXPECT_FALSE(knotIterator(&x.children).isValid());
    hub.links.removeAllLinks();
}

TEST_F(KnotTest, EmbeddedKnotsMoveBetweenListsAndNameTheirListOwner)
{
    TestObject group1, group2, child;
    linkOwnedKnot(&group1.children, &child.ownKnot);
    EXPECT_EQ(child.ownKnot.getListOwner(), &group1);
    EXPECT_EQ(objectsOf(group1.children), std::vector<knotOwner*>{&child});

    linkOwnedKnot(&group2.children, &child.ownKnot); // moves it
    EXPECT_TRUE(group1.children.isEmpty());
    EXPECT_EQ(child.ownKnot.getListOwner(), &group2);
    EXPECT_EQ(child.ownKnot.findList(), &group2.children);

    child.ownKnot.unlink();
    EXPECT_FALSE(child.ownKnot.isInChain());
    EXPECT_EQ(child.ownKnot.getListOwner(), nullptr);
    EXPECT_EQ(pool.getUsed(), 0u);
}

TEST_F(KnotTest, EmbeddedOperationsRefuseSelfListingAndTheWrongKindOfList)
{
    TestObject group, other;
    EXPECT_THROW(group.children.insertOwned(&group.ownKnot), Exc_InternalError);
    EXPECT_THROW(group.links.insertOwned(&other.ownKnot), Exc_InternalError);
    EXPECT_THROW(other.ownKnot.remove(), Exc_InternalError);
    EXPECT_TRUE(group.children.isEmpty());
    EXPECT_FALSE(other.ownKnot.isInChain());
}

TEST_F(KnotTest, NotifyingFormsTellTheKnotsObjectWhenItLosesItsListOwner)
{
    TestObject target(&log), tracer1(&log), tracer2(&log);
    linkOwnedKnotNotify(&target.references, &tracer1.ownKnot);
    linkOwnedKnotNotify(&target.references, &tracer2.ownKnot);
    log.calls.clear();
    target.references.clearOwnedNotify();
    EXPECT_EQ(log.countFor(&tracer1), 1);
    EXPECT_EQ(log.countFor(&tracer2), 1);
    EXPECT_EQ(log.countFor(&target), 1); // its list emptied
    EXPECT_EQ(tracer1.ownKnot.getListOwner(), nullptr);

    // The quiet form tells only the list owner.
    linkOwnedKnot(&target.children, &tracer1.ownKnot);
    log.calls.clear();
    target.children.clearOwned();
    EXPECT_EQ(log.countFor(&tracer1), 0);
    EXPECT_EQ(log.countFor(&target), 1);
}

TEST_F(KnotTest, MovingListsRenamesTheOwnerOnTheOtherSide)
{
    TestObject oldSlot(&log), newSlot(&log), partner, child1, child2;
    pool.link(&oldSlot.links, &partner.links);
    linkOwnedKnot(&oldSlot.children, &child1.ownKnot);
    linkOwnedKnot(&oldSlot.children, &child2.ownKnot);
    log.calls.clear();

    oldSlot.links.moveLinkedTo(&newSlot.links, &newSlot);
    oldSlot.children.moveOwnedTo(&newSlot.children, &newSlot);
    EXPECT_TRUE(log.calls.empty()); // a move tells nobody
    EXPECT_TRUE(oldSlot.links.isEmpty());
    EXPECT_EQ(oldSlot.links.getOwner(), &oldSlot);
    EXPECT_EQ(partner.links.getFirst()->getObject(), &newSlot);
    EXPECT_EQ(child1.ownKnot.getListOwner(), &newSlot);
    EXPECT_EQ(child2.ownKnot.getListOwner(), &newSlot);
    expectChainSound(newSlot.links);
    expectChainSound(newSlot.children);

    // A list is only moved onto an empty head.
    pool.link(&oldSlot.links, &partner.links);
    EXPECT_THROW(oldSlot.links.moveLinkedTo(&newSlot.links, &newSlot), Exc_InternalError);

    // Moving a single knot: it takes the old one's place and owner.
    knot replacement(&child1);
    child1.ownKnot.moveTo(&replacement, &child1);
    EXPECT_FALSE(child1.ownKnot.isInChain());
    EXPECT_EQ(child1.ownKnot.getObject(), &child1) << "an embedded knot keeps naming the object it is a field of";
    EXPECT_EQ(replacement.getListOwner(), &newSlot);
    EXPECT_EQ(objectsOf(newSlot.children), (std::vector<knotOwner*>{&child2, &child1}));
    expectChainSound(newSlot.children);
    replacement.unlink();

    // Moving onto no owner tells the knots in the notifying form.
    RemovalLog told;
    TestObject tracer(&told);
    linkOwnedKnot(&newSlot.references, &tracer.ownKnot);
    knotList parked(nullptr, knotKind::embedded);
    newSlot.references.moveOwnedNotifyTo(&parked, nullptr);
    EXPECT_EQ(told.countFor(&tracer), 1);
    EXPECT_EQ(tracer.ownKnot.getListOwner(), nullptr);
    parked.clearOwned();

    newSlot.links.removeAllLinks();
    oldSlot.links.removeAllLinks();
    newSlot.children.clearOwned();
}

TEST_F(KnotTest, AppendJoinsOnlyListsOfOneOwner)
{
    TestObject owner(&log), other, c1, c2, c3;
    knotList second(&owner, knotKind::embedded);
    linkOwnedKnot(&owner.children, &c1.ownKnot);
    linkOwnedKnot(&second, &c2.ownKnot);
    linkOwnedKnot(&second, &c3.ownKnot);
    log.calls.clear();
    owner.children.append(&second);
    EXPECT_EQ(objectsOf(owner.children), (std::vector<knotOwner*>{&c1, &c3, &c2}));
    EXPECT_TRUE(second.isEmpty());
    EXPECT_EQ(log.countFor(&owner), 1); // the emptied list told its owner
    expectChainSound(owner.children);

    EXPECT_THROW(owner.children.append(&owner.children), Exc_InternalError);
    EXPECT_THROW(owner.children.append(&other.children), Exc_InternalError);
    EXPECT_THROW(owner.children.append(&owner.links), Exc_InternalError);
    owner.children.clearOwned();
}

TEST_F(KnotTest, AListDestroyedWhileHoldingKnotsLeavesThePoolAndThePartnersIntact)
{
    TestObject child1(&log), child2(&log), partner1(&log), partner2(&log);
    auto owner = std::make_unique<TestObject>(&log);
    const knotOwner* ownerAddress = owner.get();
    linkOwnedKnot(&owner->children, &child1.ownKnot);
    linkOwnedKnot(&owner->children, &child2.ownKnot);
    linkOwnedKnotNotify(&owner->references, &partner2.ownKnot);
    pool.link(&owner->links, &partner1.links);
    pool.link(&owner->links, &partner2.links);
    pool.link(&partner1.links, &partner2.links); // a link that must survive
    log.calls.clear();

    owner.reset();

    EXPECT_EQ(log.countFor(ownerAddress), 0); // the owner was being destroyed
    EXPECT_EQ(pool.getUsed(), 2u);
    for (TestObject* child : {&child1, &child2})
    {
        EXPECT_FALSE(child->ownKnot.isInChain());
        EXPECT_EQ(child->ownKnot.getListOwner(), nullptr);
    }
    EXPECT_EQ(partner2.ownKnot.getListOwner(), nullptr);
    EXPECT_EQ(objectsOf(partner1.links), std::vector<knotOwner*>{&partner2});
    EXPECT_EQ(objectsOf(partner2.links), std::vector<knotOwner*>{&partner1});
    expectChainSound(partner1.links);
    expectChainSound(partner2.links);
    partner1.links.removeAllLinks();
}

TEST_F(KnotTest, AnEmbeddedKnotDestroyedInAListLeavesItsNeighboursJoined)
{
    TestObject group(&log), first, last;
    auto middle = std::make_unique<TestObject>();
    linkOwnedKnot(&group.children, &last.ownKnot);
    linkOwnedKnot(&group.children, &middle->ownKnot);
    linkOwnedKnot(&group.children, &first.ownKnot);
    middle.reset();
    EXPECT_EQ(objectsOf(group.children), (std::vector<knotOwner*>{&first, &last}));
    expectChainSound(group.children);
    group.children.clearOwned();
}

TEST_F(KnotTest, AReferenceFollowsItsTargetAndEmptiesWhenTheTargetGoes)
{
    knotReference reference;
    TestObject first, second;
    EXPECT_EQ(reference.get(), nullptr);
    reference.set(&first);
    EXPECT_EQ(reference.get(), &first);
    reference.set(&second);
    EXPECT_EQ(reference.get(), &second);
    EXPECT_TRUE(first.references.isEmpty());
    reference.set(nullptr);
    EXPECT_EQ(reference.get(), nullptr);
    EXPECT_TRUE(second.references.isEmpty());

    auto target = std::make_unique<TestObject>();
    reference.set(target.get());
    target.reset();
    EXPECT_EQ(reference.get(), nullptr);

    knotReference other; // an owner that cannot be referenced
    reference.set(&other);
    EXPECT_EQ(reference.get(), nullptr);
}

} // namespace
