#pragma once

#include "platform/DynamicLibrary.h"

class MAI;

// Base of every plugin object. Plugins are made by a library and driven by other modules only
// through their virtual operations.
class VornPluginBase
{
public:
    virtual ~VornPluginBase();
    virtual const char* getTypeName() = 0;
    virtual const char* getName() = 0;
};

// A plugin that knows the library that made it and the application interface; the host writes
// both right after the library hands the object out.
class VornPlugin : public VornPluginBase
{
public:
    platform::ModuleHandle module = platform::ModuleHandle::None;
    MAI* mai = nullptr;
};
