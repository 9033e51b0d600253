#pragma once

#include "VornData/VornMath.h"

#include <cstdint>
#include <vector>

namespace lumbra
{

// The two joints of a member, as positions in ModelFragment::joints.
struct MemberEnds
{
    uint32_t start;
    uint32_t end;
};

// What an import adds to a document, read and checked whole before the document is touched: the
// joints' positions in the order they are made, and the members between them.
struct ModelFragment
{
    std::vector<Vector3> joints;
    std::vector<MemberEnds> members;
};

} // namespace lumbra
