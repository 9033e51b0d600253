#include "platform/TreeControl.h"

#include "platform/ImageList.h"
#include "platform/SystemValues.h"
#include "platform/qt/ColourQt.h"
#include "platform/qt/ImageListQt.h"
#include "platform/qt/RichControlsQt.h"

#include <QApplication>
#include <QEvent>
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

// The tree's widget and everything it keeps: items by handle, the label editor.
class TreeWidget : public QTreeWidget
{
public:
    TreeWidget(WindowHandle handle, std::uint32_t style, QWidget* parent)
        : QTreeWidget(parent), handle(handle), editLabels((style & TVS_EDITLABELS) != 0)
    {
        setHeaderHidden(true);
        setColumnCount(1);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }

    WindowHandle handle;
    bool editLabels;
    const ImageList* images = nullptr;
    ColorRef background = CLR_DEFAULT;
    std::uint64_t nextId = 1;
    std::unordered_map<std::uint64_t, QTreeWidgetItem*> items;
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
    static TreeItemRecord recordOf(const QTreeWidgetItem* item) { return {idOf(item), dataOf(item), nullptr}; }

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
        const bool selected = item == currentItem();
        const int image = item->data(0, selected ? kSelectedImageRole : kImageRole).toInt();
        item->setIcon(0, images && image >= 0 ? QIcon(pixmapOf(*images, image)) : QIcon());
    }

    // Moves the selection, answering false when vetoed. Qt's own current item follows silently.
    bool changeSelection(QTreeWidgetItem* target, std::uint32_t action)
    {
        QTreeWidgetItem* previous = currentItem();
        if (previous == target)
            return true;
        NotifyTree changing;
        changing.action = action;
        changing.oldItem = recordOf(previous);
        changing.newItem = recordOf(target);
        const WindowHandle self = handle;
        if (sendNotify(self, TVN_SELCHANGING, changing.header) != 0)
            return false;
        if (WindowState::of(self) == nullptr)
            return false;
        // The owner may have deleted either item meanwhile.
        if (target != nullptr && find(changing.newItem.item) != target)
            return false;
        setCurrentSilently(target);
        NotifyTree changed = changing;
        sendNotify(self, TVN_SELCHANGED, changed.header);
        return true;
    }

    void setCurrentSilently(QTreeWidgetItem* target)
    {
        QTreeWidgetItem* previous = currentItem();
        const QSignalBlocker block(this);
        if (target)
        {
            setCurrentItem(target);
        }
        else
        {
            setCurrentItem(nullptr);
            clearSelection();
        }
        if (previous && find(idOf(previous)) == previous)
            refreshIcon(previous);
        if (target)
            refreshIcon(target);
        viewport()->update();
    }

    bool beginEdit(TreeItem item)
    {
        QTreeWidgetItem* found = find(item);
        if (!found)
            return false;
        if (editor)
            endEdit(false);
        if (!(found = find(item)))
            return false;
        const std::string text = found->text(0).toStdString();
        NotifyTreeLabel begin;
        begin.item = {item, dataOf(found), text.c_str()};
        const WindowHandle self = handle;
        if (sendNotify(self, TVN_BEGINLABELEDIT, begin.header) != 0 || WindowState::of(self) == nullptr)
            return false;
        if (!(found = find(item)))
            return false;
        scrollToItem(found);
        auto* line = new QLineEdit(found->text(0), viewport());
        line->setGeometry(visualItemRect(found));
        line->installEventFilter(this);
        line->selectAll();
        line->show();
        line->setFocus();
        editor = line;
        editedItem = item;
        return true;
    }

    void closeEditor()
    {
        editedItem = TreeItem::None;
        if (QLineEdit* line = editor.data())
        {
            editor.clear();
            line->removeEventFilter(this);
            line->hide();
            line->deleteLater();
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
        closeEditor(); // before the owner hears of it: it may start another edit
        NotifyTreeLabel end;
        end.item = {edited, dataOf(item), cancel ? nullptr : text.c_str()};
        const bool accepted = sendNotify(handle, TVN_ENDLABELEDIT, end.header) != 0;
        if (!cancel && accepted)
            if (QTreeWidgetItem* still = find(edited))
                still->setText(0, QString::fromStdString(text));
        return true;
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        const bool onLabel = item && event->position().toPoint().x() >= visualItemRect(item).left();
        if (event->button() == Qt::LeftButton && onLabel)
        {
            guardedCall([&] {
                if (item == currentItem())
                {
                    if (editLabels)
                        beginEdit(idOf(item));
                }
                else
                {
                    changeSelection(item, TVC_BYMOUSE);
                }
            });
            return;
        }
        // The expand arrows and empty space keep the toolkit's behaviour, without its selecting.
        QTreeWidgetItem* before = currentItem();
        {
            const QSignalBlocker block(this);
            QTreeWidget::mousePressEvent(event);
        }
        if (currentItem() != before)
            setCurrentSilently(before);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            item->setExpanded(!item->isExpanded());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F2 && editLabels && currentItem())
        {
            guardedCall([&] { beginEdit(idOf(currentItem())); });
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
            setCurrentSilently(before);
            guardedCall([&] { changeSelection(after, TVC_BYKEYBOARD); });
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == editor.data())
        {
            if (event->type() == QEvent::KeyPress)
            {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                {
                    guardedCall([&] { endEdit(key == Qt::Key_Escape); });
                    return true;
                }
            }
            else if (event->type() == QEvent::FocusOut)
            {
                guardedCall([&] { endEdit(false); });
            }
        }
        return QTreeWidget::eventFilter(watched, event);
    }
};

QWidget* makeTreeWidget(WindowState* state, QWidget* parent)
{
    return new TreeWidget(state->handle, state->style, parent);
}

const bool treeClassRegistered = [] {
    registerRichControlClass(TreeControl::kClassName, CS_DBLCLKS, {&makeTreeWidget, nullptr, nullptr});
    return true;
}();

} // namespace

bool TreeControl::create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id)
{
    return Window::create(kClassName, "", style | WS_CHILD, rect, parent, id);
}

void TreeControl::setImageList(const ImageList* images)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree == nullptr)
        return;
    tree->images = images;
    if (images)
        tree->setIconSize(QSize(images->imageSize().width, images->imageSize().height));
    for (auto& [id, item] : tree->items)
        tree->refreshIcon(item);
}

TreeItem TreeControl::insertItem(const std::string& text, int image, int selectedImage, TreeItem parent,
                                 TreeItem insertAfter, std::intptr_t data)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree == nullptr)
        return TreeItem::None;
    QTreeWidgetItem* parentItem = nullptr;
    if (parent != TreeItem::None)
    {
        parentItem = tree->find(parent);
        if (!parentItem)
            return TreeItem::None;
    }
    auto childCount = [&] { return parentItem ? parentItem->childCount() : tree->topLevelItemCount(); };
    auto childAt = [&](int i) { return parentItem ? parentItem->child(i) : tree->topLevelItem(i); };
    const QString label = QString::fromStdString(text);
    int position = childCount();
    if (insertAfter == TreeItem::First)
    {
        position = 0;
    }
    else if (insertAfter == TreeItem::Sort)
    {
        position = 0;
        while (position < childCount() && QString::compare(childAt(position)->text(0), label, Qt::CaseInsensitive) <= 0)
            ++position;
    }
    else if (insertAfter != TreeItem::Last)
    {
        QTreeWidgetItem* after = tree->find(insertAfter);
        if (!after || after->parent() != parentItem)
            return TreeItem::None;
        position = (parentItem ? parentItem->indexOfChild(after) : tree->indexOfTopLevelItem(after)) + 1;
    }
    auto* item = new QTreeWidgetItem(QStringList{label});
    const std::uint64_t id = tree->nextId++;
    item->setData(0, kIdRole, QVariant::fromValue<qulonglong>(id));
    item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    tree->items[id] = item;
    {
        const QSignalBlocker block(tree);
        if (parentItem)
            parentItem->insertChild(position, item);
        else
            tree->insertTopLevelItem(position, item);
    }
    tree->refreshIcon(item);
    return static_cast<TreeItem>(id);
}

bool TreeControl::deleteItem(TreeItem item)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    QTreeWidgetItem* found = tree != nullptr ? tree->find(item) : nullptr;
    if (!found)
        return false;
    bool currentGoes = false;
    for (QTreeWidgetItem* walk = tree->currentItem(); walk; walk = walk->parent())
        currentGoes = currentGoes || walk == found;
    tree->forget(found);
    if (currentGoes)
        tree->setCurrentSilently(nullptr);
    const QSignalBlocker block(tree);
    delete found;
    return true;
}

bool TreeControl::deleteAllItems()
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree == nullptr)
        return false;
    tree->closeEditor();
    tree->items.clear();
    const QSignalBlocker block(tree);
    tree->clear();
    return true;
}

int TreeControl::count() const
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr ? static_cast<int>(tree->items.size()) : 0;
}

namespace
{

QTreeWidgetItem* findItem(const TreeControl& control, TreeItem item)
{
    TreeWidget* tree = controlWidget<TreeWidget>(control);
    return tree != nullptr ? tree->find(item) : nullptr;
}

} // namespace

std::string TreeControl::itemText(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found ? found->text(0).toStdString() : std::string();
}

bool TreeControl::setItemText(TreeItem item, const std::string& text)
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (found)
        found->setText(0, QString::fromStdString(text));
    return found != nullptr;
}

std::intptr_t TreeControl::itemData(TreeItem item) const
{
    return TreeWidget::dataOf(findItem(*this, item));
}

bool TreeControl::setItemData(TreeItem item, std::intptr_t data)
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (found)
        found->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
    return found != nullptr;
}

int TreeControl::itemImage(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found ? found->data(0, kImageRole).toInt() : -1;
}

bool TreeControl::setItemImage(TreeItem item, int image, int selectedImage)
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (!found)
        return false;
    found->setData(0, kImageRole, image);
    found->setData(0, kSelectedImageRole, selectedImage);
    controlWidget<TreeWidget>(*this)->refreshIcon(found);
    return true;
}

std::uint32_t TreeControl::itemState(TreeItem item, std::uint32_t mask) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found && found->font(0).bold() ? TVIS_BOLD & mask : 0;
}

bool TreeControl::setItemState(TreeItem item, std::uint32_t state, std::uint32_t mask)
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (!found)
        return false;
    if (mask & TVIS_BOLD)
    {
        QFont font = found->font(0);
        font.setBold((state & TVIS_BOLD) != 0);
        found->setFont(0, font);
    }
    return true;
}

ColorRef TreeControl::setBkColor(ColorRef colour)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree == nullptr)
        return CLR_DEFAULT;
    const ColorRef previous = tree->background;
    tree->background = colour;
    // The viewport paints the items' ground with the palette's base colour.
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Base, colour == CLR_DEFAULT ? QApplication::palette(tree).color(QPalette::Base)
                                                           : qtColour(colour));
    tree->setPalette(palette);
    return previous;
}

ColorRef TreeControl::getBkColor() const
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr ? tree->background : CLR_DEFAULT;
}

TreeItem TreeControl::rootItem() const
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr ? TreeWidget::idOf(tree->topLevelItem(0)) : TreeItem::None;
}

TreeItem TreeControl::parentItem(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found ? TreeWidget::idOf(found->parent()) : TreeItem::None;
}

TreeItem TreeControl::childItem(TreeItem item) const
{
    if (item == TreeItem::None)
        return rootItem();
    QTreeWidgetItem* found = findItem(*this, item);
    return found ? TreeWidget::idOf(found->child(0)) : TreeItem::None;
}

TreeItem TreeControl::nextSibling(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (!found)
        return TreeItem::None;
    if (QTreeWidgetItem* parent = found->parent())
        return TreeWidget::idOf(parent->child(parent->indexOfChild(found) + 1));
    QTreeWidget* tree = found->treeWidget();
    return TreeWidget::idOf(tree->topLevelItem(tree->indexOfTopLevelItem(found) + 1));
}

bool TreeControl::itemHasChildren(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found && found->childCount() > 0;
}

bool TreeControl::sortChildren(TreeItem item)
{
    if (item == TreeItem::None)
    {
        TreeWidget* tree = controlWidget<TreeWidget>(*this);
        if (tree != nullptr)
            tree->sortItems(0, Qt::AscendingOrder);
        return tree != nullptr;
    }
    QTreeWidgetItem* found = findItem(*this, item);
    if (found)
        found->sortChildren(0, Qt::AscendingOrder);
    return found != nullptr;
}

bool TreeControl::expand(TreeItem item, TreeExpand how)
{
    QTreeWidgetItem* found = findItem(*this, item);
    if (!found)
        return false;
    const QSignalBlocker block(found->treeWidget());
    found->setExpanded(how == TreeExpand::Expand || (how == TreeExpand::Toggle && !found->isExpanded()));
    return true;
}

bool TreeControl::isExpanded(TreeItem item) const
{
    QTreeWidgetItem* found = findItem(*this, item);
    return found && found->isExpanded();
}

TreeItem TreeControl::selectedItem() const
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr ? TreeWidget::idOf(tree->currentItem()) : TreeItem::None;
}

bool TreeControl::selectItem(TreeItem item)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree == nullptr)
        return false;
    QTreeWidgetItem* target = nullptr;
    if (item != TreeItem::None)
    {
        target = tree->find(item);
        if (!target)
            return false;
    }
    return tree->changeSelection(target, TVC_UNKNOWN);
}

bool TreeControl::editLabel(TreeItem item)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr && tree->beginEdit(item);
}

bool TreeControl::isEditingLabel() const
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr && tree->editor != nullptr;
}

void TreeControl::setEditText(const std::string& text)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    if (tree != nullptr && tree->editor)
        tree->editor->setText(QString::fromStdString(text));
}

bool TreeControl::endEditLabelNow(bool cancel)
{
    TreeWidget* tree = controlWidget<TreeWidget>(*this);
    return tree != nullptr && tree->endEdit(cancel);
}

} // namespace platform
