#pragma once

// Marks what the platform library exports to the modules. Everything else in it is hidden.
#define PLATFORM_API __attribute__((visibility("default")))
