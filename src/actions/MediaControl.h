#pragma once

#include <cstdint>
#include <vector>

#include "actions/CustomAction.h"

namespace wexo {

// Media, brightness and power keys, posted to the HID system as the
// keyboard's own auxiliary-control keys would be: one down and one up
// record each. Main thread only.
class MediaControl {
  public:
    // The HID key types (the NX_KEYTYPE numbering).
    static constexpr std::uint32_t kSoundUp = 0;
    static constexpr std::uint32_t kSoundDown = 1;
    static constexpr std::uint32_t kBrightnessUp = 2;
    static constexpr std::uint32_t kBrightnessDown = 3;
    static constexpr std::uint32_t kPower = 6;
    static constexpr std::uint32_t kMute = 7;
    static constexpr std::uint32_t kPlay = 16;
    static constexpr std::uint32_t kNext = 17;
    static constexpr std::uint32_t kPrevious = 18;
    static constexpr std::uint32_t kFast = 19;
    static constexpr std::uint32_t kRewind = 20;

    // The media catalogue, in the order shown to the user: kind 1 actions
    // whose auxKey is their index.
    static std::vector<CustomAction> getMediaActions();

    // Runs catalogue entry `index`; any index outside the catalogue does
    // nothing.
    static void postSystemKey(std::int64_t index);

    static void volumeUp();
    static void volumeDown();
    static void mute();
    static void playPause();
    static void next();
    static void prev();
    static void fast();
    static void rewind();
    static void brightnessUp();
    static void brightnessDown();
    static void power();

  private:
    // Posts the down and the up record of one key type. Nothing is posted
    // while the HID system cannot be reached.
    static void postAuxKey(std::uint32_t keyType);
};

}  // namespace wexo
