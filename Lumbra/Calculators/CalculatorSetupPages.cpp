#include "Lumbra/Calculators/CalculatorSetupPages.h"

#include "Lumbra/LumbraLibrary.h"
#include "VornData/CalcResults.h"
#include "VornData/VornDocument.h"
#include "VornData/generalException.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "platform/Time.h"
#include "plugins/MAI.h"
#include "uikit/DialogNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

namespace lumbra
{

namespace
{

const SetupPageIdentity basicPage{"Basic Iterator Setup", "Basic Iterator Setup:\nSetup calculator.",
                                  "Basic Iterator Setup", CPageCalcSetupBasicIterator::dialogId,
                                  "PluginCalculatorBasicIteratorSetupPage::update()"};
const SetupPageIdentity autoBasicPage{"Auto Basic Iterator Setup",
                                      "Automatic Basic Iterator Setup:\nSetup calculator.",
                                      "Automatic Basic Iterator Setup", CPageCalcSetupAutoBasicIterator::dialogId,
                                      "PluginCalculatorAutoBasicIteratorSetupPage::update()"};
const SetupPageIdentity fullPage{"Full Iterator Setup", "Full Iterator Setup:\nSetup calculator.",
                                 "Full Iterator Setup", CPageCalcSetupFullIterator::dialogId,
                                 "PluginCalculatorFullIteratorSetupPage::update()"};
const SetupPageIdentity velocityPage{"Velocity Iterator Setup", "Velocity Iterator Setup:\nSetup calculator.",
                                     "Velocity Iterator Setup", CPageCalcSetupVelocityIterator::dialogId,
                                     "PluginCalculatorVelocityIteratorSetupPage::update()"};

template <class... Values>
std::string formatted(const char* format, Values... values)
{
    // "%f" of a diverged calculation's value runs to hundreds of digits.
    std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, format, values...)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

} // namespace

// ---- page plugins ----

IteratorSetupPage::IteratorSetupPage(IteratorCalculator* calculator, const SetupPageIdentity& identity)
    : CalculatorSetupPage(calculator), identity(identity)
{
}

IteratorSetupPage::~IteratorSetupPage() = default;

void IteratorSetupPage::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, "Calculator", std::string(identity.aboutText) + "\n2000");
}

PluginWindowRequest* IteratorSetupPage::getWindowRequest()
{
    if (window == nullptr)
    {
        window = makeWindow();
        dialogObject = window.get();
    }
    return requestWindow(identity.dialogId);
}

void IteratorSetupPage::updateSetupPage()
{
    MAI_Doc* document = mai != nullptr ? mai->activeDocument : nullptr;
    if (document == nullptr)
        return;
    try
    {
        iteratorCalculator().itemOf(document->document);
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory(identity.updateThrower);
    }
    if (window != nullptr && window->exists())
    {
        window->dropPendingNumber();
        window->refresh();
    }
}

PluginCalculatorBasicIteratorSetupPage::PluginCalculatorBasicIteratorSetupPage(IteratorCalculator* calculator)
    : IteratorSetupPageOf(calculator, basicPage)
{
}

PluginCalculatorAutoBasicIteratorSetupPage::PluginCalculatorAutoBasicIteratorSetupPage(
    IteratorCalculator* calculator)
    : IteratorSetupPageOf(calculator, autoBasicPage)
{
}

PluginCalculatorFullIteratorSetupPage::PluginCalculatorFullIteratorSetupPage(IteratorCalculator* calculator)
    : IteratorSetupPageOf(calculator, fullPage)
{
}

PluginCalculatorVelocityIteratorSetupPage::PluginCalculatorVelocityIteratorSetupPage(IteratorCalculator* calculator)
    : IteratorSetupPageOf(calculator, velocityPage)
{
}

// ---- page windows ----

CalculatorPageWindow::CalculatorPageWindow(int32_t templateId, VornPluginWindowed* plugin)
    : Dialog(templateId), page(dynamic_cast<IteratorSetupPage*>(plugin))
{
}

bool CalculatorPageWindow::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    const auto controlId = static_cast<int32_t>(id);
    if (code == platform::EN_CHANGE || code == platform::EN_KILLFOCUS)
    {
        MAI_Doc* document = activeDocument();
        if (valueOfEdit(controlId) == nullptr || document == nullptr)
            return true;
        if (code == platform::EN_CHANGE && calculationRuns(*document))
            pendingEdit = controlId;
        else if (code == platform::EN_CHANGE || pendingEdit == controlId)
            takeNumber(*document, controlId);
        return true;
    }
    if (code == platform::BN_CLICKED)
    {
        clicked(activeDocument(), controlId);
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

bool CalculatorPageWindow::preTranslateMessage(platform::Message& message)
{
    if (message.message == platform::WM_KEYDOWN && message.wParam == platform::VK_RETURN && pendingEdit != 0)
        if (MAI_Doc* document = activeDocument())
            takeNumber(*document, pendingEdit);
    return Dialog::preTranslateMessage(message);
}

void CalculatorPageWindow::takeNumber(MAI_Doc& document, int32_t id)
{
    pendingEdit = 0;
    double* shown = valueOfEdit(id);
    double value = 0;
    if (shown == nullptr || !getDlgItemDouble(this, id, &value))
        return;
    *shown = value;
    numberTyped(document, id, value);
}

bool CalculatorPageWindow::calculationRuns(MAI_Doc& document) const
{
    return page != nullptr &&
           page->iteratorCalculator().getCalculationState(&document.document) == VornPluginCalculator::Running;
}

MAI_Doc* CalculatorPageWindow::activeDocument() const
{
    return page != nullptr && page->mai != nullptr ? page->mai->activeDocument : nullptr;
}

template <class Item>
Item* CalculatorPageWindow::itemIn(MAI_Doc& document) const
{
    return page != nullptr ? dynamic_cast<Item*>(page->iteratorCalculator().findItem(document.document)) : nullptr;
}

void CalculatorPageWindow::enableControls(std::initializer_list<int32_t> ids, bool enable)
{
    for (int32_t id : ids)
        if (platform::Window* control = dlgItem(id))
            control->enableWindow(enable);
}

PublishedExtremes publishedExtremes(VornDocument& document)
{
    PublishedExtremes extremes;
    BlockListBase* joints = document.getBlockList("VornJoint");
    BlockListBase* members = document.getBlockList("VornMember");
    if (auto* displacements =
            dynamic_cast<BlockList<CalcDisplacement>*>(joints ? joints->getChild("Displacements") : nullptr))
        for (uint32_t index = 0; index < displacements->getCount(); ++index)
            extremes.displacement = std::max(extremes.displacement, (*displacements)[index].displacement.length());
    if (auto* forces = dynamic_cast<BlockList<CalcNForce>*>(members ? members->getChild("NForces") : nullptr))
        for (uint32_t index = 0; index < forces->getCount(); ++index)
            extremes.axialForce = std::max(extremes.axialForce, std::fabs((*forces)[index].axialForce));
    return extremes;
}

template <class Item>
double* ParameterPageWindow<Item>::valueOfEdit(int32_t id)
{
    for (const Field& field : fields)
        if (field.id == id)
            return field.shown;
    return nullptr;
}

template <class Item>
void ParameterPageWindow<Item>::numberTyped(MAI_Doc& document, int32_t id, double value)
{
    Item* item = this->template itemIn<Item>(document);
    for (const Field& field : fields)
        if (item != nullptr && field.id == id)
            item->changeParameters([&](Parameters& values) { values.*field.parameter = value; });
}

template <class Item>
auto ParameterPageWindow<Item>::showItem(MAI_Doc& document) -> std::optional<Parameters>
{
    Item* item = this->template itemIn<Item>(document);
    if (item == nullptr)
        return std::nullopt;
    const Parameters values = item->parameters();
    for (const Field& field : fields)
        *field.shown = values.*field.parameter;
    return values;
}

// ---- Basic ----

CPageCalcSetupBasicIterator::CPageCalcSetupBasicIterator(platform::Window*, VornPluginWindowed* plugin)
    : ParameterPageWindow(dialogId, plugin)
{
    fields = {{SetupControl::factor, &inverseDisplacementFactor, &BasicParameters::inverseDisplacementFactor},
              {SetupControl::eFactor, &eFactor, &BasicParameters::eFactor},
              {SetupControl::g, &g, &BasicParameters::g}};
}

void CPageCalcSetupBasicIterator::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeDouble(exchange, SetupControl::factor, inverseDisplacementFactor);
    platform::exchangeDouble(exchange, SetupControl::eFactor, eFactor);
    platform::exchangeDouble(exchange, SetupControl::g, g);
    if (exchange.saveAndValidate)
        return;
    for (const auto& [id, statistic] : {std::pair{SetupControl::biggestDisplacement, &biggestDisplacement},
                                        std::pair{SetupControl::biggestForce, &biggestForce},
                                        std::pair{SetupControl::residual, &residual}})
        if (statistic->value)
            setDlgItemNumber(id, *statistic->value, statistic->text);
        else
            setDlgItemText(id, statistic->text);
}

void CPageCalcSetupBasicIterator::refresh()
{
    MAI_Doc* document = activeDocument();
    if (document == nullptr)
        return;
    showItem(*document);
    updateData(false);
}

void CPageCalcSetupBasicIterator::clicked(MAI_Doc* document, int32_t id)
{
    auto* item = document != nullptr && id == SetupControl::update ? itemIn<BasicIteratorItem>(*document) : nullptr;
    if (item == nullptr)
        return;
    if (VornPluginCalculator* active = document->getActiveCalculator())
    {
        // One stamp for both kinds: the calculator publishes once.
        const auto stamp = static_cast<int32_t>(platform::tickCount());
        active->getResults(document, jointDisplacements.id, stamp);
        active->getResults(document, memberNormalForces.id, stamp);
    }
    const PublishedExtremes extremes = publishedExtremes(document->document);
    const double outOfBalanceForce = item->statistics.outOfBalanceForce.load();
    biggestDisplacement = {formatted("%.7f", extremes.displacement), extremes.displacement};
    biggestForce = {formatted("%.7f", extremes.axialForce), extremes.axialForce};
    residual = {formatted("%f", outOfBalanceForce), outOfBalanceForce};
    updateData(false);
}

// ---- Auto basic ----

CPageCalcSetupAutoBasicIterator::CPageCalcSetupAutoBasicIterator(platform::Window*, VornPluginWindowed* plugin)
    : ParameterPageWindow(dialogId, plugin)
{
    fields = {{SetupControl::factor, &factor, &AutoBasicParameters::factor},
              {SetupControl::factorBase, &factorBase, &AutoBasicParameters::factorBase},
              {SetupControl::eFactor, &eFactor, &AutoBasicParameters::eFactor},
              {SetupControl::g, &g, &AutoBasicParameters::g}};
}

bool CPageCalcSetupAutoBasicIterator::onInitDialog()
{
    Dialog::onInitDialog();
    checkDlgButton(SetupControl::automatic, platform::BST_CHECKED);
    return true;
}

void CPageCalcSetupAutoBasicIterator::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeCheck(exchange, SetupControl::automatic, automatic);
    platform::exchangeDouble(exchange, SetupControl::eFactor, eFactor);
    platform::exchangeDouble(exchange, SetupControl::g, g);
    platform::exchangeDouble(exchange, SetupControl::factorBase, factorBase);
    platform::exchangeDouble(exchange, SetupControl::factor, factor);
}

void CPageCalcSetupAutoBasicIterator::enableStepControls(bool automaticOn)
{
    enableControls({SetupControl::factor, SetupControl::factorLabel}, !automaticOn);
    enableControls({SetupControl::factorBase, SetupControl::factorBaseLabel}, automaticOn);
}

void CPageCalcSetupAutoBasicIterator::refresh()
{
    MAI_Doc* document = activeDocument();
    if (document == nullptr)
        return;
    if (const std::optional<AutoBasicParameters> values = showItem(*document))
    {
        automatic = values->automatic ? platform::BST_CHECKED : platform::BST_UNCHECKED;
        enableStepControls(values->automatic);
    }
    updateData(false);
}

void CPageCalcSetupAutoBasicIterator::clicked(MAI_Doc* document, int32_t id)
{
    auto* item = document != nullptr ? itemIn<AutoBasicIteratorItem>(*document) : nullptr;
    if (id == SetupControl::automatic)
    {
        if (item == nullptr)
            return;
        const bool on = isTicked(SetupControl::automatic);
        automatic = on ? platform::BST_CHECKED : platform::BST_UNCHECKED;
        item->changeParameters([on](AutoBasicParameters& values) { values.automatic = on; });
        enableStepControls(on);
    }
    else if (id == SetupControl::update)
    {
        if (item == nullptr)
        {
            setDlgItemText(SetupControl::update, "Click To Update...");
            return;
        }
        const double stiffness = item->statistics.biggestStiffness.load();
        setDlgItemText(SetupControl::update,
                       item->parameters().automatic
                           ? formatted("Biggest EA/Lo: %f\nUsed Factor: %f\nclick to update", stiffness,
                                       item->statistics.usedFactor.load())
                           : formatted("Biggest EA/Lo: %f\nUsed Factor: n.a.\nclick to update", stiffness));
    }
}

// ---- Full and Velocity ----

template <class Item>
DampedPageWindow<Item>::DampedPageWindow(int32_t templateId, VornPluginWindowed* plugin, double timeBase,
                                         double drag)
    : ParameterPageWindow<Item>(templateId, plugin), timeBase(timeBase), drag(drag)
{
    using Parameters = typename ParameterPageWindow<Item>::Parameters;
    this->fields = {{SetupControl::eFactor, &eFactor, &Parameters::eFactor},
                    {SetupControl::g, &g, &Parameters::g},
                    {SetupControl::timeBase, &this->timeBase, &Parameters::timeBase}};
}

template <class Item>
void DampedPageWindow<Item>::refresh()
{
    MAI_Doc* document = this->activeDocument();
    if (document == nullptr)
        return;
    if (const auto values = this->showItem(*document))
    {
        drag = values->dragValue;
        // On while the kept value is the damping in effect (also when both are 0).
        dragOn = values->dragValue == values->drag ? platform::BST_CHECKED : platform::BST_UNCHECKED;
    }
    this->enableControls({SetupControl::drag}, dragOn == platform::BST_CHECKED);
    this->updateData(false);
}

template <class Item>
double* DampedPageWindow<Item>::valueOfEdit(int32_t id)
{
    return id == SetupControl::drag ? &drag : ParameterPageWindow<Item>::valueOfEdit(id);
}

template <class Item>
void DampedPageWindow<Item>::numberTyped(MAI_Doc& document, int32_t id, double value)
{
    if (id != SetupControl::drag)
    {
        ParameterPageWindow<Item>::numberTyped(document, id, value);
        return;
    }
    Item* item = this->template itemIn<Item>(document);
    if (item == nullptr)
        return;
    // The drag edit is enabled only while damping is on; the kept value follows it always.
    const bool dampingOn = this->isTicked(SetupControl::dragOn);
    item->changeParameters([&](auto& values) {
        values.dragValue = value;
        if (dampingOn)
            values.drag = value;
    });
}

template <class Item>
void DampedPageWindow<Item>::clicked(MAI_Doc* document, int32_t id)
{
    Item* item = document != nullptr && id == SetupControl::dragOn ? this->template itemIn<Item>(*document) : nullptr;
    if (item == nullptr)
        return;
    this->updateData(true);
    const bool on = dragOn == platform::BST_CHECKED;
    this->enableControls({SetupControl::drag}, on);
    item->changeParameters([on](auto& values) { values.drag = on ? values.dragValue : 0.0; });
}

template class ParameterPageWindow<BasicIteratorItem>;
template class ParameterPageWindow<AutoBasicIteratorItem>;
template class ParameterPageWindow<FullIteratorItem>;
template class ParameterPageWindow<VelocityIteratorItem>;
template class DampedPageWindow<FullIteratorItem>;
template class DampedPageWindow<VelocityIteratorItem>;

CPageCalcSetupFullIterator::CPageCalcSetupFullIterator(platform::Window*, VornPluginWindowed* plugin)
    : DampedPageWindow(dialogId, plugin, 0, 0.01)
{
}

void CPageCalcSetupFullIterator::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeCheck(exchange, SetupControl::dragOn, dragOn);
    platform::exchangeDouble(exchange, SetupControl::drag, drag);
    platform::exchangeDouble(exchange, SetupControl::eFactor, eFactor);
    platform::exchangeDouble(exchange, SetupControl::g, g);
    platform::exchangeDouble(exchange, SetupControl::timeBase, timeBase);
}

CPageCalcSetupVelocityIterator::CPageCalcSetupVelocityIterator(platform::Window*, VornPluginWindowed* plugin)
    : DampedPageWindow(dialogId, plugin, 0.01, 0.1)
{
}

void CPageCalcSetupVelocityIterator::doDataExchange(platform::DataExchange& exchange)
{
    platform::exchangeDouble(exchange, SetupControl::eFactor, eFactor);
    platform::exchangeDouble(exchange, SetupControl::g, g);
    platform::exchangeDouble(exchange, SetupControl::timeBase, timeBase);
    platform::exchangeDouble(exchange, SetupControl::drag, drag);
    platform::exchangeCheck(exchange, SetupControl::dragOn, dragOn);
    platform::exchangeDouble(exchange, SetupControl::floorHeight, floorHeight);
    platform::exchangeCheck(exchange, SetupControl::floorOn, floorOn);
}

void CPageCalcSetupVelocityIterator::refresh()
{
    if (MAI_Doc* document = activeDocument())
    {
        const bool on = document->document.floorEnabled.load();
        floorOn = on ? platform::BST_CHECKED : platform::BST_UNCHECKED;
        enableControls({SetupControl::floorHeight}, on);
        floorHeight = document->document.floorHeight.load();
    }
    DampedPageWindow::refresh();
}

double* CPageCalcSetupVelocityIterator::valueOfEdit(int32_t id)
{
    return id == SetupControl::floorHeight ? &floorHeight : DampedPageWindow::valueOfEdit(id);
}

void CPageCalcSetupVelocityIterator::numberTyped(MAI_Doc& document, int32_t id, double value)
{
    if (id == SetupControl::floorHeight)
        document.document.floorHeight.store(value);
    else
        DampedPageWindow::numberTyped(document, id, value);
}

void CPageCalcSetupVelocityIterator::clicked(MAI_Doc* document, int32_t id)
{
    if (id != SetupControl::floorOn)
    {
        DampedPageWindow::clicked(document, id);
        return;
    }
    if (document == nullptr)
        return;
    updateData(true);
    const bool on = floorOn == platform::BST_CHECKED;
    document->document.floorEnabled.store(on);
    enableControls({SetupControl::floorHeight}, on);
    floorHeight = document->document.floorHeight.load();
    updateData(false);
}

// ---- templates ----

namespace
{

using namespace platform;

DialogItemTemplate label(DialogUnitRect rect, const char* text, int32_t id = -1, uint32_t extra = 0)
{
    return controlItem("Static", id, rect, SS_LEFT | extra, text);
}

DialogItemTemplate numberEdit(int32_t id, DialogUnitRect rect, uint32_t extra = 0)
{
    return controlItem("Edit", id, rect, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | extra);
}

DialogTemplate pageTemplate(int32_t height, std::vector<DialogItemTemplate> items)
{
    // Hidden until the setup dialog shows the page of the active calculator.
    return dialogTemplateOf({0, 0, 137, height}, WS_CHILD | DS_CONTROL | DS_SETFONT, "", std::move(items));
}

// E-factor and g: the first rows of every page but the Basic one.
std::vector<DialogItemTemplate> stiffnessRows()
{
    return {label({5, 9, 50, 8}, "E-factor"), numberEdit(SetupControl::eFactor, {60, 7, 72, 12}),
            label({5, 25, 50, 8}, "g"), numberEdit(SetupControl::g, {60, 23, 72, 12})};
}

DialogTemplate basicTemplate()
{
    return pageTemplate(
        107, {
                 label({5, 9, 52, 8}, "Inv.Disp.factor"),
                 numberEdit(SetupControl::factor, {60, 7, 72, 12}),
                 label({5, 25, 52, 8}, "E-factor"),
                 numberEdit(SetupControl::eFactor, {60, 23, 72, 12}),
                 label({5, 41, 52, 8}, "g"),
                 numberEdit(SetupControl::g, {60, 39, 72, 12}),
                 controlItem("Static", -1, {3, 55, 131, 33}, SS_GRAYFRAME),
                 label({7, 58, 50, 8}, "Biggest Displ:"),
                 label({58, 58, 74, 8}, CPageCalcSetupBasicIterator::unknownStatistic, SetupControl::biggestDisplacement),
                 label({7, 68, 50, 8}, "Biggest Force:"),
                 label({58, 68, 74, 8}, CPageCalcSetupBasicIterator::unknownStatistic, SetupControl::biggestForce),
                 label({7, 78, 50, 8}, "BRF/1d:"),
                 label({58, 78, 74, 8}, CPageCalcSetupBasicIterator::unknownStatistic, SetupControl::residual),
                 pushButtonItem(SetupControl::update, {82, 90, 50, 14}, "&Update"),
             });
}

DialogTemplate autoBasicTemplate()
{
    std::vector<DialogItemTemplate> items = stiffnessRows();
    DialogItemTemplate factorLabel = label({10, 87, 45, 8}, "Factor", SetupControl::factorLabel, WS_DISABLED);
    for (DialogItemTemplate& item : std::vector<DialogItemTemplate>{
             controlItem("Button", -1, {3, 41, 131, 64}, BS_GROUPBOX, "Convergence Factor"),
             checkBoxItem(SetupControl::automatic, {10, 53, 60, 10}, "Automatic"),
             label({10, 71, 45, 8}, "FactorBase", SetupControl::factorBaseLabel),
             numberEdit(SetupControl::factorBase, {60, 69, 68, 12}),
             factorLabel,
             numberEdit(SetupControl::factor, {60, 85, 68, 12}, WS_DISABLED),
             controlItem("Button", SetupControl::update, {3, 111, 131, 40},
                         BS_PUSHBUTTON | BS_MULTILINE | BS_LEFT | WS_TABSTOP, "Click To Update"),
         })
        items.push_back(std::move(item));
    return pageTemplate(181, std::move(items));
}

// The rows of the Full page; the Velocity page adds the floor.
std::vector<DialogItemTemplate> dampedRows()
{
    std::vector<DialogItemTemplate> items = stiffnessRows();
    items.push_back(label({5, 41, 50, 8}, "Time Base"));
    items.push_back(numberEdit(SetupControl::timeBase, {60, 39, 72, 12}));
    items.push_back(checkBoxItem(SetupControl::dragOn, {5, 56, 50, 10}, "Drag"));
    // Enabled while the Drag box is ticked, which it is not before the first refresh.
    items.push_back(numberEdit(SetupControl::drag, {60, 55, 72, 12}, WS_DISABLED));
    return items;
}

DialogTemplate velocityTemplate()
{
    std::vector<DialogItemTemplate> items = dampedRows();
    items.push_back(checkBoxItem(SetupControl::floorOn, {5, 72, 50, 10}, "Floor"));
    items.push_back(numberEdit(SetupControl::floorHeight, {60, 71, 72, 12}, WS_DISABLED));
    return pageTemplate(210, std::move(items));
}

} // namespace

void registerCalculatorSetupPageTemplates()
{
    registerDialogTemplate(thisModule(), CPageCalcSetupBasicIterator::dialogId, basicTemplate());
    registerDialogTemplate(thisModule(), CPageCalcSetupAutoBasicIterator::dialogId, autoBasicTemplate());
    registerDialogTemplate(thisModule(), CPageCalcSetupFullIterator::dialogId, pageTemplate(210, dampedRows()));
    registerDialogTemplate(thisModule(), CPageCalcSetupVelocityIterator::dialogId, velocityTemplate());
}

} // namespace lumbra
