#include "plugins/VornPlugin.h"

VornPluginBase::~VornPluginBase() = default;
