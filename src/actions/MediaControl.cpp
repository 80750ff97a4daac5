#include "actions/MediaControl.h"

#include <array>
#include <cstring>

#include "actions/ActionHandles.h"
#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

namespace {

constexpr std::uint32_t kSystemDefinedEvent = 14;
constexpr std::uint16_t kAuxControlButtons = 8;
constexpr std::uint32_t kKeyDown = 0x0A00;
constexpr std::uint32_t kKeyUp = 0x0B00;
constexpr std::uint32_t kEventDataVersion = 2;

platform::SystemDefinedRecord auxKeyRecord(std::uint32_t keyType, std::uint32_t state) {
    platform::SystemDefinedRecord record;
    const std::uint16_t subtype = kAuxControlButtons;
    const std::uint32_t data = (keyType << 16) | state;
    std::memcpy(record.bytes.data() + 2, &subtype, sizeof subtype);
    std::memcpy(record.bytes.data() + 4, &data, sizeof data);
    return record;
}

struct MediaEntry {
    const char* prettyName;
    void (*run)();
};

constexpr std::array<MediaEntry, 11> kCatalogue{{
    {"Volume Up", &MediaControl::volumeUp},
    {"Volume Down", &MediaControl::volumeDown},
    {"Mute", &MediaControl::mute},
    {"Play \\ Pause", &MediaControl::playPause},
    {"Next", &MediaControl::next},
    {"Previous", &MediaControl::prev},
    {"Forward", &MediaControl::fast},
    {"Rewind", &MediaControl::rewind},
    {"Brightness Up", &MediaControl::brightnessUp},
    {"Brightness Down", &MediaControl::brightnessDown},
    {"Power", &MediaControl::power},
}};

}  // namespace

std::vector<CustomAction> MediaControl::getMediaActions() {
    std::vector<CustomAction> actions;
    std::int64_t index = 0;
    for (const MediaEntry& entry : kCatalogue) {
        actions.emplace_back(entry.prettyName, std::nullopt, std::nullopt, index++, std::nullopt,
                             static_cast<std::int64_t>(CustomAction::Kind::MediaKey));
    }
    return actions;
}

void MediaControl::postSystemKey(std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(kCatalogue.size())) return;
    kCatalogue[static_cast<std::size_t>(index)].run();
}

void MediaControl::volumeUp() {
    postAuxKey(kSoundUp);
}
void MediaControl::volumeDown() {
    postAuxKey(kSoundDown);
}
void MediaControl::mute() {
    postAuxKey(kMute);
}
void MediaControl::playPause() {
    postAuxKey(kPlay);
}
void MediaControl::next() {
    postAuxKey(kNext);
}
void MediaControl::prev() {
    postAuxKey(kPrevious);
}
void MediaControl::fast() {
    postAuxKey(kFast);
}
void MediaControl::rewind() {
    postAuxKey(kRewind);
}
void MediaControl::brightnessUp() {
    postAuxKey(kBrightnessUp);
}
void MediaControl::brightnessDown() {
    postAuxKey(kBrightnessDown);
}
void MediaControl::power() {
    postAuxKey(kPower);
}

void MediaControl::postAuxKey(std::uint32_t keyType) {
    ActionHandles& handles = ActionHandles::shared();
    const std::optional<std::uint32_t> connection = handles.hidConnection();
    if (!connection) {
        WEXO_LOG_ERROR("Media key %u not sent: the HID system could not be opened", keyType);
        return;
    }
    platform::HidSystem& hid = installedPlatform().hidSystem();
    for (std::uint32_t state : {kKeyDown, kKeyUp}) {
        if (!hid.postEvent(*connection, kSystemDefinedEvent, platform::Point{0, 0},
                           auxKeyRecord(keyType, state), kEventDataVersion, 0, 0)) {
            // A connection that went stale is reopened by the next key.
            handles.forgetHidConnection();
            WEXO_LOG_ERROR("Media key %u not sent: the HID system refused it", keyType);
            return;
        }
    }
}

}  // namespace wexo
