#include "Zintel/DrawObjects/SizedDisplayLists.h"

#include <GL/gl.h>

namespace zintel
{

bool SizedDisplayLists::ensure(int32_t count, double size, const std::function<void(uint32_t, double)>& build)
{
    if (base == 0)
    {
        base = glGenLists(count);
        if (base == 0)
            return false;
    }
    else if (size == builtSize)
        return true;
    builtSize = size;
    build(base, size);
    return true;
}

} // namespace zintel
