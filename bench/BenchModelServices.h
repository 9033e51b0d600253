#pragma once

// The process-wide services a model needs in a benchmark: knot pool, type registry with the type
// tree, dword arrays; installed once.

#include "Knots/knotManager.h"
#include "VornData/VornTypeIDManager.h"
#include "dwordarraymanager/DWordArrayManager.h"

inline void installBenchModelServices()
{
    static const bool installed = [] {
        knotManager::initiate();
        VornTypeIDManager::initiate();
        DWordArrayManager::initiate();
        registerObjectTypeTree();
        return true;
    }();
    (void)installed;
}
