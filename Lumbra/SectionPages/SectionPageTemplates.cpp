#include "Lumbra/SectionPages/SectionPageTemplates.h"

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/SectionPages/CrossSectionPages.h"
#include "Lumbra/SectionPages/MaterialPages.h"
#include "platform/Resources.h"

namespace lumbra
{

void registerSectionPageTemplates()
{
    const platform::ModuleHandle module = thisModule();
    platform::registerDialogTemplate(module, CPageCrossSectionProperties::dialogId, crossSectionPropertiesTemplate());
    platform::registerDialogTemplate(module, CPageCrossSectionShapeProperties::dialogId,
                                     crossSectionShapePropertiesTemplate());
    platform::registerDialogTemplate(module, CPageMaterialProperties::dialogId, materialPropertiesTemplate());
    platform::registerDialogTemplate(module, CPageMaterialStrength::dialogId, materialStrengthTemplate());
}

} // namespace lumbra
