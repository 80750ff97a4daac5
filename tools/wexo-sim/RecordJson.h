#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

#include "platform/sim/SimRecord.h"
#include "plist/Value.h"

namespace wexo::simrunner {

// One output record: {"t": seconds, "kind": "<kind>", ...members of the kind}.
//   deliver (event), hid (subtype, keyType, keyState "down"/"up"), launch
//   (path), openURL (url), dock (notification), cursor (style), acceleration
//   (value), relaunch (delay), terminate, exit (status), loginItems (items),
//   log (level, message), alert (message, buttons), window (name, state
//   "shown"/"closed"), statusItem (visible), activationPolicy (policy
//   "regular"/"accessory"), menu (items), decision (tap, stage, verdict
//   "pass"/"swallow", event)
nlohmann::ordered_json recordToJson(const platform::sim::SimRecord& record);
// The last record of a run: the stored preference domain at its end.
nlohmann::ordered_json defaultsRecord(std::int64_t time, const plist::Dictionary& domain);
// One line of output.
std::string recordLine(const nlohmann::ordered_json& record);

}  // namespace wexo::simrunner
