#pragma once

#include "VornData/DocumentItem.h"
#include "VornData/VornCrossSection.h"
#include "Zintel/ColorRGBA.h"

class MAI;
class VornPluginShape;

namespace zintel
{

// The OpenGL settings that belong to a document rather than to one view ("OPENGL"): the size of
// the symbols, the cross-section of members that have none, the grid and the stress colours.
class DocItemOpenGL : public DocumentItem
{
public:
    static constexpr const char* key = "OPENGL";

    // The default cross-section is shaped by the first "Shape" plugin of the application.
    explicit DocItemOpenGL(MAI* mai);
    ~DocItemOpenGL() override;
    const char* getName() const override;

    double getScalelessSize() const { return scalelessSize; }
    void setScalelessSize(double size);

    // The document's item, made and added when it has none.
    static DocItemOpenGL* of(VornDocument& document, MAI* mai);

    double scalelessSize = 0.1;
    VornCrossSection defaultCrossSection;
    double scalelessSizeSq3 = 3 * 0.1 * 0.1;
    VornPluginShape* defaultShape = nullptr;
    bool gridUniform = true;
    double gridSpacingX = 1.0, gridSpacingY = 1.0, gridSpacingZ = 1.0;
    double gridOffsetX = 0.0, gridOffsetY = 0.0, gridOffsetZ = 0.0;
    ColorRGBA neutralColor{192, 192, 192};
    ColorRGBA tensionColor{255, 0, 0};
    ColorRGBA compressionColor{0, 0, 255};
    double stressExaggeration = 1.0;

private:
    void shapeDefaultCrossSection();
};

} // namespace zintel
