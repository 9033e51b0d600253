#pragma once

#include "Zintel/OpenGLFamilies.h"

#include <array>

namespace zintel
{

class DocItemOpenGL;

// One segment of the grid: two points.
using GridSegment = std::array<std::array<double, 3>, 2>;

// The 40 translucent lines (at 1 to 10 cells each side of the offset point, the outermost first)
// and the two lines of the axis cross of the document's grid in the plane `viewPlane` (0 XY, 1 XZ,
// 2 YZ) through the grid offset point.
struct GridGeometry
{
    std::array<GridSegment, 40> lines;
    std::array<GridSegment, 2> cross;
};
GridGeometry gridGeometry(const DocItemOpenGL& settings, int32_t viewPlane);

// The construction grid: the axis cross opaque with the model, the lines in the blended pass.
class OpenGLDrawObjectGrid : public OpenGLDrawObject
{
public:
    using OpenGLDrawObject::OpenGLDrawObject;
    void draw(int32_t mode, uint32_t tickCount) override;
    void drawBlended() override;
};

class PluginVODOGrid : public PluginVODrawObject
{
public:
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;
    const char* getDisplayName() override;
    int32_t getBitmapID() override;
};

} // namespace zintel
