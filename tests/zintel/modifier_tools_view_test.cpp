// The modifier tools in a document window of the host: the handles are drawn around the active
// record's pivot, picked under the cursor, and dragged through the view's own mouse routing.
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ModifierToolBench.h"
#include "tests/zintel/ZintelHost.h"

#include "Zintel/ModifierTools/DraggingTool.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using zintel::OpenGLView;

class ModifierToolsInWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ZintelHost& host = ZintelHost::instance();
        if (!host.noGl.empty() || host.info() == nullptr)
            return;
        // The modifiers are there before any tool looks for its own.
        move = new JointTransform("Move");
        rotate = new JointTransform("Rotate");
        for (JointTransform* modifier : {move, rotate})
        {
            modifier->mai = &testHost().mai();
            testHost().registry().addPlugin(modifier);
        }
        model = new ModelDocument(host.document());
        move->joints = model->joints;
        for (VornJoint* joint : {model->addJoint("J1", 0, 1, 1), model->addJoint("J2", 0, -2, -1)})
            joint->getBasePosition() = joint->getPosition();
    }

    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr);
        OpenGLView& state = *host.info();
        state.povX = 20.0;
        state.povY = state.povZ = 0.0;
        state.direction = state.tilt = 0.0f;
        for (DrawObject* object = state.drawObjects; object != nullptr; object = object->next)
        {
            const std::string name = object->plugin->getName();
            if (name == "Grid")
                object->enabled = 0; // its lines would cross the pixels looked at
            if (name == "Modifier Tool")
                layer = static_cast<zintel::OpenGLDrawObjectMTool*>(object);
        }
        ASSERT_NE(layer, nullptr);
    }

    // A record of the modifier (Move unless told) of J1 with its pivot on J1, active in the window's
    // document.
    VornModifier* activateMove(JointTransform* modifier = move)
    {
        VornModifier* record = model->modifiers->add();
        record->modifierPlugin = modifier;
        record->pivot = model->named<VornJoint>("J1")->getPosition();
        record->frameAngles.setZero();
        record->parameters.reallocate(transformParameterWords);
        TransformParameters parameters = TransformParameters::neutral();
        buildTransformMatrices(record->pivot, record->frameAngles, parameters);
        writeTransformParameters(*record, parameters);
        move->moved = {0};
        host.viewInterface()->document->setActiveModifier(record);
        return record;
    }

    static uint32_t red(uint32_t colour) { return colour & 0xFF; }
    static uint32_t green(uint32_t colour) { return (colour >> 8) & 0xFF; }
    static uint32_t blue(uint32_t colour) { return (colour >> 16) & 0xFF; }

    ZintelHost& host = ZintelHost::instance();
    zintel::OpenGLDrawObjectMTool* layer = nullptr;
    static inline JointTransform* move = nullptr;
    static inline JointTransform* rotate = nullptr;
    static inline ModelDocument* model = nullptr;
};

TEST_F(ModifierToolsInWindow, TheMoveToolIsDrawnPickedAndDraggedThroughTheView)
{
    VornModifier* record = activateMove();
    host.paint();
    auto* tool = dynamic_cast<zintel::DraggingTool*>(layer->currentTool);
    ASSERT_NE(tool, nullptr);
    ASSERT_GT(tool->scaleFactor, 0.0f) << "the frame measured the tool";
    OpenGLView& state = *host.info();
    EXPECT_EQ(state.viewPlane, 2) << "seen along x, the square lies in YZ";
    const double s = tool->scaleFactor;

    // The Y arrow's head is drawn red on the right of the pivot, the Z arrow's green above it.
    const platform::Point yHead = host.windowPointOf(0, 1 + 64 * s, 1);
    const uint32_t yColour = host.pixel(yHead.x, yHead.y);
    EXPECT_GT(red(yColour), 2 * green(yColour) + 20) << std::hex << yColour;
    const platform::Point zHead = host.windowPointOf(0, 1, 1 + 64 * s);
    const uint32_t zColour = host.pixel(zHead.x, zHead.y);
    EXPECT_GT(green(zColour), 2 * red(zColour) + 20) << std::hex << zColour;

    // The cursor over a handle makes the layer the view's mouse holder for that handle.
    MAI_View& view = *host.viewInterface();
    view.getCursor(yHead.x, yHead.y, 0);
    EXPECT_EQ(state.mouseHolder, layer);
    EXPECT_EQ(state.heldHandle, 2);
    const platform::Point centre = host.windowPointOf(0, 1, 1);
    view.getCursor(centre.x, centre.y, 0);
    EXPECT_EQ(state.mouseHolder, layer);
    EXPECT_EQ(state.heldHandle, 3) << "the square in front of everything";

    // A drag of the square by 2.3 units right and 1.2 down moves J1 by whole grid steps.
    const platform::Point to = host.windowPointOf(0, 3.3, -0.2);
    view.onMouseEvent(centre.x, centre.y, InputEvent::LeftDown | InputEvent::LeftHeld);
    view.onMouseEvent(to.x, to.y, InputEvent::Move | InputEvent::LeftHeld);
    view.onMouseEvent(to.x, to.y, InputEvent::LeftUp);
    TransformParameters parameters;
    ASSERT_TRUE(readTransformParameters(*record, parameters));
    EXPECT_EQ(parameters.move.x, 0.0f);
    EXPECT_EQ(parameters.move.y, 2.0f);
    EXPECT_EQ(parameters.move.z, -1.0f);
    const Vector3& moved = model->named<VornJoint>("J1")->getPosition();
    EXPECT_DOUBLE_EQ(moved.y, 3.0);
    EXPECT_DOUBLE_EQ(moved.z, 0.0);
    EXPECT_EQ(state.mouseHolder, nullptr) << "the release ended the drag";
    EXPECT_FALSE(tool->dragging);
    host.viewInterface()->document->setActiveModifier(nullptr);
}

TEST_F(ModifierToolsInWindow, ARotateRingIsGrabbedAFewPixelsOffItsLine)
{
    const Vector3 pivot = activateMove(rotate)->pivot;
    host.paint();
    auto* tool = dynamic_cast<zintel::DraggingTool*>(layer->currentTool);
    ASSERT_NE(tool, nullptr);
    ASSERT_GT(tool->scaleFactor, 0.0f);
    OpenGLView& state = *host.info();
    MAI_View& view = *host.viewInterface();
    // Seen along x, the outer ring (about X) is a circle of radius 60 s around the pivot; the
    // other two are edge-on lines through the pivot. Its point at 45 degrees is away from both.
    const double armOf45Degrees = 60 * tool->scaleFactor * std::sqrt(0.5);
    const platform::Point onRing =
        host.windowPointOf(pivot.x, pivot.y + armOf45Degrees, pivot.z + armOf45Degrees);
    struct PickCase
    {
        int32_t pixelsAbove;
        zintel::OpenGLDrawObject* holder;
    };
    const PickCase cases[] = {{0, layer}, {3, layer}, {9, nullptr}};
    for (const PickCase& c : cases)
    {
        view.getCursor(onRing.x, onRing.y - c.pixelsAbove, 0);
        EXPECT_EQ(state.mouseHolder, c.holder) << c.pixelsAbove << " pixels above the ring";
        if (c.holder != nullptr)
        {
            EXPECT_EQ(state.heldHandle, 0) << c.pixelsAbove << " pixels above the ring";
        }
    }
    state.mouseHolder = nullptr;
    host.viewInterface()->document->setActiveModifier(nullptr);
}

} // namespace
