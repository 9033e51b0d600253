// The list box: a toolkit list that keeps the rows and reports LBN_* notifications (LBS_NOTIFY).

#include "platform/qt/ControlKinds.h"
#include "platform/qt/ListBoxRows.h"

#include <QListWidget>

#include <algorithm>

namespace platform
{

namespace
{

class WidgetRows final : public ListBoxRows
{
public:
    explicit WidgetRows(WindowState* state) : state_(state), list_(static_cast<QListWidget*>(state->widget)) {}

    int32_t count() const override { return list_->count(); }
    std::string text(int32_t row) const override { return list_->item(row)->text().toStdString(); }
    intptr_t data(int32_t row) const override
    {
        return static_cast<intptr_t>(list_->item(row)->data(Qt::UserRole).toLongLong());
    }
    void setData(int32_t row, intptr_t data) override
    {
        list_->item(row)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
    }
    void insert(int32_t row, const std::string& text) override
    {
        ProgrammaticChange change(list_);
        list_->insertItem(row, QString::fromStdString(text));
    }
    void erase(int32_t row) override
    {
        ProgrammaticChange change(list_);
        delete list_->takeItem(row);
    }
    void clear() override
    {
        ProgrammaticChange change(list_);
        list_->clear();
    }
    int32_t selection() const override { return list_->selectedItems().isEmpty() ? LB_ERR : list_->currentRow(); }
    void select(int32_t row) override
    {
        ProgrammaticChange change(list_);
        list_->setCurrentRow(row);
        if (row < 0)
            list_->clearSelection();
    }
    int32_t topIndex() const override { return std::max(0, list_->indexAt(QPoint(1, 1)).row()); }
    void setTopIndex(int32_t row) override
    {
        if (count() > 0)
            list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtTop);
    }
    int32_t itemHeight() const override
    {
        return count() > 0 ? list_->visualItemRect(list_->item(0)).height() : state_->listBox.itemHeight;
    }
    Rect itemRect(int32_t row) const override
    {
        const QRect item = list_->visualItemRect(list_->item(row));
        return {item.x(), item.y(), item.x() + item.width(), item.y() + item.height()};
    }

private:
    WindowState* state_;
    QListWidget* list_;
};

QWidget* createListBox(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    auto* list = new QListWidget(parentWidget);
    list->setSelectionMode((state->style & LBS_NOSEL) != 0 ? QAbstractItemView::NoSelection
                                                           : QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::currentRowChanged, [handle] {
        guardedCall([&] {
            WindowState* current = WindowState::of(handle);
            if (current != nullptr && (current->style & LBS_NOTIFY) != 0)
                current->object->notifyParent(LBN_SELCHANGE);
        });
    });
    return list;
}

LResult listBoxWidgetMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    if ((state->style & LBS_NOTIFY) != 0)
    {
        if (message == WM_LBUTTONDBLCLK)
            state->object->notifyParent(LBN_DBLCLK);
        if (message == WM_SETFOCUS)
            state->object->notifyParent(LBN_SETFOCUS);
        if (message == WM_KILLFOCUS)
            state->object->notifyParent(LBN_KILLFOCUS);
    }
    WidgetRows rows(state);
    return listBoxMessage(state, rows, message, wParam, lParam, handled);
}

} // namespace

const ControlKindBehaviour listBoxBehaviour{.create = createListBox, .message = listBoxWidgetMessage};

} // namespace platform
