#pragma once

#include <QString>
#include <string>
#include <vector>

namespace wexo::ui::qt {

// The application's tooltip string table: the text shown for each key the
// screens name, in English, translated through Qt's tr() like the forms.
class ToolTips {
  public:
    // The text for a key; empty for a key the table lacks (the log says so).
    static QString text(const std::string& key);
    // Every key the table knows.
    static std::vector<std::string> keys();
};

}  // namespace wexo::ui::qt
