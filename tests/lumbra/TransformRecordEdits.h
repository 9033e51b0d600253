#pragma once

// Edits of a transform record as the Transform Properties pagette makes them.

#include "Lumbra/Modifiers/TransformModifiers.h"
#include "plugins/TransformParameters.h"

#include <gtest/gtest.h>

// Gives the record a new move and lets its plugin apply the record to its objects.
inline void editRecordMove(lumbra::PluginModifierTransform& plugin, VornModifier& record, Point3f move)
{
    TransformParameters parameters{};
    ASSERT_TRUE(readTransformParameters(record, parameters));
    parameters.move = move;
    ASSERT_TRUE(writeTransformParameters(record, parameters));
    ASSERT_TRUE(lumbra::PluginModifierTransform::buildMatrices(&record));
    plugin.updateModifier(&record);
}
