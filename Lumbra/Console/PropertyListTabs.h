#pragma once

// Which object types the property list dialog gives a tab, from the types of the objects listed.

#include <cstdint>
#include <span>
#include <vector>

class VornTypeIDManager;

namespace lumbra
{

// The type ids that get a tab, ascending. A type gets one when objects of exactly that type are
// listed, or when listed objects of its subtypes do not all fall under its first subtype that has
// any: so joints and members together also get a tab of their common base, joints alone do not.
std::vector<int32_t> propertyListTabTypes(const VornTypeIDManager& types, std::span<const int32_t> listedTypeIds);

} // namespace lumbra
