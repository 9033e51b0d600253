#pragma once

#include <cstdint>
#include <string>

// Names of the keys by virtual-key code, as menus and the accelerators dialog show them ("Left",
// "Home", "Page Up", "Insert", "Delete", "F5", "A", "Num 7"). Our own table: the toolkit's key
// names differ between systems and keyboard layouts, and bindings must read the same everywhere.
// Empty for a code that names no key.
std::string keyName(uint32_t virtualKey);

// The name with its first character in upper case and the others in lower case ("Page up"), the
// form of unshifted keys in menus and of every key in the accelerators dialog.
std::string capitalizedKeyName(const std::string& name);
