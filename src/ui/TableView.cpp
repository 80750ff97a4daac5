#include "ui/TableView.h"

#include <algorithm>

namespace wexo::ui {

TableView::TableView(std::string identifier, std::vector<std::string> columns)
    : View(std::move(identifier)), columns_(std::move(columns)) {}

void TableView::reloadData() {
    // While an action runs, its sender may be a cell's control: the cells
    // replaced now stay alive until a reload outside any action.
    if (!Control::isSendingAction()) retired_.clear();
    for (auto& row : cells_) {
        for (auto& cell : row)
            if (cell) cell->removeFromSuperview();
        retired_.push_back(std::move(row));
    }
    cells_.clear();

    const std::size_t rows = source_ ? source_->numberOfRowsInTableView(*this) : 0;
    std::vector<std::vector<std::unique_ptr<TableCellView>>> built(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        built[r].resize(columns_.size());
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            built[r][c] = source_->viewForTableColumn(*this, columns_[c], r);
            if (built[r][c]) addSubview(*built[r][c]);
        }
    }
    cells_ = std::move(built);
    if (visible_ >= static_cast<std::ptrdiff_t>(rows)) visible_ = -1;
    changed(ControlChange::Rows);
    if (selected_ >= static_cast<std::ptrdiff_t>(rows)) {
        selected_ = -1;
        changed(ControlChange::Selection);
        sendAction();
    }
}

void TableView::selectRow(std::ptrdiff_t row) {
    if (row < 0 || row >= static_cast<std::ptrdiff_t>(cells_.size())) row = -1;
    if (selected_ == row) return;
    selected_ = row;
    changed(ControlChange::Selection);
    sendAction();
}

void TableView::scrollRowToVisible(std::ptrdiff_t row) {
    if (row < 0 || row >= static_cast<std::ptrdiff_t>(cells_.size())) return;
    if (visible_ == row) return;
    visible_ = row;
    changed(ControlChange::Rows);
}

TableCellView* TableView::viewAt(std::size_t row, std::size_t column) const {
    if (row >= cells_.size() || column >= cells_[row].size()) return nullptr;
    return cells_[row][column].get();
}

TableCellView* TableView::viewAt(std::size_t row, const std::string& column) const {
    auto it = std::find(columns_.begin(), columns_.end(), column);
    if (it == columns_.end()) return nullptr;
    return viewAt(row, static_cast<std::size_t>(it - columns_.begin()));
}

std::ptrdiff_t TableView::rowForView(const Control& control) const {
    for (const Control* c = &control; c; c = c->enclosingControl()) {
        for (std::size_t r = 0; r < cells_.size(); ++r)
            for (const auto& cell : cells_[r])
                if (cell.get() == c) return static_cast<std::ptrdiff_t>(r);
        if (c == this) break;
    }
    return -1;
}

}  // namespace wexo::ui
