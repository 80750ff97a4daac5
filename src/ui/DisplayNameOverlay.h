#pragma once

#include <cstdint>
#include <memory>

#include "platform/RunLoop.h"
#include "settings/SingleDisplay.h"

namespace wexo {

// A display's name shown on that display: the overlay window moves over the
// display, floating and without shadow, its drawing screen switches to the
// display-name state, and the name, white with a smurfBlue outline, fades
// out after three seconds, when the window closes. A newer name starts the
// three seconds again.
class DisplayNameOverlay {
  public:
    static constexpr double kShownSeconds = 3.0;
    static constexpr double kFadeSeconds = 0.4;

    DisplayNameOverlay() = default;
    ~DisplayNameOverlay();
    DisplayNameOverlay(const DisplayNameOverlay&) = delete;
    DisplayNameOverlay& operator=(const DisplayNameOverlay&) = delete;

    void show(const SingleDisplay& display);

  private:
    void fadeOut(std::uint64_t generation);

    std::shared_ptr<platform::Timer> displayFadeTimer_;
    // Counts the names shown, so that the fade of an older one does not
    // close the window a newer one shows.
    std::uint64_t generation_ = 0;
    // The fade's end holds it weakly: an overlay gone by then closes nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace wexo
