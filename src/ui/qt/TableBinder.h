#pragma once

#include <QTableWidget>

#include "ui/TableView.h"
#include "ui/qt/ControlBinder.h"

namespace wexo::ui::qt {

// A view-based table on a QTableWidget: every cell the data source built is
// drawn as a row of widgets (check box, icon, text, the action's icon, the
// delete button), each bound to its control, rebuilt when the model
// reloads. Selecting a row, with the mouse or the keyboard, selects the
// model's row; the model's selection shows in the widget.
class TableBinder : public ControlBinder {
    Q_OBJECT

  public:
    TableBinder(TableView& table, QTableWidget& widget);

  protected:
    void refresh(ControlChange what) override;

  private:
    void showRows();
    void showSelection();
    void selectionChanged();
    QWidget* cellWidget(TableCellView& cell);

    TableView& table_;
    QTableWidget& widget_;
};

}  // namespace wexo::ui::qt
