#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace wexo::testing {

std::unique_ptr<QObject> makeFormsTest();
std::unique_ptr<QObject> makeControlsTest();
std::unique_ptr<QObject> makeShellTest();
std::unique_ptr<QObject> makeTrayTest();
// The child process of the tray suite: shows a status icon on the X display
// it is given and answers whether a tray embedded it.
int trayProbe(int argc, char** argv);

inline std::vector<std::pair<std::string, std::function<std::unique_ptr<QObject>()>>> suites() {
    return {{"FormsTest", makeFormsTest},
            {"ControlsTest", makeControlsTest},
            {"ShellTest", makeShellTest},
            {"TrayTest", makeTrayTest}};
}

}  // namespace wexo::testing
