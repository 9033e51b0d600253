#pragma once

// Proposals of names for new objects: the name that follows a given one. Any length of name and
// of digit run works; the digits are counted up as text, never converted to a machine number.

#include <string>

// Beam009 gives Beam010, A999 gives A1000, Beam gives Beam001; the empty name stays empty.
void makeNextName(std::string& name);

// The numbering of force definitions and imported names: a trailing run of at most 5 digits
// becomes its value plus one with at least three digits (Joint7 gives Joint008, Joint0099 gives
// Joint100); a name without such a run gets "#002" (Joint gives Joint#002, A123456 gives
// A123456#002).
void incrementNameNumber(std::string& name);
