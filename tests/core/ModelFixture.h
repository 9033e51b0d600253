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
#include "tests/support/ModelDocument.h"

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
