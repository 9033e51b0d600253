#pragma once

// A document with the model lists that the object-type and creator plugins give a new document,
// for tests and benchmarks that build models in code.

#include <cstring>
#include <memory>

#include "BlockLists/BlockList.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornDocument.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornGroup.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "VornData/VornModifier.h"
#include "VornData/VornSelection.h"
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
