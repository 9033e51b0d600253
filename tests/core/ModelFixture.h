#pragma once

// A small model shared by the model tests: a document with three joints, two members, a material,
// a cross-section, a force on J1, a closed group {J1, M1, J2} and a second group {J3} added after it,
// so that it sits behind the first in the group list.
//
//   J1 (0,0,0) --M1-- J2 (3,4,0) --M2-- J3 (3,4,5)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <memory>

#include "Knots/knotManager.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "VornData/VornModifier.h"
#include "VornData/VornTypeIDManager.h"
#include "dwordarraymanager/DWordArrayManager.h"
#include "tests/support/ModelServices.h"

// The element of a list with that name, or null.
template <class T>
T* findNamed(BlockList<T>* list, const char* name)
{
    for (uint32_t index = 0; list && index < list->getCount(); ++index)
        if (std::strcmp((*list)[index].name.getString(), name) == 0)
            return &(*list)[index];
    return nullptr;
}

// The names of a list's elements, sorted.
template <class T>
std::vector<std::string> namesOf(BlockList<T>* list)
{
    std::vector<std::string> names;
    for (uint32_t index = 0; index < list->getCount(); ++index)
        names.push_back((*list)[index].name.getString());
    std::sort(names.begin(), names.end());
    return names;
}

// The model lists a new document gets from the object-type and creator plugins.
// The document is the fixture's own, or one that lives elsewhere (a document interface's).
struct ModelDocument
{
    using DocumentPointer = std::unique_ptr<VornDocument, void (*)(VornDocument*)>;

    ModelDocument() : ModelDocument(ownDocument()) {}
    explicit ModelDocument(VornDocument& existing) : ModelDocument(DocumentPointer(&existing, [](VornDocument*) {})) {}
    explicit ModelDocument(DocumentPointer model) : document(std::move(model))
    {
        installModelServices();
        document->addBlockList(joints = new BlockList<VornJoint>("VornJoint"));
        document->addBlockList(members = new BlockList<VornMember>("VornMember"));
        document->addBlockList(definitions = new BlockList<VornForceDefinition>("VornForceDefinition"));
        document->addBlockList(forces = new BlockList<VornForceInstance>("VornForceInstance"));
        document->addBlockList(crossSections = new BlockList<VornCrossSection>("VornCrossSection"));
        document->addBlockList(materials = new BlockList<VornMaterial>("VornMaterial"));
        document->addBlockList(modifiers = new BlockList<VornModifier>("VornModifier"));
        document->reset();
        groups = document->getGroupList();
        selections = document->getSelectionList();
    }

    static DocumentPointer ownDocument()
    {
        installModelServices();
        return DocumentPointer(new VornDocument, [](VornDocument* owned) { delete owned; });
    }

    StringManager* strings() { return &document->getStringStorage(); }

    VornJoint* addJoint(const char* name, double x, double y, double z)
    {
        VornJoint* joint = joints->add();
        joint->name.set(strings(), name);
        joint->getCreationCoordinate().set(x, y, z);
        joint->getPosition().set(x, y, z);
        document->getWorldGroup()->addChild(joint);
        return joint;
    }
    VornMember* addMember(const char* name, const char* start, const char* end)
    {
        VornMember* member = members->add();
        member->name.set(strings(), name);
        member->setStartJoint(findNamed(joints, start));
        member->setEndJoint(findNamed(joints, end));
        document->getWorldGroup()->addChild(member);
        return member;
    }
    VornGroup* addGroup(const char* name)
    {
        VornGroup* group = groups->add();
        group->name.set(strings(), name);
        document->getWorldGroup()->addChild(group);
        return group;
    }
    template <class T>
    T* named(const char* name)
    {
        return findNamed(listFor<T>(), name);
    }
    template <class T>
    BlockList<T>* listFor();

    DocumentPointer document;
    BlockList<VornJoint>* joints = nullptr;
    BlockList<VornMember>* members = nullptr;
    BlockList<VornForceDefinition>* definitions = nullptr;
    BlockList<VornForceInstance>* forces = nullptr;
    BlockList<VornCrossSection>* crossSections = nullptr;
    BlockList<VornMaterial>* materials = nullptr;
    BlockList<VornModifier>* modifiers = nullptr;
    BlockList<VornGroup>* groups = nullptr;
    BlockList<VornSelection>* selections = nullptr;
};

template <>
inline BlockList<VornJoint>* ModelDocument::listFor<VornJoint>()
{
    return joints;
}
template <>
inline BlockList<VornMember>* ModelDocument::listFor<VornMember>()
{
    return members;
}
template <>
inline BlockList<VornGroup>* ModelDocument::listFor<VornGroup>()
{
    return groups;
}
template <>
inline BlockList<VornForceInstance>* ModelDocument::listFor<VornForceInstance>()
{
    return forces;
}
template <>
inline BlockList<VornForceDefinition>* ModelDocument::listFor<VornForceDefinition>()
{
    return definitions;
}
template <>
inline BlockList<VornMaterial>* ModelDocument::listFor<VornMaterial>()
{
    return materials;
}
template <>
inline BlockList<VornCrossSection>* ModelDocument::listFor<VornCrossSection>()
{
    return crossSections;
}

// The shape data words of the shared model's cross-section.
inline constexpr uint32_t sharedModelShapeWords = 33;

// Fills the model of the header comment.
inline void buildSharedModel(ModelDocument& model)
{
    model.addJoint("J1", 0, 0, 0);
    model.addJoint("J2", 3, 4, 0);
    model.addJoint("J3", 3, 4, 5);
    VornMaterial* steel = model.materials->add();
    steel->name.set(model.strings(), "Steel");
    VornCrossSection* section = model.crossSections->add();
    section->name.set(model.strings(), "Box");
    section->shapeData.reallocate(sharedModelShapeWords);
    model.addMember("M1", "J1", "J2");
    model.addMember("M2", "J2", "J3");
    for (const char* name : {"M1", "M2"})
    {
        model.named<VornMember>(name)->setMaterial(steel);
        model.named<VornMember>(name)->setCrossSection(section);
    }
    VornForceDefinition* definition = model.definitions->add();
    definition->name.set(model.strings(), "Load");
    definition->setVector(0, 0, -1000);
    VornForceInstance* force = model.forces->add();
    force->name.set(model.strings(), "F1");
    force->setJoint(model.named<VornJoint>("J1"));
    force->setForceDefinition(definition);

    VornGroup* closed = model.addGroup("G1");
    for (const char* name : {"J1", "J2"})
        closed->addChild(model.named<VornJoint>(name));
    closed->addChild(model.named<VornMember>("M1"));
    closed->select();
    VornGroup* second = model.addGroup("G2");
    second->addChild(model.named<VornJoint>("J3"));
}

// The shared model of the header comment.
class SharedModel : public ::testing::Test
{
protected:
    void SetUp() override { buildSharedModel(model); }

    // Names of a group's children, newest first.
    std::vector<std::string> childNames(const char* groupName)
    {
        std::vector<std::string> names;
        VornGroup* group = model.named<VornGroup>(groupName);
        for (knot* link = group ? group->children.getFirst() : nullptr; link; link = link->getNext())
            names.push_back(VornGroup::childOf(link)->name.getString());
        return names;
    }
    static constexpr uint32_t ShapeWords = sharedModelShapeWords;
    ModelDocument model;
};
