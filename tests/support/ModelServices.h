#pragma once

// The process-wide services of the model, installed once: knot pool, type registry with the type
// tree, dword arrays. Shared by the model tests and the benchmarks.

#include "Knots/knotManager.h"
#include "VornData/VornTypeIDManager.h"
#include "dwordarraymanager/DWordArrayManager.h"

inline void installModelServices()
{
    static const bool installed = [] {
        if (!knotManager::hasInstance())
            knotManager::initiate();
        VornTypeIDManager::initiate();
        DWordArrayManager::initiate();
        registerObjectTypeTree();
        return true;
    }();
    (void)installed;
}
