#pragma once

#include "platform/Dialog.h"

class VornPluginViewBase;

namespace lumbra
{

// The document-status view type's page on the console's View page: the view has nothing to set,
// and the page says so.
class CViewPageDevStatus : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 132;

    explicit CViewPageDevStatus(VornPluginViewBase* viewType) : Dialog(templateId), viewType(viewType) {}

    VornPluginViewBase* viewType;
};

// Registers the page's dialog template with the library's resources.
void registerDevStatusViewPageTemplate();

} // namespace lumbra
