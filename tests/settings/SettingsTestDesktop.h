#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/MemoryPreferenceStore.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"

namespace wexo::testing {

// A fresh simulated desktop with an empty preference domain, installed as the
// platform, and a fresh SettingsKeeper installed as the shared one.
class SettingsTestDesktop : public ::testing::Test {
  protected:
    SettingsTestDesktop()
        : desktop_(std::make_unique<platform::MemoryPreferenceStore>(
              platform::sim::SimProcess::builtBundleIdentifier())),
          platformInstallation_(&desktop_),
          keeperInstallation_(&keeper_) {}

    platform::sim::SimDesktop& desktop() { return desktop_; }
    platform::PreferenceStore& store() { return desktop_.preferences(); }
    platform::MemoryPreferenceStore& memoryStore() {
        return static_cast<platform::MemoryPreferenceStore&>(desktop_.preferences());
    }
    SettingsKeeper& keeper() { return keeper_; }

    // The messages logged at a level since the desktop was built.
    std::vector<std::string> logged(platform::LogLevel level) {
        std::vector<std::string> lines;
        for (const auto& record : desktop_.records()) {
            if (auto* line = std::get_if<platform::sim::records::LogLine>(&record.what)) {
                if (line->level == level) lines.push_back(line->message);
            }
        }
        return lines;
    }

  private:
    platform::sim::SimDesktop desktop_;
    SharedInstallation<platform::Platform> platformInstallation_;
    SettingsKeeper keeper_;
    SharedInstallation<SettingsKeeper> keeperInstallation_;
};

}  // namespace wexo::testing
