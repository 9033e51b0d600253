#pragma once

#include "Lumbra/ModelFiles/ModelFragment.h"
#include "plugins/DocumentChangeLock.h"

#include <chrono>
#include <string>

class MAI_Doc;
class VornJoint;
class VornMember;
template <class T>
class BlockList;

namespace lumbra
{

// The lists an import adds joints and members to.
struct ImportLists
{
    BlockList<VornJoint>* joints = nullptr;
    BlockList<VornMember>* members = nullptr;
};

// The document's "VornJoint" and "VornMember" lists; either is null when the document lacks it.
ImportLists importListsOf(MAI_Doc* document);

// Adds a fragment that was read and checked whole to the document, as one change under the
// document lock (so that a running calculation never sees half an import), in an import
// selection (ImportSelection): every joint and member is made in it (red, named "j<n>" and
// "m<nnnn>" after the count of their list, members with the document's creation cross-section and
// material), and the selection is named `selectionName`. False, with nothing changed, when
// the lock was not granted (the user gave up waiting, `waitingText` names the import).
bool commitModelFragment(MAI_Doc& document, const ImportLists& lists, const ModelFragment& fragment,
                         const std::string& selectionName, const char* waitingText,
                         std::chrono::milliseconds lockTimeout = documentLockTimeout);

} // namespace lumbra
