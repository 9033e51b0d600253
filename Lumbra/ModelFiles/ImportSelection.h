#pragma once

// What every model import does around the objects it adds: before, it leaves the active modifier,
// unmarks the selected objects and makes a fresh, empty selection current; the objects it adds go
// into that selection; after, their objects show as selected and the selection becomes a named
// set that bears the file's title. Both steps run only once the file was read whole, under the
// document lock, so that a refused file changes nothing.

#include "Knots/knotList.h"

#include <string>

class MAI_Doc;
class VornSelectable;
class VornSelection;

namespace lumbra
{

class ImportSelection
{
public:
    explicit ImportSelection(MAI_Doc* documentInterface);
    ImportSelection(const ImportSelection&) = delete;
    ImportSelection& operator=(const ImportSelection&) = delete;

    // Puts an imported object into the root group and into the selection.
    void add(VornSelectable* object);
    // Marks the objects selected and makes the selection the current named set `title`.
    void finish(const std::string& title);

    VornSelection* get() const;

private:
    MAI_Doc* documentInterface;
    // The selection's slot may move while other selections leave their list.
    knotReference selection;
};

// The file name without its folder: the name of an import's selection.
std::string fileTitleOf(const std::string& path);

} // namespace lumbra
