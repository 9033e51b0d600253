#pragma once

#include "plugins/MAI.h"

#include <mutex>

class CVornInterfaceDoc;

// Holds the document lock. It is a base listed before MAI_Doc, so the lock outlives the model:
// whatever still runs while the model goes can still take and release it.
class DocumentLockHolder
{
protected:
    DocumentLock documentLock;
};

// The host's document interface: the active calculator, the views and the document lock.
class MAI_Doc_VornInterface : private DocumentLockHolder, public MAI_Doc
{
public:
    MAI_Doc_VornInterface(MAI* mai, CVornInterfaceDoc* owner);
    // Stops the document's calculation and waits for its worker before the model goes.
    ~MAI_Doc_VornInterface() override;

    // Switches the active calculator; a running one is stopped first when the user agrees, and
    // "CLCCH" tells every module of the switch.
    void setActiveCalculator(VornPluginCalculator* calculator) override;
    void invalidateViews() override;
    DocumentLock* getLock() override { return &documentLock; }

    // Stops the active calculator's running calculation of this document and waits for its
    // worker; false when it did not stop.
    bool stopCalculation();
    bool isCalculating();

    CVornInterfaceDoc* ownerDocument;
};

// Stops the running calculation of every open document (at exit and when the main frame closes).
void stopAllCalculations(MAI& mai);
