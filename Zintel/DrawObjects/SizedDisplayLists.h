#pragma once

#include <cstdint>
#include <functional>

namespace zintel
{

// Display lists of symbols drawn at the document's symbol size: made at the first use in a view's
// GL context and built again in place when the size changed since.
class SizedDisplayLists
{
public:
    // The lists exist (made and built when they did not) and show `size`; false when GL has no
    // names to give, and the symbols are then left out.
    bool ensure(int32_t count, double size, const std::function<void(uint32_t base, double size)>& build);
    // The context is going: the names are forgotten so that new lists are made in the next one.
    void forget() { base = 0; }

    uint32_t base = 0;
    double builtSize = 0.0;
};

} // namespace zintel
