#include "Lumbra/ModelFiles/ImportCommit.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/ModelFiles/ImportSelection.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "plugins/MAI.h"

#include <cstdio>
#include <vector>

namespace lumbra
{

namespace
{

constexpr uint32_t importColour = 0xFF0000;

std::string numberedName(const char* format, uint32_t number)
{
    char name[32];
    std::snprintf(name, sizeof name, format, number);
    return name;
}

} // namespace

ImportLists importListsOf(MAI_Doc* document)
{
    return {listOf<VornJoint>(document, "VornJoint"), listOf<VornMember>(document, "VornMember")};
}

bool commitModelFragment(MAI_Doc& document, const ImportLists& lists, const ModelFragment& fragment,
                         const std::string& selectionName, const char* waitingText,
                         std::chrono::milliseconds lockTimeout)
{
    VornDocument& model = document.document;
    StringManager* strings = &model.getStringStorage();
    {
        DocumentChangeLock lock(&document, waitingText, lockTimeout);
        if (!lock)
            return false;
        ImportSelection selection(&document);

        std::vector<VornJoint*> joints;
        joints.reserve(fragment.joints.size());
        for (const Vector3& point : fragment.joints)
        {
            VornJoint* joint = lists.joints->add();
            joint->name.set(strings, numberedName("j%u", lists.joints->getCount()).c_str());
            joint->setColor(importColour);
            joint->clearFlagBits(0x40);
            joint->getPosition() = point;
            joint->getCreationCoordinate() = point;
            joint->getUnmodifiedPosition() = point;
            joint->getModifiedPosition() = point;
            joint->supportFlags = 0;
            selection.add(joint);
            joints.push_back(joint);
        }

        auto* crossSection = dynamic_cast<VornCrossSection*>(document.creationCrossSection.get());
        auto* material = dynamic_cast<VornMaterial*>(document.creationMaterial.get());
        for (const MemberEnds& ends : fragment.members)
        {
            VornMember* member = lists.members->add();
            member->name.set(strings, numberedName("m%04u", lists.members->getCount()).c_str());
            member->setColor(importColour);
            member->setStartJoint(joints[ends.start]);
            member->setEndJoint(joints[ends.end]);
            if (crossSection != nullptr)
                member->setCrossSection(crossSection);
            if (material != nullptr)
                member->setMaterial(material);
            selection.add(member);
        }

        selection.finish(selectionName);
    }
    return true;
}

} // namespace lumbra
