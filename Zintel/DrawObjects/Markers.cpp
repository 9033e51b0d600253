#include "Zintel/DrawObjects/Markers.h"

#include "Zintel/BoundingBox.h"
#include "Zintel/ColorRGBA.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/ZintelLibrary.h"
#include "VornData/VornModifier.h"
#include "plugins/MAI.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>

namespace zintel
{

namespace
{

// Lighting and fog off for unlit overlays; back on afterwards.
void beginUnlit(const OpenGLView& view)
{
    glDisable(GL_LIGHTING);
    if (view.fogOn)
        glDisable(GL_FOG);
}

void endUnlit(const OpenGLView& view)
{
    glEnable(GL_LIGHTING);
    if (view.fogOn)
        glEnable(GL_FOG);
}

void sendBytes(uint32_t word)
{
    glColor4bv(reinterpret_cast<const GLbyte*>(&word));
}

// A letter image of 8 x 6 pixels, rows from the bottom: the letter's pixels in its colour at
// alpha 192, the rest (and the two left columns) transparent.
using LetterImage = std::array<uint8_t, 8 * 6 * 4>;

LetterImage letterImage(const std::array<const char*, 6>& rows, uint8_t red, uint8_t green, uint8_t blue)
{
    LetterImage image{};
    for (int row = 0; row < 6; ++row)
        for (int column = 2; column < 8; ++column)
            if (rows[row][column - 2] == '#')
            {
                uint8_t* pixel = image.data() + 4 * (row * 8 + column);
                pixel[0] = red;
                pixel[1] = green;
                pixel[2] = blue;
                pixel[3] = 192;
            }
    return image;
}

const LetterImage& letterX()
{
    static const LetterImage image =
        letterImage({"##..##", "##..##", ".##.#.", "..##..", ".####.", "##..##"}, 0, 0, 255);
    return image;
}

const LetterImage& letterY()
{
    static const LetterImage image =
        letterImage({"..##..", "..##..", "..##..", ".####.", "##..##", "##..##"}, 255, 0, 0);
    return image;
}

const LetterImage& letterZ()
{
    static const LetterImage image =
        letterImage({"######", "##....", ".##...", "..##..", "...##.", "######"}, 0, 255, 0);
    return image;
}

void drawLetter(double x, double y, double z, const LetterImage& image)
{
    glRasterPos3d(x, y, z);
    glDrawPixels(8, 6, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
}

} // namespace

// --- the pivot ---

VornModifier* OpenGLDrawObjectMPivot::activeModifier() const
{
    OpenGLView* info = view();
    if (info == nullptr || info->ownerView == nullptr || info->ownerView->document == nullptr)
        return nullptr;
    return info->ownerView->document->getActiveModifier();
}

bool OpenGLDrawObjectMPivot::ensureDisplayLists()
{
    return marker.ensure(1, view()->symbolSize(), [](uint32_t list, double size) {
        const double length = 10.0 * size;
        glNewList(list, GL_COMPILE);
        glBegin(GL_LINE_STRIP);
        glVertex3d(length, 0, 0);
        glVertex3d(0, 0, 0);
        glVertex3d(0, length, 0);
        glEnd();
        glBegin(GL_LINE_STRIP);
        glVertex3d(0, 0, length);
        glVertex3d(0, 0, 0);
        glEnd();
        glEndList();
    });
}

void OpenGLDrawObjectMPivot::drawMarker(const VornModifier& modifier)
{
    glTranslated(modifier.pivot.x, modifier.pivot.y, modifier.pivot.z);
    glCallList(marker.base);
}

void OpenGLDrawObjectMPivot::draw(int32_t, uint32_t)
{
    VornModifier* modifier = activeModifier();
    if (modifier == nullptr || !ensureDisplayLists())
        return;
    OpenGLView& info = *view();
    beginUnlit(info);
    glDepthFunc(GL_LESS);
    sendColor(info.defaultColor.word());
    drawMarker(*modifier);
    endUnlit(info);
}

void OpenGLDrawObjectMPivot::drawBlended()
{
    VornModifier* modifier = activeModifier();
    if (modifier == nullptr)
        return;
    OpenGLView& info = *view();
    glDisable(GL_LINE_STIPPLE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!ensureDisplayLists())
        return;
    beginUnlit(info);
    glDepthFunc(GL_ALWAYS);
    sendColorWithAlpha(info.defaultColor.word(), 0x20000000u);
    drawMarker(*modifier);
    glDepthFunc(GL_LESS);
    endUnlit(info);
}

void OpenGLDrawObjectMPivot::addToBounds(BoundingBox* box, bool selectedOnly)
{
    VornModifier* modifier = activeModifier();
    if (box != nullptr && !selectedOnly && modifier != nullptr)
        box->addPoint(modifier->pivot.x, modifier->pivot.y, modifier->pivot.z);
}

void OpenGLDrawObjectMPivot::forgetDisplayLists()
{
    marker.forget();
}

const char* PluginVODOMPivot::getName()
{
    return "Modifier Pivot";
}

const char* PluginVODOMPivot::getDescription()
{
    return "Modifier Pivot [OpenGL]:\noptionally draws pivot of active modifier.";
}

void PluginVODOMPivot::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOMPivot", "Modifier Pivot [OpenGL]\n2000");
}

DrawObject* PluginVODOMPivot::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectMPivot>(this, owner, "PluginVODOMPivot::getDrawObject");
}

const char* PluginVODOMPivot::getDisplayName()
{
    return "Modifier Pivot";
}

// --- the orientation indicator ---

void OpenGLDrawObjectOrientationIndicator::drawBlended()
{
    OpenGLView& info = *view();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    double anchor[3];
    if (gluUnProject(0.1 * info.width, 0.1 * info.height, 0.1, info.modelviewMatrix, info.projectionMatrix,
                     info.viewport, &anchor[0], &anchor[1], &anchor[2]) != GL_TRUE)
        return;
    const double distance = std::sqrt((info.povX - anchor[0]) * (info.povX - anchor[0]) +
                                      (info.povY - anchor[1]) * (info.povY - anchor[1]) +
                                      (info.povZ - anchor[2]) * (info.povZ - anchor[2]));
    const double k = std::tan(info.fovY * 0.008726646259971648) * 3.0 * distance;
    glTranslated(anchor[0], anchor[1], anchor[2]);
    glScaled(k, k, k);
    beginUnlit(info);
    glDepthFunc(GL_ALWAYS);

    constexpr uint32_t blue = 0x7F7F0000u, red = 0x7F00007Fu, green = 0x7F007F00u, grey = 0x7F606060u;
    const uint32_t square = halvedColor(info.bandColor.word()) | 0x60000000u;
    const double a = 0.03, h = 0.002;
    sendBytes(square);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3d(a, a, 0);
    glVertex3d(-a, a, 0);
    glVertex3d(a, -a, 0);
    glVertex3d(-a, -a, 0);
    glEnd();
    glBegin(GL_LINE_STRIP);
    sendBytes(blue);
    glVertex3d(a, 0, 0);
    sendBytes(grey);
    glVertex3d(0, 0, 0);
    sendBytes(red);
    glVertex3d(0, a, 0);
    glEnd();
    glBegin(GL_LINE_STRIP);
    sendBytes(green);
    glVertex3d(0, 0, a);
    sendBytes(grey);
    glVertex3d(0, 0, 0);
    glEnd();
    sendBytes(green);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3d(0, 0, 0.04);
    glVertex3d(h, -h, a);
    glVertex3d(h, h, a);
    glVertex3d(-h, h, a);
    glVertex3d(-h, -h, a);
    glVertex3d(h, -h, a);
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3d(h, h, a);
    glVertex3d(h, -h, a);
    glVertex3d(-h, h, a);
    glVertex3d(-h, -h, a);
    glEnd();
    glPixelZoom(1.0f, 1.0f);
    drawLetter(0, 0, 0.04, letterZ());
    drawLetter(a, 0, 0, letterX());
    drawLetter(0, a, 0, letterY());
    sendBytes(square);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3d(-a, -a, 0);
    glVertex3d(-a, a, 0);
    glVertex3d(a, -a, 0);
    glVertex3d(a, a, 0);
    glEnd();
    glDepthFunc(GL_LESS);
    endUnlit(info);
}

const char* PluginVODOOrientationIndicator::getName()
{
    return "Orientation Indicator";
}

const char* PluginVODOOrientationIndicator::getDescription()
{
    return "Orientation Indicator [OpenGL]:\noptionally draws pivot of active modifier.";
}

void PluginVODOOrientationIndicator::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "PluginVODOOrientationIndicator", "Orientation Indicator [OpenGL]\n2000");
}

DrawObject* PluginVODOOrientationIndicator::getDrawObject(ViewTypeInfo* owner)
{
    return makeDrawObject<OpenGLDrawObjectOrientationIndicator>(this, owner,
                                                                "PluginVODOOrientationIndicator::getDrawObject");
}

const char* PluginVODOOrientationIndicator::getDisplayName()
{
    return "Orientation Indicator";
}

} // namespace zintel
