#pragma once

// A document with one view of the OpenGL view type and its "Modifier Tool" layer, window-free:
// transform modifiers that apply their record's point matrix to chosen joints, and a camera whose
// mouse rays are easy to aim (identity matrices: the window point (x, y) of a W x H viewport lies
// on the ray from the eye through ((2x / W - 1), (2y / H - 1), -0.8)).

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/ModifierTools/DraggingTool.h"
#include "Zintel/ModifierTools/ModifierToolPlugins.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/SnapObjects.h"
#include "platform/Geometry.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "plugins/TransformParameters.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "tests/support/ModelDocument.h"

#include <atomic>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

// A transform modifier of the given name: its update moves the chosen joints to the record's point
// matrix times their base positions.
class JointTransform : public VornPluginObjectModifier
{
public:
    explicit JointTransform(std::string name) : name(std::move(name)) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    platform::ToolbarButton* getButton() override { return &button; }
    VornModifier* activate(MAI_Doc*, VornModifier* record, uint32_t) override { return record; }
    void deactivate(MAI_Doc*) override {}
    const char* getToolCaption(int32_t) override { return name.c_str(); }
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable*) override {}
    void rebuildBase(VornModifier*) override {}
    void updateModifier(VornModifier* record) override
    {
        ++updates;
        TransformParameters parameters;
        if (joints == nullptr || !readTransformParameters(*record, parameters))
            return;
        for (uint32_t index : moved)
        {
            VornJoint& joint = (*joints)[index];
            parameters.pointMatrix.transformPointTo(joint.getBasePosition(), joint.getPosition());
        }
    }

    std::string name;
    BlockList<VornJoint>* joints = nullptr;
    std::vector<uint32_t> moved;
    std::atomic<int> updates{0};
};

// Counts the beeps of refused positions.
class BeepingMAI : public FakeMAI
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// Counts the "MODCH" notifications and keeps the last payload.
struct ModifierChanges : NotifierListener
{
    void notify(void* payload) override
    {
        ++count;
        last = payload;
    }
    int count = 0;
    void* last = nullptr;
};

struct ModifierToolBench
{
    static constexpr int32_t width = 1000;
    static constexpr int32_t height = 1000;

    PluginManager registry;
    BeepingMAI mai;
    FakeDoc doc{&mai};
    ModelDocument model{doc.document};
    JointTransform* move = new JointTransform("Move");
    JointTransform* rotate = new JointTransform("Rotate");
    JointTransform* scale = new JointTransform("Scale");
    zintel::PluginVODOMTool* layer = new zintel::PluginVODOMTool;
    zintel::DocItemOpenGL settings{nullptr};
    ModifierChanges changes;
    std::unique_ptr<FakeView> view;
    zintel::OpenGLView* info = nullptr;
    zintel::OpenGLDrawObjectMTool* tools = nullptr;

    ModifierToolBench()
    {
        registry.addPluginType(&mai.pluginLists.objectModifiers, "Object Modifier", nullptr);
        for (JointTransform* transform : {move, rotate, scale})
        {
            transform->mai = &mai;
            transform->joints = model.joints;
            registry.addPlugin(transform);
        }
        layer->mai = &mai;
        registry.addPlugin(layer);
        mai.notifierRegistry.addListener("MODCH", &changes);
        view = std::make_unique<FakeView>(&doc);
        info = new zintel::OpenGLView(nullptr, view.get(), &settings);
        info->docItem = &settings;
        tools = static_cast<zintel::OpenGLDrawObjectMTool*>(layer->getDrawObject(info));
        aim({0.0, 0.0, 10.0});
        setGridSnap(false);
    }
    ~ModifierToolBench()
    {
        changes.unlink();
        view.reset();
    }

    // The library's grid snap object, made once for the program.
    static zintel::PluginVPSOGrid* gridSnap()
    {
        // The view type's packaged plugins up to its grid snap object, kept for the program.
        static std::vector<VornPluginBase*>* made = [] {
            auto* plugins = new std::vector<VornPluginBase*>;
            auto* viewType = new zintel::PluginViewOpenGL;
            plugins->push_back(viewType);
            for (uint32_t index = 0; zintel::gridSnapObject() == nullptr; ++index)
                plugins->push_back(viewType->GetPackagedPlugin(index));
            return plugins;
        }();
        return made != nullptr ? zintel::gridSnapObject() : nullptr;
    }
    static void setGridSnap(bool on) { gridSnap()->master->snapEnabled = on ? 1 : 0; }

    // The identity camera with its eye at `eye` (direction 0, tilt 0).
    void aim(const Vector3& eye)
    {
        info->povX = eye.x;
        info->povY = eye.y;
        info->povZ = eye.z;
        info->direction = 0.0f;
        info->tilt = 0.0f;
        info->width = width;
        info->height = height;
        for (int i = 0; i < 16; ++i)
            info->modelviewMatrix[i] = info->projectionMatrix[i] = (i % 5 == 0) ? 1.0 : 0.0;
        info->viewport[0] = info->viewport[1] = 0;
        info->viewport[2] = width;
        info->viewport[3] = height;
    }

    // The window point (y downwards) whose mouse ray passes through the model point.
    platform::Point windowPointOf(const Vector3& point) const
    {
        const double k = (info->povZ + 0.8) / (info->povZ - point.z);
        const double px = info->povX + (point.x - info->povX) * k;
        const double py = info->povY + (point.y - info->povY) * k;
        const int32_t x = static_cast<int32_t>(std::lround((px + 1.0) * width / 2.0));
        const int32_t yUp = static_cast<int32_t>(std::lround((py + 1.0) * height / 2.0));
        return {x, height - yUp};
    }
    // The model length of one window pixel at height z.
    double pixelAt(double z) const { return 2.0 / width * (info->povZ - z) / (info->povZ + 0.8); }

    // A record of the named transform, active, with its pivot and parameters.
    VornModifier* activate(JointTransform* transform, const Vector3& pivot, const Point3f& moveBy = {0, 0, 0},
                           const Point3f& rotateBy = {0, 0, 0}, const Point3f& scaleBy = {1, 1, 1})
    {
        VornModifier* record = model.modifiers->add();
        record->modifierPlugin = transform;
        record->pivot = pivot;
        record->frameAngles.setZero();
        record->parameters.reallocate(transformParameterWords);
        TransformParameters parameters = TransformParameters::neutral();
        parameters.move = moveBy;
        parameters.rotate = rotateBy;
        parameters.scale = scaleBy;
        buildTransformMatrices(record->pivot, record->frameAngles, parameters);
        writeTransformParameters(*record, parameters);
        doc.setActiveModifier(record);
        return record;
    }
    TransformParameters parametersOf(VornModifier* record) const
    {
        TransformParameters parameters;
        readTransformParameters(*record, parameters);
        return parameters;
    }

    // The tool in use after the layer chose one for the active modifier.
    zintel::DraggingTool* tool()
    {
        tools->getHandleCount();
        return dynamic_cast<zintel::DraggingTool*>(tools->currentTool);
    }

    // The view's mouse events while the handle is held, as the view interface gives them.
    bool press(int32_t handle, platform::Point at)
    {
        info->mouseHolder = tools;
        info->heldHandle = handle;
        return tools->onMouse(at.x, at.y, 0, InputEvent::LeftDown | InputEvent::LeftHeld);
    }
    bool dragTo(platform::Point at) { return tools->onMouse(at.x, at.y, 0, InputEvent::Move | InputEvent::LeftHeld); }
    bool release(platform::Point at) { return tools->onMouse(at.x, at.y, 0, InputEvent::LeftUp); }
};
