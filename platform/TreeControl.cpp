#include "platform/TreeControl.h"

#include "platform/ControlNotifications.h"
#include "platform/ImageList.h"
#include "platform/ImageListQt.h"
#include "platform/RichControlsQt.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTreeWidget>

#include <unordered_map>

namespace platform
{
namespace
{

constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kDataRole = Qt::UserRole + 2;
constexpr int kImageRole = Qt::UserRole + 3;
constexpr int kSelectedImageRole = Qt::UserRole + 4;

class TreeWidget;

} // namespace

struct TreeControl::State
{
    TreeControl* self = nullptr;
    QPointer<QTreeWidget> tree;
    const ImageList* images = nullptr;
    bool editLabels = false;
    std::uint64_t nextId = 1;
    std::unordered_map<std::uint64_t, QTreeWidgetItem*> items;
    std::function<std::intptr_t(TreeNotification&)> notify;
    QPointer<QLineEdit> editor;
    TreeItem editedItem = TreeItem::None;

    QTreeWidgetItem* find(TreeItem item) const
    {
        auto found = items.find(static_cast<std::uint64_t>(item));
        return found == items.end() ? nullptr : found->second;
    }
    static TreeItem idOf(const QTreeWidgetItem* item)
    {
        return item ? static_cast<TreeItem>(item->data(0, kIdRole).toULongLong()) : TreeItem::None;
    }
    static std::intptr_t dataOf(const QTreeWidgetItem* item)
    {
        return item ? static_cast<std::intptr_t>(item->data(0, kDataRole).toLongLong()) : 0;
    }
    std::intptr_t send(TreeNotification& notification) { return notify ? notify(notification) : 0; }

    void forget(QTreeWidgetItem* item)
    {
        for (int i = 0; i < item->childCount(); ++i)
            forget(item->child(i));
        items.erase(static_cast<std::uint64_t>(idOf(item)));
        if (editedItem == idOf(item))
            closeEditor();
    }

    void refreshIcon(QTreeWidgetItem* item)
    {
        const bool selected = item == tree->currentItem();
        const int image = item->data(0, selected ? kSelectedImageRole : kImageRole).toInt();
        item->setIcon(0, images && image >= 0 ? QIcon(pixmapOf(*images, image)) : QIcon());
    }

    // Moves the selection, answering false when vetoed. Qt's own current item follows silently.
    bool changeSelection(QTreeWidgetItem* target, std::uint32_t action)
    {
        QTreeWidgetItem* previous = tree->currentItem();
        if (previous == target)
            return true;
        TreeNotification changing{notify_code::TreeSelectionChanging, action, idOf(previous), idOf(target),
                                  dataOf(previous), dataOf(target), nullptr};
        if (send(changing) != 0)
            return false;
        setCurrentSilently(target);
        TreeNotification changed = changing;
        changed.code = notify_code::TreeSelectionChanged;
        send(changed);
        return true;
    }

    void setCurrentSilently(QTreeWidgetItem* target)
    {
        QTreeWidgetItem* previous = tree->currentItem();
        const QSignalBlocker block(tree);
        if (target)
        {
            tree->setCurrentItem(target);
        }
        else
        {
            tree->setCurrentItem(nullptr);
            tree->clearSelection();
        }
        if (previous)
            refreshIcon(previous);
        if (target)
            refreshIcon(target);
        tree->viewport()->update();
    }

    void closeEditor()
    {
        editedItem = TreeItem::None;
        if (QLineEdit* e = editor.data())
        {
            editor.clear();
            e->removeEventFilter(tree);
            e->hide();
            e->deleteLater();
        }
    }

    bool endEdit(bool cancel)
    {
        QTreeWidgetItem* item = find(editedItem);
        if (!editor || !item)
        {
            closeEditor();
            return false;
        }
        const std::string text = editor->text().toStdString();
        const TreeItem edited = editedItem;
        closeEditor(); // before the owner hears of it: it may open another edit
        TreeNotification end{notify_code::TreeEndLabelEdit, 0, edited, edited, dataOf(item), dataOf(item),
                             cancel ? nullptr : text.c_str()};
        const bool accepted = send(end) != 0;
        if (!cancel && accepted)
            if (QTreeWidgetItem* still = find(edited))
                still->setText(0, QString::fromStdString(text));
        return true;
    }
};

namespace
{

class TreeWidget : public QTreeWidget
{
public:
    explicit TreeWidget(TreeControl::State& state) : state_(state)
    {
        setHeaderHidden(true);
        setColumnCount(1);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        const bool onLabel = item && event->position().toPoint().x() >= visualItemRect(item).left();
        if (event->button() == Qt::LeftButton && onLabel)
        {
            guardedToolkitCall([&] {
                if (item == currentItem())
                {
                    if (state_.editLabels)
                        state_.self->editLabel(TreeControl::State::idOf(item));
                }
                else
                {
                    state_.changeSelection(item, tree_action::ByMouse);
                }
            });
            return;
        }
        // The expand arrows and empty space keep the toolkit's behaviour.
        const QSignalBlocker block(this);
        QTreeWidgetItem* before = currentItem();
        QTreeWidget::mousePressEvent(event);
        if (currentItem() != before)
            state_.setCurrentSilently(before);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        if (item)
            item->setExpanded(!item->isExpanded());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F2 && state_.editLabels && currentItem())
        {
            guardedToolkitCall([&] { state_.self->editLabel(TreeControl::State::idOf(currentItem())); });
            return;
        }
        QTreeWidgetItem* before = currentItem();
        {
            const QSignalBlocker block(this);
            QTreeWidget::keyPressEvent(event);
        }
        QTreeWidgetItem* after = currentItem();
        if (after != before)
        {
            // The toolkit moved first; put it back and move again through the notifying path.
            state_.setCurrentSilently(before);
            guardedToolkitCall([&] { state_.changeSelection(after, tree_action::ByKeyboard); });
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == state_.editor.data())
        {
            if (event->type() == QEvent::KeyPress)
            {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                {
                    guardedToolkitCall([&] { state_.endEdit(key == Qt::Key_Escape); });
                    return true;
                }
            }
            else if (event->type() == QEvent::FocusOut)
            {
                guardedToolkitCall([&] { state_.endEdit(false); });
            }
        }
        return QTreeWidget::eventFilter(watched, event);
    }

private:
    TreeControl::State& state_;
};

} // namespace

TreeControl::TreeControl() : state_(std::make_unique<State>())
{
    state_->self = this;
    state_->tree = new TreeWidget(*state_);
}

TreeControl::~TreeControl()
{
    state_->closeEditor();
    delete state_->tree.data();
}

void TreeControl::setImageList(const ImageList* images)
{
    state_->images = images;
    if (images)
        state_->tree->setIconSize(QSize(images->imageSize().width, images->imageSize().height));
    for (auto& [id, item] : state_->items)
        state_->refreshIcon(item);
}

void TreeControl::setEditLabels(bool allowed)
{
    state_->editLabels = allowed;
}

TreeItem TreeControl::insertItem(const std::string& text, int image, int selectedImage, TreeItem parent,
                                 TreeItem insertAfter, std::intptr_t data)
{
    QTreeWidgetItem* parentItem = nullptr;
    if (parent != TreeItem::None)
    {
        parentItem = state_->find(parent);
        if (!parentItem)
            return TreeItem::None;
    }
    auto childCount = [&] { return parentItem ? parentItem->childCount() : state_->tree->topLevelItemCount(); };
    auto childAt = [&](int i) { return parentItem ? parentItem->child(i) : state_->tree->topLevelItem(i); };
    const QString label = QString::fromStdString(text);
    int position = childCount();
    if (insertAfter == TreeItem::First)
        position = 0;
    else if (insertAfter == TreeItem::Sort)
    {
        position = 0;
        while (position < childCount() && QString::compare(childAt(position)->text(0), label, Qt::CaseInsensitive) <= 0)
            ++position;
    }
    else if (insertAfter != TreeItem::Last)
    {
        QTreeWidgetItem* after = state_->find(insertAfter);
        if (!after || after->parent() != parentItem)
            return TreeItem::None;
        position = (parentItem ? parentItem->indexOfChild(after) : state_->tree->indexOfTopLevelItem(after)) + 1;
    }
    auto* item = new QTreeWidgetItem(QStringList{label});
    const std::uint64_t id = state_->nextId++;
    item->setData(0, kIdRole, QVariant::fromValue<qulonglong>(id));
    item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    state_->items[id] = item;
    {
        const QSignalBlocker block(state_->tree);
        if (parentItem)
            parentItem->insertChild(position, item);
        else
            state_->tree->insertTopLevelItem(position, item);
    }
    state_->refreshIcon(item);
    return static_cast<TreeItem>(id);
}

bool TreeControl::deleteItem(TreeItem item)
{
    QTreeWidgetItem* found = state_->find(item);
    if (!found)
        return false;
    QTreeWidgetItem* current = state_->tree->currentItem();
    bool currentGoes = false;
    for (QTreeWidgetItem* walk = current; walk; walk = walk->parent())
        currentGoes = currentGoes || walk == found;
    state_->forget(found);
    const QSignalBlocker block(state_->tree);
    if (currentGoes)
        state_->setCurrentSilently(nullptr);
    delete found;
    return true;
}

bool TreeControl::deleteAllItems()
{
    state_->closeEditor();
    state_->items.clear();
    const QSignalBlocker block(state_->tree);
    state_->tree->clear();
    return true;
}

int TreeControl::count() const
{
    return static_cast<int>(state_->items.size());
}

std::string TreeControl::itemText(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    return found ? found->text(0).toStdString() : std::string();
}

bool TreeControl::setItemText(TreeItem item, const std::string& text)
{
    QTreeWidgetItem* found = state_->find(item);
    if (found)
        found->setText(0, QString::fromStdString(text));
    return found != nullptr;
}

std::intptr_t TreeControl::itemData(TreeItem item) const
{
    return State::dataOf(state_->find(item));
}

bool TreeControl::setItemData(TreeItem item, std::intptr_t data)
{
    QTreeWidgetItem* found = state_->find(item);
    if (found)
        found->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    return found != nullptr;
}

int TreeControl::itemImage(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    return found ? found->data(0, kImageRole).toInt() : -1;
}

bool TreeControl::setItemImage(TreeItem item, int image, int selectedImage)
{
    QTreeWidgetItem* found = state_->find(item);
    if (!found)
        return false;
    found->setData(0, kImageRole, image);
    found->setData(0, kSelectedImageRole, selectedImage);
    state_->refreshIcon(found);
    return true;
}

TreeItem TreeControl::rootItem() const
{
    return State::idOf(state_->tree->topLevelItem(0));
}

TreeItem TreeControl::parentItem(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    return found ? State::idOf(found->parent()) : TreeItem::None;
}

TreeItem TreeControl::childItem(TreeItem item) const
{
    if (item == TreeItem::None)
        return rootItem();
    QTreeWidgetItem* found = state_->find(item);
    return found ? State::idOf(found->child(0)) : TreeItem::None;
}

TreeItem TreeControl::nextSibling(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    if (!found)
        return TreeItem::None;
    if (QTreeWidgetItem* parent = found->parent())
        return State::idOf(parent->child(parent->indexOfChild(found) + 1));
    return State::idOf(state_->tree->topLevelItem(state_->tree->indexOfTopLevelItem(found) + 1));
}

bool TreeControl::itemHasChildren(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    return found && found->childCount() > 0;
}

bool TreeControl::sortChildren(TreeItem item)
{
    if (item == TreeItem::None)
    {
        state_->tree->sortItems(0, Qt::AscendingOrder);
        return true;
    }
    QTreeWidgetItem* found = state_->find(item);
    if (found)
        found->sortChildren(0, Qt::AscendingOrder);
    return found != nullptr;
}

bool TreeControl::expand(TreeItem item, TreeExpand how)
{
    QTreeWidgetItem* found = state_->find(item);
    if (!found)
        return false;
    const QSignalBlocker block(state_->tree);
    found->setExpanded(how == TreeExpand::Expand || (how == TreeExpand::Toggle && !found->isExpanded()));
    return true;
}

bool TreeControl::isExpanded(TreeItem item) const
{
    QTreeWidgetItem* found = state_->find(item);
    return found && found->isExpanded();
}

TreeItem TreeControl::selectedItem() const
{
    return State::idOf(state_->tree->currentItem());
}

bool TreeControl::selectItem(TreeItem item)
{
    QTreeWidgetItem* target = nullptr;
    if (item != TreeItem::None)
    {
        target = state_->find(item);
        if (!target)
            return false;
    }
    return state_->changeSelection(target, tree_action::Unknown);
}

bool TreeControl::editLabel(TreeItem item)
{
    QTreeWidgetItem* found = state_->find(item);
    if (!found)
        return false;
    if (isEditingLabel())
        endEditLabelNow(false);
    if (!(found = state_->find(item)))
        return false;
    TreeNotification begin{notify_code::TreeBeginLabelEdit, 0, item, item, State::dataOf(found), State::dataOf(found), nullptr};
    const std::string text = found->text(0).toStdString();
    begin.text = text.c_str();
    if (state_->send(begin) != 0)
        return false;
    if (!(found = state_->find(item)))
        return false;
    state_->tree->scrollToItem(found);
    auto* editor = new QLineEdit(found->text(0), state_->tree->viewport());
    editor->setGeometry(state_->tree->visualItemRect(found));
    editor->installEventFilter(state_->tree);
    editor->selectAll();
    editor->show();
    editor->setFocus();
    state_->editor = editor;
    state_->editedItem = item;
    return true;
}

bool TreeControl::isEditingLabel() const
{
    return state_->editor != nullptr;
}

void TreeControl::setEditText(const std::string& text)
{
    if (state_->editor)
        state_->editor->setText(QString::fromStdString(text));
}

bool TreeControl::endEditLabelNow(bool cancel)
{
    return state_->endEdit(cancel);
}

void TreeControl::setNotificationHandler(std::function<std::intptr_t(TreeNotification&)> handler)
{
    state_->notify = std::move(handler);
}

QWidget* qtWidgetOf(TreeControl& control)
{
    return control.state().tree.data();
}

} // namespace platform
