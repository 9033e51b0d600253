#pragma once

// Structures for the calculator tests and benchmarks: a plain description of joints, members and
// loads, and the document built from it.

#include <cmath>
#include <cstdint>
#include <vector>

#include "VornData/VornJoint.h"
#include "tests/support/ModelDocument.h"

struct StructureJoint
{
    Vector3 position;
    uint8_t supports;
    Vector3 load; // applied in global axes
};

struct StructureMember
{
    uint32_t start;
    uint32_t end;
    double angle; // rotation about its own axis, degrees
};

// One material and one cross-section for every member.
struct StructureSection
{
    double elasticity = 2.0e11;
    double poissonRatio = 0.3;
    double density = 7850.0;
    double area = 0.01;
    double ix = 1.0e-5; // deflection along local z
    double iy = 6.0e-6; // deflection along local y
    double j = 1.2e-5;
};

struct Structure
{
    uint32_t addJoint(double x, double y, double z, uint8_t supports, Vector3 load = Vector3(0, 0, 0))
    {
        joints.push_back(StructureJoint{Vector3(x, y, z), supports, load});
        return static_cast<uint32_t>(joints.size() - 1);
    }
    void addMember(uint32_t start, uint32_t end, double angle = 0.0)
    {
        members.push_back(StructureMember{start, end, angle});
    }

    std::vector<StructureJoint> joints;
    std::vector<StructureMember> members;
    StructureSection section;
};

// The structure in a document, joints and members at the indexes of the description; every load
// is a force instance of its own definition.
struct StructureModel : ModelDocument
{
    explicit StructureModel(const Structure& structure) { build(structure); }
    // The structure in an existing document (a document interface's).
    StructureModel(const Structure& structure, VornDocument& existing) : ModelDocument(existing) { build(structure); }

    void build(const Structure& structure)
    {
        VornMaterial* material = materials->add();
        material->setElasticity(structure.section.elasticity);
        material->setPoissonRatio(structure.section.poissonRatio);
        material->setDensity(structure.section.density);
        VornCrossSection* crossSection = crossSections->add();
        const StructureSection& section = structure.section;
        crossSection->setValues(section.area, section.ix, section.iy, 0.0, section.j);
        for (const StructureJoint& description : structure.joints)
        {
            VornJoint* joint = joints->add();
            joint->getCreationCoordinate() = description.position;
            joint->getPosition() = description.position;
            joint->supportFlags = description.supports;
            if (description.load.length() == 0.0)
                continue;
            VornForceDefinition* definition = definitions->add();
            definition->setVector(description.load.x, description.load.y, description.load.z);
            VornForceInstance* force = forces->add();
            force->setJoint(joint);
            force->setForceDefinition(definition);
        }
        for (const StructureMember& description : structure.members)
        {
            VornMember* member = members->add();
            member->setStartJoint(&(*joints)[description.start]);
            member->setEndJoint(&(*joints)[description.end]);
            member->setMaterial(material);
            member->setCrossSection(crossSection);
            if (description.angle != 0.0)
                member->setAngle(description.angle);
        }
    }
};

// A plane truss of equilateral triangles of side `side` in the x-z plane: panels + 1 joints along
// the bottom, panels joints along the top. Every joint gets `kind` (pinned 0 or rigid) and is held
// out of its plane; the first bottom joint is held in x, y and z, the last in y and z. Each bottom
// joint carries `load`.
inline Structure warrenTruss(int panels, double side, uint8_t kind, Vector3 load)
{
    Structure truss;
    const double height = side * std::sqrt(3.0) / 2.0;
    const uint8_t plane = kind | JointSupport::TranslationY;
    const uint8_t pinned = plane | JointSupport::TranslationX | JointSupport::TranslationZ;
    const uint8_t roller = plane | JointSupport::TranslationZ;
    for (int index = 0; index <= panels; ++index)
    {
        const uint8_t supports = index == 0 ? pinned : (index == panels ? roller : plane);
        const bool end = index == 0 || index == panels;
        truss.addJoint(index * side, 0, 0, supports, end ? Vector3(0, 0, 0) : load);
    }
    const auto bottom = [](int index) { return static_cast<uint32_t>(index); };
    const auto top = [panels](int index) { return static_cast<uint32_t>(panels + 1 + index); };
    for (int index = 0; index < panels; ++index)
        truss.addJoint((index + 0.5) * side, 0, height, plane);
    for (int index = 0; index < panels; ++index)
    {
        truss.addMember(bottom(index), bottom(index + 1));
        truss.addMember(bottom(index), top(index));
        truss.addMember(top(index), bottom(index + 1));
        if (index + 1 < panels)
            truss.addMember(top(index), top(index + 1));
    }
    return truss;
}
