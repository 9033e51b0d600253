#include "Zintel/DocItemOpenGL.h"

#include "VornData/VornDocument.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"

#include <new>

namespace zintel
{

DocItemOpenGL::DocItemOpenGL(MAI* mai)
{
    if (mai != nullptr)
        defaultShape = static_cast<VornPluginShape*>(mai->pluginLists.shapes);
    shapeDefaultCrossSection();
}

DocItemOpenGL::~DocItemOpenGL() = default;

const char* DocItemOpenGL::getName() const
{
    return key;
}

void DocItemOpenGL::setScalelessSize(double size)
{
    scalelessSize = size;
    scalelessSizeSq3 = 3 * size * size;
    shapeDefaultCrossSection();
}

void DocItemOpenGL::shapeDefaultCrossSection()
{
    // Without any shape plugin the default cross-section keeps no outline and members without one
    // are drawn as lines.
    if (defaultShape != nullptr)
        defaultShape->applyToCrossSection(&defaultCrossSection);
}

DocItemOpenGL* DocItemOpenGL::of(VornDocument& document, MAI* mai)
{
    if (auto* item = dynamic_cast<DocItemOpenGL*>(document.getDocumentItem(key)))
        return item;
    auto* item = new (std::nothrow) DocItemOpenGL(mai);
    if (item == nullptr)
        throw Exc_OutOfMemory("PluginViewOpenGL::getViewTypeInfo docitem");
    document.addDocumentItem(item);
    return item;
}

} // namespace zintel
