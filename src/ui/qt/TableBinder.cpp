#include "ui/qt/TableBinder.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/ButtonsTableCellView.h"
#include "ui/GestureTableCellView.h"
#include "ui/qt/BinderFactory.h"
#include "ui/qt/Conversions.h"

namespace wexo::ui::qt {

TableBinder::TableBinder(TableView& table, QTableWidget& widget)
    : ControlBinder(table, widget), table_(table), widget_(widget) {
    widget.setColumnCount(static_cast<int>(table.columns().size()));
    widget.setSelectionBehavior(QAbstractItemView::SelectRows);
    widget.setSelectionMode(QAbstractItemView::SingleSelection);
    widget.setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget.setShowGrid(false);
    widget.horizontalHeader()->hide();
    widget.verticalHeader()->hide();
    widget.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    widget.verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(&widget, &QTableWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
}

void TableBinder::refresh(ControlChange what) {
    switch (what) {
        case ControlChange::Rows:
            showRows();
            break;
        case ControlChange::Selection:
            showSelection();
            break;
        default:
            ControlBinder::refresh(what);
    }
}

QWidget* TableBinder::cellWidget(TableCellView& cell) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    const int gap = box->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    row->setContentsMargins(gap, gap / 2, gap, gap / 2);
    if (Button* check = cell.checkBox()) {
        auto* w = new QCheckBox(box);
        w->setAccessibleName(tr("Enabled"));
        row->addWidget(w);
        BinderFactory::bind(*check, *w);
    }
    auto* icon = new QLabel(box);
    const int iconSide = box->style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setFixedSize(iconSide, iconSide);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(icon);
    BinderFactory::bind(cell.imageView(), *icon);
    if (!cell.imageView().image()) icon->hide();
    auto* text = new QLabel(box);
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    text->setTextInteractionFlags(Qt::NoTextInteraction);
    row->addWidget(text, 1);
    BinderFactory::bind(cell.textField(), *text);
    ImageView* actionImage = nullptr;
    if (auto* buttons = dynamic_cast<ButtonsTableCellView*>(&cell))
        actionImage = &buttons->actionImageView();
    else if (auto* gesture = dynamic_cast<GestureTableCellView*>(&cell))
        actionImage = &gesture->actionImageView;
    if (actionImage && actionImage->image()) {
        auto* w = new QLabel(box);
        w->setFixedSize(iconSide, iconSide);
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        row->addWidget(w);
        BinderFactory::bind(*actionImage, *w);
    }
    if (Button* del = cell.deleteButton()) {
        auto* w = new QPushButton(box);
        w->setIcon(box->style()->standardIcon(QStyle::SP_DialogDiscardButton));
        w->setToolTip(tr("Delete"));
        w->setAccessibleName(tr("Delete %1").arg(qs(cell.textField().stringValue())));
        w->setFlat(true);
        row->addWidget(w);
        BinderFactory::bind(*del, *w);
    }
    return box;
}

void TableBinder::showRows() {
    const QSignalBlocker block(widget_);
    // Replaced cell widgets are deleted later by the view, so a cell's
    // button that rebuilt its own table returns safely.
    widget_.setRowCount(0);
    const auto rows = table_.numberOfRows();
    const auto columns = table_.columns().size();
    widget_.setRowCount(static_cast<int>(rows));
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            TableCellView* cell = table_.viewAt(r, c);
            auto* item = new QTableWidgetItem;
            if (cell) item->setData(Qt::AccessibleTextRole, qs(cell->textField().stringValue()));
            widget_.setItem(static_cast<int>(r), static_cast<int>(c), item);
            if (cell)
                widget_.setCellWidget(static_cast<int>(r), static_cast<int>(c), cellWidget(*cell));
        }
    }
    widget_.resizeRowsToContents();
    showSelection();
}

void TableBinder::showSelection() {
    const QSignalBlocker block(widget_);
    const auto row = table_.selectedRow();
    if (row < 0 || row >= widget_.rowCount()) {
        widget_.clearSelection();
        return;
    }
    widget_.selectRow(static_cast<int>(row));
    widget_.scrollToItem(widget_.item(static_cast<int>(row), 0));
}

void TableBinder::selectionChanged() {
    const auto selected = widget_.selectionModel()->selectedRows();
    const std::ptrdiff_t row = selected.isEmpty() ? -1 : selected.first().row();
    if (row == table_.selectedRow()) return;
    if (!asPerson(true, [this, row] { table_.selectRow(row); })) return;
    showSelection();
}

}  // namespace wexo::ui::qt
