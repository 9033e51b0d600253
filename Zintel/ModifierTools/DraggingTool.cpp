#include "Zintel/ModifierTools/DraggingTool.h"

#include "Zintel/ModifierTools/ToolGeometry.h"
#include "Zintel/OpenGLView.h"
#include "VornData/VornModifier.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"

#include <GL/gl.h>

#include <string>

namespace zintel
{

MAI_Doc* DraggingTool::document() const
{
    if (view == nullptr || view->ownerView == nullptr)
        return nullptr;
    return view->ownerView->document;
}

void DraggingTool::sendColour(int red, int green, int blue, int alpha)
{
    const GLbyte colour[4] = {static_cast<GLbyte>(red), static_cast<GLbyte>(green), static_cast<GLbyte>(blue),
                              static_cast<GLbyte>(alpha)};
    glColor4bv(colour);
}

void DraggingTool::beginToolPass(const VornModifier& modifier, const Vector3& centre, float scale, bool blended) const
{
    if (view->fogOn)
        glDisable(GL_FOG);
    sendColour(0, 0, 0, blended ? 0x40 : 127);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(4, 0xAAAA);
    glBegin(GL_LINES);
    glVertex3d(modifier.pivot.x, modifier.pivot.y, modifier.pivot.z);
    glVertex3d(centre.x, centre.y, centre.z);
    glEnd();
    glDisable(GL_LINE_STIPPLE);
    glTranslatef(static_cast<float>(centre.x), static_cast<float>(centre.y), static_cast<float>(centre.z));
    glScalef(scale, scale, scale);
}

void DraggingTool::endToolPass() const
{
    if (view->fogOn)
        glEnable(GL_FOG);
}

void DraggingTool::refuse() const
{
    if (plugin != nullptr && plugin->mai != nullptr)
        plugin->mai->beep();
}

bool DraggingTool::onDrag(int32_t x, int32_t y, int32_t, uint32_t flags, int32_t handle, VornModifier* modifier)
{
    if (modifier == nullptr || view == nullptr)
        return false;
    y = view->height - y;
    const bool leftHeld = (flags & InputEvent::LeftHeld) != 0;
    if (leftHeld && !dragging)
    {
        TransformParameters parameters;
        if (!readTransformParameters(*modifier, parameters))
            return false;
        startX = x;
        startY = y;
        // A tool dragged before its first frame measures its size now.
        if (!(scaleFactor > 0.0f))
            scaleFactor = tools::toolScaleFactor(*view, tools::toolCentre(*modifier, parameters));
        if (!startDrag(handle, *modifier, parameters, x, y))
            return false;
        dragging = true;
        if (view->ownerView != nullptr)
            view->ownerView->setCapture(true);
        return true;
    }
    if (!leftHeld || InputEvent::kindOf(flags) == InputEvent::LeftUp)
        endToolDrag();
    if (!dragging || (x == startX && y == startY))
        return true;

    MAI_Doc* owner = document();
    const std::string waiting = documentLockWaitingText(plugin != nullptr ? plugin->getName() : "Modifier Tool");
    {
        // The step changes the model that a running calculation reads.
        DocumentChangeLock lock(owner, waiting.c_str(), lockTimeout);
        if (!lock)
        {
            endToolDrag();
            return false;
        }
        TransformParameters parameters;
        if (!readTransformParameters(*modifier, parameters))
            return false;
        switch (stepDrag(handle, *modifier, parameters, x, y))
        {
        case Step::Refuse:
            return false;
        case Step::Keep:
            return true;
        case Step::Apply:
            break;
        }
        applyToolStep(*modifier, parameters);
    }
    if (owner->mai != nullptr)
        owner->mai->notifierRegistry.notify(Channel::ModifierChanged, modifier);
    owner->invalidateViews();
    return true;
}

void DraggingTool::applyToolStep(VornModifier& modifier, TransformParameters& parameters)
{
    buildTransformMatrices(modifier.pivot, modifier.frameAngles, parameters);
    writeTransformParameters(modifier, parameters);
    if (auto* applier = dynamic_cast<VornPluginObjectModifier*>(modifier.modifierPlugin))
        applier->updateModifier(&modifier);
}

void DraggingTool::endToolDrag()
{
    if (view->ownerView != nullptr)
        view->ownerView->setCapture(false);
    dragging = false;
    view->mouseHolder = nullptr;
    highlightMask = 7;
    dragEnded();
    if (MAI_Doc* owner = document())
        owner->invalidateViews();
}

} // namespace zintel
