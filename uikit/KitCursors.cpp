#include "uikit/KitCursors.h"

#include "platform/Resources.h"

namespace
{

// Every module that compiles the kit has its own cache, so each finds its own cursors.
platform::CursorHandle cachedCursor(platform::CursorHandle& cache, int32_t id)
{
    if (cache != platform::CursorHandle::None)
        return cache;
    try
    {
        cache = platform::loadCursor(platform::currentResourceModule(), id);
    }
    catch (const platform::ResourceError&)
    {
        // Code running outside its library's resource context: no cursor, the arrow shows.
        return platform::CursorHandle::None;
    }
    return cache;
}

} // namespace

platform::CursorHandle getCursorCreateForce()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::CreateForce);
}

platform::CursorHandle getCursorCreateJoint()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::CreateJoint);
}

platform::CursorHandle getCursorCreateMemberStart()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::CreateMemberStart);
}

platform::CursorHandle getCursorCreateMemberEnd()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::CreateMemberEnd);
}

platform::CursorHandle getCursorPagetteButton()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::PagetteButton);
}

platform::CursorHandle getCursorSelect()
{
    static platform::CursorHandle cache = platform::CursorHandle::None;
    return cachedCursor(cache, KitCursorId::Select);
}
