#include "Lumbra/Perspective/DevStatusViewPage.h"

#include "Lumbra/LumbraLibrary.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"

namespace lumbra
{

void registerDevStatusViewPageTemplate()
{
    using namespace platform;
    registerDialogTemplate(thisModule(), CViewPageDevStatus::templateId,
                           dialogTemplateOf({0, 0, 150, 175}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
                                            {controlItem("Static", -1, {7, 7, 136, 8}, SS_LEFT,
                                                         "No Properties available...")}));
}

} // namespace lumbra
