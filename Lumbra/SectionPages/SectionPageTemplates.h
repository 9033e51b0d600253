#pragma once

namespace lumbra
{

// Registers the dialog resources of the cross-section and material pagettes (149, 174, 144 and
// 168) with the library's resources. Registering again replaces them.
void registerSectionPageTemplates();

} // namespace lumbra
