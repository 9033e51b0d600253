// The modifier tools on the move and rotate modifiers themselves: a drag in the view changes the
// active record, and the modifier moves its joints with it.
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/ModifierTools/DraggingTool.h"
#include "Zintel/ModifierTools/ModifierToolPlugins.h"
#include "Zintel/OpenGLView.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "plugins/TransformParameters.h"
#include "tests/lumbra/LumbraTestDoubles.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

namespace
{

using namespace zintel;
using namespace std::chrono_literals;

constexpr double pi = 3.14159265358979323846;

class ToolsOnTransforms : public LumbraCommandTest
{
protected:
    ToolsOnTransforms()
    {
        registry.addPluginType(&mai.pluginLists.objectModifiers, "Object Modifier", nullptr);
        for (lumbra::PluginModifierTransform* plugin : {static_cast<lumbra::PluginModifierTransform*>(scale),
                                                        static_cast<lumbra::PluginModifierTransform*>(rotate),
                                                        static_cast<lumbra::PluginModifierTransform*>(move)})
        {
            plugin->mai = &mai;
            plugin->lockTimeout = 5ms;
            registry.addPlugin(plugin);
        }
        layer->mai = &mai;
        registry.addPlugin(layer);
        for (const char* name : {"J1", "J2", "J3"})
            model.named<VornJoint>(name)->resetToCreation();
        info = new OpenGLView(nullptr, &view, &settings);
        info->docItem = &settings;
        tools = static_cast<OpenGLDrawObjectMTool*>(layer->getDrawObject(info));
        // A camera 20 units from J3, turned 60 degrees down from the horizon, in a 800 x 600 window.
        info->direction = 0.0f;
        info->tilt = 60.0f;
        info->povX = 3 + 20 * 0.5;
        info->povY = 4;
        info->povZ = 5 + 20 * std::sqrt(0.75);
        info->width = 800;
        info->height = 600;
        info->cameraMatrix(info->modelviewMatrix);
        const double f = 1.0 / std::tan(info->fovY * pi / 360.0);
        double* p = info->projectionMatrix;
        std::fill(p, p + 16, 0.0);
        p[0] = f * 600 / 800;
        p[5] = f;
        p[10] = (info->zFar + info->zNear) / (info->zNear - info->zFar);
        p[11] = -1.0;
        p[14] = 2.0 * info->zFar * info->zNear / (info->zNear - info->zFar);
        info->viewport[0] = info->viewport[1] = 0;
        info->viewport[2] = 800;
        info->viewport[3] = 600;
    }

    VornModifier* transform(lumbra::PluginModifierTransform* modifier, const std::vector<const char*>& names)
    {
        select(names);
        VornModifier* record = modifier->activate(&doc, nullptr, 0);
        doc.setActiveModifier(record);
        return record;
    }

    platform::Point windowPointOf(const Vector3& point) const
    {
        double x = 0, y = 0, z = 0;
        gluProject(point.x, point.y, point.z, info->modelviewMatrix, info->projectionMatrix, info->viewport, &x, &y,
                   &z);
        return {static_cast<int32_t>(std::lround(x)), info->height - static_cast<int32_t>(std::lround(y))};
    }

    bool drag(int32_t handle, platform::Point from, platform::Point to)
    {
        info->mouseHolder = tools;
        info->heldHandle = handle;
        if (!tools->onMouse(from.x, from.y, 0, InputEvent::LeftDown | InputEvent::LeftHeld))
            return false;
        const bool stepped = tools->onMouse(to.x, to.y, 0, InputEvent::Move | InputEvent::LeftHeld);
        tools->onMouse(to.x, to.y, 0, InputEvent::LeftUp);
        return stepped;
    }

    Vector3 at(const char* joint) { return model.named<VornJoint>(joint)->getPosition(); }

    PluginManager registry;
    lumbra::PluginModifierScale* scale = new lumbra::PluginModifierScale;
    lumbra::PluginModifierRotate* rotate = new lumbra::PluginModifierRotate;
    lumbra::PluginModifierMove* move = new lumbra::PluginModifierMove;
    PluginVODOMTool* layer = new PluginVODOMTool;
    DocItemOpenGL settings{nullptr};
    OpenGLView* info = nullptr;
    OpenGLDrawObjectMTool* tools = nullptr;
};

TEST_F(ToolsOnTransforms, TheMoveToolsArrowMovesTheSelectedJointAlongItsAxis)
{
    VornModifier* record = transform(move, {"J3"});
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(tools->getHandleCount(), 4);
    auto* tool = dynamic_cast<DraggingTool*>(tools->currentTool);
    ASSERT_NE(tool, nullptr);
    tool->scaleFactor = 0.02f; // the arrow head 1.2 to 1.4 units from the joint
    const Vector3 start = at("J3");
    ASSERT_TRUE(
        drag(0, windowPointOf({start.x + 1.3, start.y, start.z}), windowPointOf({start.x + 2.8, start.y, start.z})));
    TransformParameters parameters;
    ASSERT_TRUE(readTransformParameters(*record, parameters));
    EXPECT_NEAR(parameters.move.x, 1.5, 0.05);
    EXPECT_EQ(parameters.move.y, 0.0f);
    EXPECT_EQ(parameters.move.z, 0.0f);
    EXPECT_NEAR(at("J3").x, start.x + parameters.move.x, 1e-6) << "the modifier moved the joint";
    EXPECT_NEAR(at("J3").y, start.y, 1e-9);
    EXPECT_NEAR(at("J2").x, 3.0, 1e-9) << "a joint outside the record stays";
    EXPECT_GT(doc.invalidations, 0);
}

TEST_F(ToolsOnTransforms, TheRotateToolsMiddleRingTurnsTheJointsAboutThePivot)
{
    VornModifier* record = transform(rotate, {"J2", "J3"});
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(tools->getHandleCount(), 3);
    dynamic_cast<DraggingTool*>(tools->currentTool)->scaleFactor = 0.02f;
    const Vector3 pivot = record->pivot;
    const double before = Vector3(at("J2")).distanceTo(at("J3"));
    // The middle ring's axis (Y) is square to the line of sight: the ring shows as an upright line
    // and turns with the mouse movement along that line.
    const platform::Point centre = windowPointOf(pivot);
    ASSERT_TRUE(drag(1, centre, {centre.x + 3, centre.y - 40}));
    TransformParameters parameters;
    ASSERT_TRUE(readTransformParameters(*record, parameters));
    EXPECT_EQ(parameters.rotate.x, 0.0f);
    EXPECT_EQ(parameters.rotate.z, 0.0f);
    EXPECT_NEAR(std::abs(parameters.rotate.y), 40.0, 1e-3) << "a degree a pixel";
    // The joints turned about the pivot's Y axis by that angle, keeping their distances.
    for (const char* name : {"J2", "J3"})
    {
        const Vector3 was = model.named<VornJoint>(name)->getCreationCoordinate();
        const Vector3 now = at(name);
        EXPECT_NEAR(now.y, was.y, 1e-6) << name;
        EXPECT_NEAR(now.distanceTo(pivot), Vector3(was).distanceTo(pivot), 1e-6) << name;
    }
    EXPECT_NEAR(Vector3(at("J2")).distanceTo(at("J3")), before, 1e-6);
    const Vector3 was = model.named<VornJoint>("J3")->getCreationCoordinate();
    const double turned =
        std::atan2(at("J3").x - pivot.x, at("J3").z - pivot.z) - std::atan2(was.x - pivot.x, was.z - pivot.z);
    EXPECT_NEAR(std::abs(std::remainder(turned, 2 * pi)), 40 * pi / 180, 1e-4);
}

} // namespace
