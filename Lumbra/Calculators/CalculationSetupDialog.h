#pragma once

#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "plugins/VornPluginDialog.h"

#include <memory>

namespace lumbra
{

class CDialogCalculationSetup;
class PluginCalculationSetupDialog;

// Lets the setup dialog follow the active calculator ("CLCCH") and the active document ("DOCCH").
class CalculationSetupListener : public NotifierListener
{
public:
    explicit CalculationSetupListener(PluginCalculationSetupDialog& dialog) : dialog(dialog) {}
    void notify(void* payload) override;

private:
    PluginCalculationSetupDialog& dialog;
};

// The docking bar with the parameters of the active document's active calculator. Every
// calculator packages a page ("Calculation Setup Page"); the registry files the pages in this
// dialog's list, the dialog lays all their windows over its client area and shows the page of the
// active calculator only.
class PluginCalculationSetupDialog : public VornPluginDialog
{
public:
    static constexpr int32_t dialogId = 155;

    PluginCalculationSetupDialog();
    ~PluginCalculationSetupDialog() override;

    // The first call subscribes the listeners.
    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    void registerPluginTypes(PluginManager* registry) override;
    void registerListeners() override;
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    // Makes the dialog object on the first request; the host makes its window around it.
    PluginWindowRequest* getWindowRequest() override;
    const char* getWindowTitle() override;
    int32_t getDockInfo(uint32_t key) override;

    // Titles the bar after the active calculator, shows that calculator's page only and refreshes
    // it. Nothing without an active document or calculator.
    void showActivePage();
    // The first of the pages filed under the dialog (chained by getNext).
    VornPluginBase* firstPage() const { return pages; }

private:
    void subscribeListeners();

    std::unique_ptr<CalculationSetupListener> calculatorListener;
    std::unique_ptr<CalculationSetupListener> documentListener;
    VornPluginBase* pages = nullptr;
    std::unique_ptr<CDialogCalculationSetup> dialog;
};

// The window of the setup dialog: "No Properties..." where no page covers it, and the page windows
// stacked over the whole client area.
class CDialogCalculationSetup : public platform::Dialog
{
public:
    CDialogCalculationSetup(platform::Window* parent, VornPluginWindowed* plugin);

    // Makes the windows of all pages over the client area, then shows the active calculator's.
    bool onInitDialog() override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    void layPages();

    PluginCalculationSetupDialog* plugin;
};

platform::DialogTemplate calculationSetupDialogTemplate();
// Registers the templates of the dialog and of the calculators' setup pages.
void registerCalculationSetupTemplates();

} // namespace lumbra
