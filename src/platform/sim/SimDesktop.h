#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "platform/LocalKeyMonitors.h"
#include "platform/Platform.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimCursor.h"
#include "platform/sim/SimDisplayLinks.h"
#include "platform/sim/SimDock.h"
#include "platform/sim/SimEventStream.h"
#include "platform/sim/SimHidSystem.h"
#include "platform/sim/SimHotKeys.h"
#include "platform/sim/SimLoginItems.h"
#include "platform/sim/SimMainWork.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRecorder.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimScreens.h"
#include "platform/sim/SimWindowList.h"
#include "platform/sim/SimWorkspace.h"

namespace wexo::platform::sim {

// A whole desktop in one process: the platform the program runs on, plus the
// driver's side of it (the test or the scenario runner). The thread that
// builds it is the main thread; the driver calls it there.
//
// Time is virtual and moves only through advanceTo / advanceBy. At one
// instant the order is: what the driver does at that instant, then the
// timers and delayed calls due then (in the order they were scheduled),
// then the display-link frames due then. Every side effect of the program is
// in records(), each with its virtual time, in ascending time; log lines
// written while the desktop exists are recorded too.
//
// The services' driver methods (setScreens, setFrontmost, setTrusted …) are
// reached through the sim…() accessors.
class SimDesktop : public Platform {
  public:
    // A desktop whose user defaults are an empty domain in memory.
    SimDesktop();
    // A desktop with the given user defaults (the desktop only hands them to
    // the program).
    explicit SimDesktop(std::unique_ptr<PreferenceStore> preferences);
    ~SimDesktop() override;
    SimDesktop(const SimDesktop&) = delete;
    SimDesktop& operator=(const SimDesktop&) = delete;

    EventStream& eventStream() override { return stream_; }
    RunLoop& runLoop() override { return runLoop_; }
    DisplayLinks& displayLinks() override { return displayLinks_; }
    Screens& screens() override { return screens_; }
    WindowList& windowList() override { return windows_; }
    Workspace& workspace() override { return workspace_; }
    Accessibility& accessibility() override { return accessibility_; }
    HotKeys& hotKeys() override { return hotKeys_; }
    KeyMonitors& keyMonitors() override { return keyMonitors_; }
    Cursor& cursor() override { return cursor_; }
    HidSystem& hidSystem() override { return hid_; }
    Dock& dock() override { return dock_; }
    LoginItems& loginItems() override { return loginItems_; }
    Process& process() override { return process_; }
    PreferenceStore& preferences() override { return *preferences_; }

    // ---- Driver: input and time ----

    // Input from a device at the HID location (see SimEventStream::inject).
    void inject(const Event& event) { stream_.inject(event); }
    std::int64_t nowNanos() const { return clock_.nanos(); }
    double nowSeconds() const { return clock_.seconds(); }
    // Runs everything due up to and including `ns` in time order, then
    // leaves the clock at `ns`. An earlier time changes nothing.
    void advanceTo(std::int64_t ns);
    void advanceBy(std::int64_t ns) { advanceTo(clock_.nanos() + ns); }
    void advanceBySeconds(double s) { advanceBy(secondsToNanos(s)); }
    // Runs everything due before `ns` and sets the clock to `ns`, leaving
    // what is due at `ns` for after the driver has acted at that instant.
    void advanceToInstant(std::int64_t ns);

    // ---- Driver: threads ----

    // Display links created from now on tick on threads of their own at
    // real time (for concurrency tests).
    void setThreadedDisplayLinks(bool on) { displayLinks_.setThreaded(on); }
    // Runs on the main thread whatever other threads handed over (posted
    // events, work for the main thread). True when anything ran.
    bool pump();
    // Pumps for `realSeconds` of wall time, moving the virtual clock along
    // with it (timers fire at their times).
    void runFor(double realSeconds);

    // ---- Driver: records ----
    std::vector<SimRecord> records() const { return recorder_.records(); }
    std::vector<SimRecord> takeRecords() { return recorder_.take(); }
    void clearRecords() { recorder_.clear(); }
    // The record itself, for parts of the simulated world built beside the
    // desktop, so that what they record joins the same timeline.
    SimRecorder& recorder() { return recorder_; }

    // ---- Driver: the services ----
    SimEventStream& simEventStream() { return stream_; }
    SimRunLoop& simRunLoop() { return runLoop_; }
    SimDisplayLinks& simDisplayLinks() { return displayLinks_; }
    SimScreens& simScreens() { return screens_; }
    SimWindowList& simWindowList() { return windows_; }
    SimWorkspace& simWorkspace() { return workspace_; }
    SimAccessibility& simAccessibility() { return accessibility_; }
    SimHotKeys& simHotKeys() { return hotKeys_; }
    LocalKeyMonitors& simKeyMonitors() { return keyMonitors_; }
    SimCursor& simCursor() { return cursor_; }
    SimHidSystem& simHidSystem() { return hid_; }
    SimDock& simDock() { return dock_; }
    SimLoginItems& simLoginItems() { return loginItems_; }
    SimProcess& simProcess() { return process_; }

  private:
    // Runs the next instant at or before `limit` that has anything due;
    // false when there is none.
    bool runNextInstant(std::int64_t limit, bool inclusive);

    SimClock clock_;
    SimRecorder recorder_;
    SimProcess process_;
    SimRunLoop runLoop_;
    SimScreens screens_;
    SimWorkspace workspace_;
    SimWindowList windows_;
    SimAccessibility accessibility_;
    SimHotKeys hotKeys_;
    SimMainWork mainWork_;
    LocalKeyMonitors keyMonitors_;
    SimEventStream stream_;
    SimDisplayLinks displayLinks_;
    SimCursor cursor_;
    SimHidSystem hid_;
    SimDock dock_;
    SimLoginItems loginItems_;
    std::unique_ptr<PreferenceStore> preferences_;
    int logSink_ = -1;
};

}  // namespace wexo::platform::sim
