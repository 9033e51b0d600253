#pragma once

// A debugging trace line of the framework and the libraries. It goes to the standard error stream
// when the environment variable VORN_TRACE is set, and nowhere otherwise.
void vornTrace(const char* text);
