#include "plugins/PluginWindowFactory.h"

#include <memory>

PluginWindowHandle* makePluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request,
                                     std::span<const PluginWindowTableEntry> table,
                                     PluginWindowHandle* (*makeHandle)())
{
    if (request == nullptr || parent == nullptr)
        return nullptr;
    PluginWindowMaker make = nullptr;
    for (const PluginWindowTableEntry& entry : table)
        if (entry.dialogId == request->dialogId)
            make = entry.make;
    if (make == nullptr)
        return nullptr;

    PluginWindowHandle** handleField = request->handleField;
    PluginWindowHandle* previousHandle = handleField != nullptr ? *handleField : nullptr;
    try
    {
        std::unique_ptr<PluginWindowHandle> handle(makeHandle());
        if (handle == nullptr)
            return nullptr;
        handle->parent = parent;
        if (handleField != nullptr)
            *handleField = handle.get();
        platform::Window* window = make(parent->getWnd(), request->plugin);
        if (window == nullptr)
        {
            if (handleField != nullptr)
                *handleField = previousHandle;
            return nullptr;
        }
        handle->attach(window);
        return handle.release();
    }
    catch (...)
    {
        if (handleField != nullptr)
            *handleField = previousHandle;
        return nullptr;
    }
}
