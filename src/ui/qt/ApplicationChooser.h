#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt/DesktopEntries.h"

class QDialogButtonBox;
class QLineEdit;
class QListWidget;

namespace wexo::ui::qt {

// The panel for choosing an application: the installed applications by
// name and icon, narrowed as the person types; its answer is the chosen
// application's desktop entry file, the path the screens keep.
class ApplicationChooser : public QDialog {
    Q_OBJECT

  public:
    ApplicationChooser(std::vector<DesktopEntry> entries, QWidget* parent = nullptr);

    // The entry file of the chosen application; nothing before a choice.
    std::optional<std::string> chosenPath() const;

    QLineEdit& searchField() { return *search_; }
    QListWidget& list() { return *list_; }
    // Shows only the applications whose names contain the text.
    void filter(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* search_;
    QListWidget* list_;
    QDialogButtonBox* buttons_;
};

}  // namespace wexo::ui::qt
