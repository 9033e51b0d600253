#include "platform/Menu.h"

#include "platform/Application.h"
#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "platform/qt/MenuQt.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <vector>

namespace platform
{

struct MenuEntry
{
    std::string text;
    std::uint32_t id = 0;
    bool separator = false;
    std::unique_ptr<Menu> popup;
    bool enabled = true;
    int check = 0;
    bool radio = false;
};

struct Menu::State
{
    Menu* self = nullptr;
    Kind kind = Kind::Popup;
    Menu* parent = nullptr;
    std::vector<MenuEntry> entries;
    std::function<void(std::uint32_t)> sink;
    std::function<void(std::uint32_t)> hover;
    const CommandRouter* router = nullptr;
    std::unique_ptr<QMenu> popupMenu; // for popups
    QPointer<QMenuBar> menuBar; // for bars, owned by their frame
    // One per entry, in order. Guarded: a bar's actions die with the frame's menu bar and a
    // submenu's action with its menu, possibly before this menu goes.
    std::vector<QPointer<QAction>> actions;

    bool valid(int position) const { return position >= 0 && position < static_cast<int>(entries.size()); }

    // The nearest menu up the chain (this one included) that has a sink, router or listener.
    const State* withSink() const
    {
        for (const State* s = this; s != nullptr; s = s->parent ? s->parent->state_.get() : nullptr)
            if (s->sink)
                return s;
        return nullptr;
    }
    const CommandRouter* effectiveRouter() const
    {
        for (const State* s = this; s != nullptr; s = s->parent ? s->parent->state_.get() : nullptr)
            if (s->router)
                return s->router;
        return nullptr;
    }
    const std::function<void(std::uint32_t)>* effectiveHover() const
    {
        for (const State* s = this; s != nullptr; s = s->parent ? s->parent->state_.get() : nullptr)
            if (s->hover)
                return &s->hover;
        return nullptr;
    }

    QWidget* qtWidget()
    {
        if (kind == Kind::Bar)
            return menuBar.data();
        if (!popupMenu)
        {
            popupMenu = std::make_unique<QMenu>();
            QObject::connect(popupMenu.get(), &QMenu::aboutToShow, [this] {
                if (const CommandRouter* r = effectiveRouter())
                    self->updateCommandStates(*r);
            });
            // Closed without a choice: no entry is under the mouse any more.
            QObject::connect(popupMenu.get(), &QMenu::aboutToHide, [this] {
                if (auto* listener = effectiveHover())
                    (*listener)(0);
            });
            rebuild();
        }
        return popupMenu.get();
    }

    void applyState(QAction* action, const MenuEntry& entry)
    {
        if (action == nullptr || entry.separator)
            return;
        action->setText(QString::fromStdString(entry.text));
        action->setEnabled(entry.enabled);
        if (!entry.popup)
        {
            action->setCheckable(entry.check != 0 || entry.radio);
            action->setChecked(entry.check != 0 || entry.radio);
        }
    }

    QWidget* existingWidget() const
    {
        return kind == Kind::Bar ? static_cast<QWidget*>(menuBar.data()) : popupMenu.get();
    }

    // Takes the entries out of the Qt menu; submenus keep their own Qt menus.
    void clearQt()
    {
        QWidget* widget = existingWidget();
        for (const QPointer<QAction>& action : actions)
        {
            if (action.isNull())
                continue;
            if (widget != nullptr)
                widget->removeAction(action);
            if (action->menu() == nullptr)
                delete action.data();
        }
        actions.clear();
    }

    // Puts the entries into the Qt menu again after a change of structure.
    void rebuild()
    {
        clearQt();
        QWidget* widget = existingWidget();
        if (widget == nullptr)
            return;
        for (MenuEntry& entry : entries)
        {
            QAction* action = nullptr;
            if (entry.separator)
            {
                action = new QAction(widget);
                action->setSeparator(true);
            }
            else if (entry.popup)
            {
                auto* sub = static_cast<QMenu*>(entry.popup->state_->qtWidget());
                action = sub->menuAction();
            }
            else
            {
                action = new QAction(widget);
                const std::uint32_t id = entry.id;
                QObject::connect(action, &QAction::triggered, [this, id] {
                    // The menu has closed: its prompt goes before the command runs (it may open a
                    // dialog for a while).
                    if (auto* listener = effectiveHover())
                        (*listener)(0);
                    if (const State* s = withSink())
                        s->sink(id);
                });
                QObject::connect(action, &QAction::hovered, [this, id] {
                    if (auto* listener = effectiveHover())
                        (*listener)(id);
                });
            }
            applyState(action, entry);
            widget->addAction(action);
            actions.push_back(action);
        }
    }

    void refresh(int position)
    {
        if (valid(position) && position < static_cast<int>(actions.size()))
            applyState(actions[position], entries[position]);
    }
};

// Writes an update handler's answers into the menu entry.
class MenuEntryCommandState final : public CommandState
{
public:
    MenuEntryCommandState(Menu& menu, int position)
        : CommandState(menu.commandId(position)), menu_(menu), position_(position)
    {
    }
    void Enable(bool enabled) override { menu_.setEnabled(position_, enabled); }
    void SetCheck(int check) override { menu_.setCheck(position_, check); }
    void SetRadio(bool on) override { menu_.setRadio(position_, on); }
    void SetText(const std::string& text) override { menu_.setText(position_, text); }

private:
    Menu& menu_;
    int position_;
};

Menu::Menu(Kind kind) : state_(std::make_unique<State>())
{
    state_->self = this;
    state_->kind = kind;
}

Menu::~Menu()
{
    state_->clearQt();
}

Menu::Kind Menu::kind() const
{
    return state_->kind;
}

int Menu::entryCount() const
{
    return static_cast<int>(state_->entries.size());
}

std::string Menu::entryText(int position) const
{
    return state_->valid(position) ? state_->entries[position].text : std::string();
}

std::uint32_t Menu::commandId(int position) const
{
    return state_->valid(position) ? state_->entries[position].id : 0;
}

bool Menu::isSeparator(int position) const
{
    return state_->valid(position) && state_->entries[position].separator;
}

Menu* Menu::submenu(int position) const
{
    return state_->valid(position) ? state_->entries[position].popup.get() : nullptr;
}

int Menu::findCommand(std::uint32_t id) const
{
    for (int position = 0; position < entryCount(); ++position)
    {
        const MenuEntry& entry = state_->entries[position];
        if (!entry.separator && !entry.popup && entry.id == id)
            return position;
    }
    return -1;
}

bool Menu::removeEntry(int position)
{
    if (!state_->valid(position))
        return false;
    // The Qt side lets go of the entry before a removed popup takes its Qt menu with it.
    state_->clearQt();
    state_->entries.erase(state_->entries.begin() + position);
    state_->rebuild();
    return true;
}

Menu* Menu::insertPopup(int position, const std::string& label)
{
    if (position < 0 || position > entryCount())
        position = entryCount();
    MenuEntry entry;
    entry.text = label;
    entry.popup = std::make_unique<Menu>(Kind::Popup);
    entry.popup->state_->parent = this;
    Menu* popup = entry.popup.get();
    state_->entries.insert(state_->entries.begin() + position, std::move(entry));
    state_->rebuild();
    return popup;
}

Menu* Menu::appendPopup(const std::string& label)
{
    return insertPopup(entryCount(), label);
}

void Menu::appendItem(std::uint32_t id, const std::string& text)
{
    insertItem(entryCount(), id, text);
}

void Menu::insertItem(int position, std::uint32_t id, const std::string& text)
{
    if (const int existing = findCommand(id); existing >= 0 && id != 0 && id != kPlaceholderCommandId)
    {
        setText(existing, text);
        return;
    }
    MenuEntry entry;
    entry.text = text;
    entry.id = id;
    if (position < 0 || position > entryCount())
        position = entryCount();
    state_->entries.insert(state_->entries.begin() + position, std::move(entry));
    state_->rebuild();
}

void Menu::appendSeparator()
{
    MenuEntry entry;
    entry.separator = true;
    state_->entries.push_back(std::move(entry));
    state_->rebuild();
}

bool Menu::isEnabled(int position) const
{
    return state_->valid(position) && state_->entries[position].enabled;
}

int Menu::checkState(int position) const
{
    return state_->valid(position) ? state_->entries[position].check : 0;
}

bool Menu::isRadio(int position) const
{
    return state_->valid(position) && state_->entries[position].radio;
}

void Menu::setEnabled(int position, bool enabled)
{
    if (!state_->valid(position))
        return;
    state_->entries[position].enabled = enabled;
    state_->refresh(position);
}

void Menu::setCheck(int position, int check)
{
    if (!state_->valid(position))
        return;
    state_->entries[position].check = check < 0 ? 0 : (check > 2 ? 2 : check);
    state_->refresh(position);
}

void Menu::setRadio(int position, bool on)
{
    if (!state_->valid(position))
        return;
    state_->entries[position].radio = on;
    state_->refresh(position);
}

void Menu::setText(int position, const std::string& text)
{
    if (!state_->valid(position))
        return;
    state_->entries[position].text = text;
    state_->refresh(position);
}

void Menu::updateCommandStates(const CommandRouter& router)
{
    for (int position = 0; position < entryCount(); ++position)
    {
        const MenuEntry& entry = state_->entries[position];
        if (entry.separator || entry.popup)
            continue;
        MenuEntryCommandState commandState(*this, position);
        router.update(commandState);
    }
}

void Menu::setCommandSink(std::function<void(std::uint32_t)> sink)
{
    state_->sink = std::move(sink);
}

void Menu::setRouter(const CommandRouter* router)
{
    state_->router = router;
}

void Menu::setHoverListener(std::function<void(std::uint32_t)> listener)
{
    state_->hover = std::move(listener);
}

std::uint32_t Menu::trackPopup(Point screenPoint, bool rightAligned, WindowHandle owner)
{
    if (state_->kind != Kind::Popup)
        return 0;
    auto* menu = static_cast<QMenu*>(state_->qtWidget());
    QPoint at(screenPoint.x, screenPoint.y);
    if (rightAligned)
        at.rx() -= menu->sizeHint().width();
    // The sink hears the choice through the action; the answer is read from the chosen action.
    QAction* chosen = nullptr;
    {
        ModalScope scope;
        chosen = menu->exec(at);
    }
    if (chosen == nullptr)
        return 0;
    std::function<std::uint32_t(const Menu&)> search = [&](const Menu& m) -> std::uint32_t {
        for (size_t position = 0; position < m.state_->actions.size(); ++position)
        {
            if (m.state_->actions[position] == chosen)
                return m.state_->entries[position].id;
            if (m.state_->entries[position].popup)
                if (std::uint32_t id = search(*m.state_->entries[position].popup))
                    return id;
        }
        return 0;
    };
    const std::uint32_t id = search(*this);
    if (id != 0)
        platform::sendMessage(owner, WM_COMMAND, makeWParam(id, 0), 0);
    return id;
}

QMenu* qtMenuOf(Menu& popup)
{
    if (popup.kind() != Menu::Kind::Popup)
        return nullptr;
    return static_cast<QMenu*>(popup.state().qtWidget());
}

void attachMenuBar(Menu& bar, QMenuBar* menuBar)
{
    Menu::State& state = bar.state();
    if (state.kind != Menu::Kind::Bar)
        return;
    state.clearQt();
    state.menuBar = menuBar;
    state.rebuild();
}

} // namespace platform
