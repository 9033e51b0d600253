#include "uikit/KitCursors.h"

#include "platform/Resources.h"

namespace
{

// Every module that compiles the kit has its own cache, so each finds its own cursors.
platform::Cursor* cachedCursor(platform::Cursor*& cache, int32_t id)
{
    if (cache != nullptr)
        return cache;
    try
    {
        cache = platform::loadCursor(platform::currentResourceModule(), id);
    }
    catch (const platform::ResourceError&)
    {
        // Code running outside its library's resource context: no cursor, the arrow shows.
        return nullptr;
    }
    return cache;
}

} // namespace

platform::Cursor* getCursorCreateForce()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::CreateForce);
}

platform::Cursor* getCursorCreateJoint()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::CreateJoint);
}

platform::Cursor* getCursorCreateMemberStart()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::CreateMemberStart);
}

platform::Cursor* getCursorCreateMemberEnd()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::CreateMemberEnd);
}

platform::Cursor* getCursorPagetteButton()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::PagetteButton);
}

platform::Cursor* getCursorSelect()
{
    static platform::Cursor* cache = nullptr;
    return cachedCursor(cache, KitCursorId::Select);
}
