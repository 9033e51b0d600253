#include "plugins/PluginWindowFactory.h"

#include <memory>

PluginWindowHandle* makePluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request,
                                     std::span<const PluginWindowTableEntry> table, PluginWindowHandle* (*makeHandle)())
{
    if (request == nullptr || parent == nullptr)
        return nullptr;
    // A child of a window that is gone would become a window of its own on the desktop.
    platform::Window* parentWindow = parent->getWnd();
    if (parentWindow == nullptr)
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
        platform::Window* window = make(parentWindow, request->plugin);
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
