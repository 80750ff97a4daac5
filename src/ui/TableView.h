#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "ui/TableCellView.h"
#include "ui/View.h"

namespace wexo::ui {

class TableView;

// Where a table's rows come from (its data source and delegate).
class TableViewDataSource {
  public:
    virtual ~TableViewDataSource() = default;
    virtual std::size_t numberOfRowsInTableView(TableView& table) = 0;
    // The cell of a row in a column, built fresh; nullptr leaves it empty.
    virtual std::unique_ptr<TableCellView> viewForTableColumn(TableView& table,
                                                              const std::string& column,
                                                              std::size_t row) = 0;
};

// A view-based table with single selection. Its cells are built from the
// data source when it reloads. A change of the selection, whoever makes it,
// sends the table's action (its delegate's tableViewSelectionDidChange:).
class TableView : public View {
  public:
    // A table with one column, or with the named columns.
    explicit TableView(std::string identifier, std::vector<std::string> columns = {"main"});

    const std::vector<std::string>& columns() const { return columns_; }
    void setDataSource(TableViewDataSource* source) { source_ = source; }

    // Asks the data source again for every row and cell. The selection
    // stays where it was when that row still exists, otherwise it is cleared
    // (and the action is sent). Cells replaced while an action runs stay
    // alive until a later reload, so a cell's control may reload its own
    // table from its action.
    void reloadData();

    std::size_t numberOfRows() const { return cells_.size(); }
    // -1 when no row is selected.
    std::ptrdiff_t selectedRow() const { return selected_; }
    // Selects one row (-1: none); a row outside the table selects none. The
    // action is sent when the selection changed.
    void selectRow(std::ptrdiff_t row);
    void deselectAll() { selectRow(-1); }

    // The row scrolled into view last.
    std::ptrdiff_t visibleRow() const { return visible_; }
    void scrollRowToVisible(std::ptrdiff_t row);

    // The cell of a row in a column (the first column when none is named).
    TableCellView* viewAt(std::size_t row, std::size_t column = 0) const;
    TableCellView* viewAt(std::size_t row, const std::string& column) const;
    // The row whose cell holds the control, -1 when none does.
    std::ptrdiff_t rowForView(const Control& control) const;

  private:
    std::vector<std::string> columns_;
    TableViewDataSource* source_ = nullptr;
    std::vector<std::vector<std::unique_ptr<TableCellView>>> cells_;
    std::vector<std::vector<std::unique_ptr<TableCellView>>> retired_;  // rows of old cells
    std::ptrdiff_t selected_ = -1;
    std::ptrdiff_t visible_ = -1;
};

}  // namespace wexo::ui
