// Runs the QtTest suites of the front end: all of them, or the one named
// first on the command line (the rest of the line goes to QtTest).
#include <QApplication>
#include <QTest>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "ui-qt/Suites.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--tray-probe") == 0)
        return wexo::testing::trayProbe(argc, argv);
    QApplication app(argc, argv);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i) args.push_back(argv[i]);
    int failures = 0;
    bool ran = false;
    for (auto& [name, make] : wexo::testing::suites()) {
        if (only && name != only) continue;
        ran = true;
        std::unique_ptr<QObject> suite = make();
        failures += QTest::qExec(suite.get(), static_cast<int>(args.size()), args.data());
    }
    return ran ? failures : 1;
}
