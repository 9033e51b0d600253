#pragma once

namespace lumbra
{

// Registers the resources the user-interface kit asks this library for: its six cursors and the
// pagette holder's dialog template. Registering again replaces them.
void registerKitResources();

} // namespace lumbra
