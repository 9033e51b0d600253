// Long random sequences of the edits the program makes (create, link, group, select, modify,
// delete, reset): after every edit no link may name a removed element, groups and child lists must
// stay in step, and closing the document must give every knot back to the pool. Deterministic seeds.

#include "tests/core/ModelFixture.h"

#include "VornData/CalcResults.h"
#include "VornData/ModifierApplier.h"

#include <functional>
#include <random>

namespace
{
class ShiftX : public ModifierApplier
{
public:
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable* object) override
    {
        if (auto* vertex = dynamic_cast<VornVertex*>(object))
            vertex->getModifiedPosition().x += 1;
    }
};

class RandomEdits
{
public:
    explicit RandomEdits(uint32_t seed) : random(seed)
    {
        model.joints->addChild(&displacements);
        model.members->addChild(&forces);
    }

    // One edit chosen at random.
    void edit()
    {
        const std::function<void()> edits[] = {
            [&] { model.addJoint(nextName(), random() % 10, random() % 10, random() % 10); },
            [&] { addMember(); },
            [&] { addGroup(); },
            [&] { model.materials->add()->name.set(model.strings(), nextName()); },
            [&] {
                VornCrossSection* section = model.crossSections->add();
                section->shapeData.reallocate(random() % 40 + 1);
                section->setArea(double(random() % 4) - 1); // also areas that are not usable
            },
            [&] { addForce(); },
            [&] { select(); },
            [&] { addModifier(); },
            [&] { removeOne(pick(model.joints)); },
            [&] { removeOne(pick(model.members)); },
            [&] {
                VornGroup* group = pick(model.groups);
                if (group != model.document->getWorldGroup() && (group->isSelected() || random() % 2))
                    group->removeFromList();
            },
            [&] { removeOne(pick(model.materials)); },
            [&] { removeOne(pick(model.crossSections)); },
            [&] { removeOne(pick(model.definitions)); },
            [&] { removeOne(pick(model.modifiers)); },
            [&] {
                if (VornSelection* selection = pick(model.selections))
                    random() % 2 ? selection->clear() : (void)model.document->setSelection(selection);
            },
            [&] { references[random() % std::size(references)].set(pickSelectable()); },
            [&] {
                if (VornJoint* joint = pick(model.joints))
                    joint->applyModifiers();
            },
            [&] {
                if (random() % 10 == 0)
                    model.document->reset();
            },
        };
        edits[random() % std::size(edits)]();
    }

    void expectSound()
    {
        for (uint32_t i = 0; i < model.members->getCount(); ++i)
        {
            const VornMember& member = (*model.members)[i];
            for (const VornBaseObject* linked : {static_cast<const VornBaseObject*>(member.getStartJoint()),
                                                 static_cast<const VornBaseObject*>(member.getEndJoint()),
                                                 static_cast<const VornBaseObject*>(member.getMaterial()),
                                                 static_cast<const VornBaseObject*>(member.getCrossSection())})
                ASSERT_TRUE(!linked || !linked->isRemoved());
        }
        for (uint32_t i = 0; i < model.joints->getCount(); ++i)
            for (knot* link = (*model.joints)[i].members.getFirst(); link; link = link->getNext())
                ASSERT_TRUE(link->getObject() && !static_cast<VornMember*>(link->getObject())->isRemoved());
        for (uint32_t i = 0; i < model.groups->getCount(); ++i)
        {
            VornGroup& group = (*model.groups)[i];
            for (knot* link = group.children.getFirst(); link; link = link->getNext())
            {
                VornSelectable* child = VornGroup::childOf(link);
                ASSERT_TRUE(child && !child->isRemoved() && child->getParentGroup() == &group);
            }
        }
        for (uint32_t i = 0; i < model.selections->getCount(); ++i)
            for (knot* link = (*model.selections)[i].objects.getFirst(); link; link = link->getNext())
                ASSERT_FALSE(VornSelection::objectOf(link)->isRemoved());
        for (uint32_t i = 0; i < model.forces->getCount(); ++i)
        {
            const VornForceInstance& force = (*model.forces)[i];
            ASSERT_TRUE(!force.getJoint() || !force.getJoint()->isRemoved());
        }
        for (knotReference& reference : references)
            ASSERT_TRUE(!reference.get() || !static_cast<VornBaseObject*>(reference.get())->isRemoved());
        ASSERT_EQ(displacements.getCount(), model.joints->getCount());
        ASSERT_EQ(forces.getCount(), model.members->getCount());
        ASSERT_NE(model.document->getWorldGroup(), nullptr);
    }

    // Declared before the document: they outlive it, as a view's references and a calculator's
    // result lists may.
    knotReference references[4];
    BlockList<CalcDisplacement> displacements{"Displacements"};
    BlockList<CalcNForce> forces{"NForces"};
    ModelDocument model;

private:
    const char* nextName()
    {
        name = "o" + std::to_string(++named);
        return name.c_str();
    }
    template <class T>
    T* pick(BlockList<T>* list)
    {
        return list->getCount() ? &(*list)[random() % list->getCount()] : nullptr;
    }
    VornSelectable* pickSelectable()
    {
        switch (random() % 3)
        {
        case 0:
            return pick(model.joints);
        case 1:
            return pick(model.members);
        default:
            return pick(model.groups);
        }
    }
    template <class T>
    static void removeOne(T* object)
    {
        if (object)
            object->removeFromList();
    }

    void addMember()
    {
        VornJoint* start = pick(model.joints);
        VornJoint* end = pick(model.joints);
        if (!start || start == end)
            return;
        VornMember* member = model.members->add();
        member->setStartJoint(start);
        member->setEndJoint(end);
        model.document->getWorldGroup()->addChild(member);
        if (VornMaterial* material = pick(model.materials))
            member->setMaterial(material);
        if (VornCrossSection* section = pick(model.crossSections))
            member->setCrossSection(section);
    }
    void addGroup()
    {
        VornGroup* group = model.groups->add();
        if (!pick(model.groups)->addChild(group))
            model.document->getWorldGroup()->addChild(group);
        for (int child = 0; child < 3; ++child)
            if (VornSelectable* object = pickSelectable(); object && object != model.document->getWorldGroup())
                group->addChild(object);
        if (group->isRemoved())
            return;
        if (group->children.isEmpty())
            group->removeFromList();
        else if (random() % 2)
            group->select();
    }
    void addForce()
    {
        VornForceDefinition* definition = model.definitions->add();
        definition->setVector(1, 2, 3);
        VornForceInstance* force = model.forces->add();
        force->setJoint(pick(model.joints));
        force->setForceDefinition(pick(model.definitions));
    }
    void select()
    {
        VornSelection* selection =
            random() % 3 ? model.document->getModifiableSelection() : model.document->newSelection();
        for (int object = 0; object < 3; ++object)
            if (VornSelectable* selectable = pickSelectable())
                selection->add(selectable);
        if (random() % 4 == 0)
            selection->setNamed(true);
    }
    void addModifier()
    {
        VornModifier* modifier = model.modifiers->add();
        modifier->modifierPlugin = random() % 4 ? &shift : nullptr;
        for (int joint = 0; joint < 2; ++joint)
            if (VornJoint* target = pick(model.joints))
                knotManager::instance()->link(&modifier->selectedVertices, &target->modifiers);
        if (modifier->hasNoObjects())
            modifier->removeFromList();
    }

    std::mt19937 random;
    ShiftX shift;
    std::string name;
    int named = 0;
};
} // namespace

TEST(ModelRandomEdits, EveryEditLeavesTheModelSoundAndClosingFreesEveryKnot)
{
    for (uint32_t seed = 0; seed < 20; ++seed)
    {
        SCOPED_TRACE("seed " + std::to_string(seed));
        {
            RandomEdits edits(seed);
            for (int step = 0; step < 400 && !testing::Test::HasFatalFailure(); ++step)
            {
                edits.edit();
                edits.expectSound();
            }
            if (testing::Test::HasFatalFailure())
                return;
        }
        EXPECT_EQ(knotManager::instance()->getUsed(), 0u);
    }
}
