#include "VornInterface/Snapshots.h"

#include "VornData/VornDocument.h"
#include "platform/BmpFile.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "plugins/MAI.h"

#include <cstdio>
#include <filesystem>

std::string snapshotFileName(const std::string& prefix, int32_t counter)
{
    char number[16];
    std::snprintf(number, sizeof number, "%04d", counter);
    return prefix + number + ".bmp";
}

std::string snapshotPrefixOf(const std::string& chosenPath)
{
    return std::filesystem::path(chosenPath).replace_extension().string();
}

Snapshots& Snapshots::instance()
{
    static Snapshots snapshots;
    return snapshots;
}

bool Snapshots::chooseTarget(platform::WindowHandle owner)
{
    platform::FileDialogRequest request;
    request.save = true;
    request.owner = owner;
    request.title = "Enter SnapShot Target File";
    request.filters = {{"Bitmap (*.bmp)", "*.bmp"}};
    request.defaultExtension = "bmp";
    request.fileName = lastChosenPath;
    request.flags = platform::OFN_HIDEREADONLY | platform::OFN_OVERWRITEPROMPT;
    if (!platform::chooseFile(request))
        return false;
    lastChosenPath = request.fileName.substr(0, 256);
    prefix = snapshotPrefixOf(lastChosenPath);
    platform::messageBox(owner, prefix, lastChosenPath);
    counter = 0;
    failureReported = false;
    return true;
}

void Snapshots::makeSnapshot(MAI_View* activeView, platform::WindowHandle owner)
{
    if (prefix.empty() && !chooseTarget(owner))
        return;
    if (activeView != nullptr)
        activeView->snapshotRequested = 1;
}

void Snapshots::toggleAutoSnapshot(VornDocument* activeDocument, platform::WindowHandle owner)
{
    if (prefix.empty() && !chooseTarget(owner))
        return;
    if (activeDocument == nullptr)
        return;
    int32_t pending = activeDocument->pendingIterations.load();
    // The worker may count down meanwhile; whatever it left, the switch goes to the other side.
    while (!activeDocument->pendingIterations.compare_exchange_weak(pending, pending < 0 ? 0 : -1))
    {
    }
}

bool Snapshots::isAutoSnapshotOn(const VornDocument* activeDocument)
{
    return activeDocument != nullptr && activeDocument->pendingIterations.load() >= 0;
}

void Snapshots::afterPaint(MAI_View& view, bool isActiveView, VornDocument* activeDocument,
                           const std::function<platform::Surface()>& renderView, platform::WindowHandle errorOwner)
{
    if (activeDocument != nullptr && activeDocument->pendingIterations.load() == 0)
        view.snapshotRequested = 1;
    if (!isActiveView || view.snapshotRequested == 0)
        return;
    view.snapshotRequested = 0;
    platform::Surface image = renderView ? renderView() : platform::Surface();
    if (!image.isEmpty())
        writeSnapshot(image, errorOwner);
    if (activeDocument != nullptr)
    {
        int32_t waiting = 0;
        activeDocument->pendingIterations.compare_exchange_strong(waiting, autoSnapshotIterations);
    }
}

bool Snapshots::writeSnapshot(const platform::Surface& image, platform::WindowHandle errorOwner)
{
    const std::string path = snapshotFileName(prefix, counter);
    ++counter;
    const platform::BmpWriteError error = platform::writeBmpFile(path, image);
    if (error == platform::BmpWriteError::None)
    {
        failureReported = false;
        return true;
    }
    if (!failureReported)
    {
        failureReported = true;
        const char* step = error == platform::BmpWriteError::CreateFile ? "CreateFile" : "WriteFile";
        platform::messageBox(errorOwner,
                             std::string(step) + "\nThe snapshot \"" + path +
                                 "\" could not be written.\nFurther snapshots that fail are not reported.",
                             "err", platform::MB_OK);
    }
    return false;
}

void Snapshots::reset()
{
    *this = Snapshots();
}
