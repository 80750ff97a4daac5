#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/linux/Desktop.h"

namespace wexo::platform::lnx {

// The desktop without a display server to ask (a console, the tests,
// `wexo --stdio`): one screen, the pointer integrated from the relative
// motion the input path writes and kept on the screen (starting at its
// centre), and one screen-sized window of one unidentified application
// under it, so the Global settings apply to everything. Nothing here can
// register hot keys, show a cursor or a Dock; those answer as absent.
class HeadlessDesktop : public Desktop {
  public:
    struct Mode {
        int width = 1920;
        int height = 1080;
        double refreshRate = 60;
    };
    // "WIDTHxHEIGHT@HZ" (e.g. "2560x1440@144"); nothing when malformed or
    // out of range.
    static std::optional<Mode> parseMode(const std::string& text);

    // The process the unidentified application's window belongs to: above
    // the kernel's largest pid, so it is never a real process.
    static constexpr pid_t kApplicationPid = 4194305;
    static constexpr DisplayId kDisplayId = 1;

    HeadlessDesktop();
    explicit HeadlessDesktop(Mode mode);
    ~HeadlessDesktop() override;

    void attach(RunLoop& loop, DescriptorWatcher& watcher) override;
    PointerState queryPointer() override;
    void pointerMoved(double dx, double dy) override;
    void warpPointer(Point p) override;
    pid_t windowOwnerAt(Point p) override;
    double doubleClickInterval() const override { return 0.5; }
    double doubleClickDistance() const override { return 4; }
    double refreshRate(DisplayId display) const override;

    Screens& screens() override;
    WindowList& windowList() override;
    Workspace& workspace() override;
    HotKeys& hotKeys() override;
    Cursor& cursor() override;
    Dock& dock() override;
    Accessibility& accessibility() override;

    std::optional<double> pointerAcceleration() override;
    bool setPointerAcceleration(double scale) override;

    const Mode& mode() const { return mode_; }

  private:
    struct Services;
    Point clamp(Point p) const;

    Mode mode_;
    mutable std::mutex pointerMutex_;
    Point pointer_;
    std::unique_ptr<Services> services_;
};

}  // namespace wexo::platform::lnx
