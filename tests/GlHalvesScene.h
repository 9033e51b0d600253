#pragma once

// A GL 1.1 scene for the tests of GL drawing on view windows: the left and the right half of the
// viewport as two display lists. A paint draws them in colours; a pick outside the paint draws
// the same lists again, in selection mode or in colours that code their names, which works only
// on the context that the paint made them on. Everything is inline, so a probe library and a test
// program each compile their own copy.

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>

namespace gl_halves
{

constexpr GLuint leftName = 1;
constexpr GLuint rightName = 2;

// The viewport and identity matrices: the scene is drawn in normalised coordinates.
inline void fillViewport(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The two lists in the current context; answers the first (the left half).
inline GLuint makeLists()
{
    const GLuint base = glGenLists(2);
    for (GLuint half = 0; half < 2; ++half)
    {
        const float left = half == 0 ? -1.0f : 0.0f;
        glNewList(base + half, GL_COMPILE);
        glBegin(GL_QUADS);
        glVertex2f(left, -1.0f);
        glVertex2f(left + 1.0f, -1.0f);
        glVertex2f(left + 1.0f, 1.0f);
        glVertex2f(left, 1.0f);
        glEnd();
        glEndList();
    }
    return base;
}

// Colours as 0x00BBGGRR words.
inline void draw(GLuint lists, std::uint32_t leftColour, std::uint32_t rightColour, bool whiteBehind = true)
{
    const float behind = whiteBehind ? 1.0f : 0.0f;
    glClearColor(behind, behind, behind, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (GLuint half = 0; half < 2; ++half)
    {
        const std::uint32_t colour = half == 0 ? leftColour : rightColour;
        glColor3ub(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        glCallList(lists + half);
    }
    glFlush();
}

// The name of the half under the window point (y down) by GL selection mode; 0 for none.
inline GLuint selectAt(GLuint lists, int x, int y, int width, int height)
{
    GLuint buffer[64] = {};
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    GLint viewport[4] = {0, 0, width, height};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x + 0.5, height - y - 0.5, 2.0, 2.0, viewport);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLoadName(leftName);
    glCallList(lists);
    glLoadName(rightName);
    glCallList(lists + 1);
    const GLint hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    // One record: name count, minimum and maximum depth, the name.
    return hits == 1 && buffer[0] == 1 ? buffer[3] : 0;
}

// The name of the half under the window point (y down), read back from a frame drawn in colours
// that code the names; the frame is not shown.
inline GLuint readNameAt(GLuint lists, int x, int y, int height)
{
    draw(lists, leftName, rightName, false);
    unsigned char pixel[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0];
}

} // namespace gl_halves
