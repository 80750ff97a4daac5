#pragma once

#include <vector>

#include "platform/Shared.h"
#include "platform/sim/SimDesktop.h"
#include "ui/Application.h"
#include "ui/sim/SimUserInterface.h"

namespace wexo::ui::testing {

namespace records = platform::sim::records;

// The user-interface port on the simulated desktop, without the program:
// an application object on the recording toolkit.
struct PortTestDesktop {
    PortTestDesktop() { userInterface.attach(application); }
    ~PortTestDesktop() { userInterface.detach(); }

    template <class Kind>
    std::vector<Kind> recordsOf() const {
        std::vector<Kind> out;
        for (const auto& r : desktop.records())
            if (auto* k = std::get_if<Kind>(&r.what)) out.push_back(*k);
        return out;
    }

    platform::sim::SimDesktop desktop;
    SharedInstallation<platform::Platform> platformInstallation{&desktop};
    sim::SimUserInterface userInterface{desktop};
    Application application{userInterface};
    SharedInstallation<Application> applicationInstallation{&application};
};

}  // namespace wexo::ui::testing
