// The X server going away under a running platform: the program must not
// end inside Xlib with buttons still down on the virtual devices.

#include <gtest/gtest.h>

#include <memory>

#include "linux/LinuxTestSupport.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/x11/X11Desktop.h"
#include "x11/XServer.h"

namespace wexo::platform::x11 {
namespace {

using namespace lnx::testing;

TEST(ServerLostTest, WhatIsHeldIsReleasedAndTheLoopEndsAsAFailure) {
    XServer server(XServer::Options{.windowManager = false});
    ASSERT_TRUE(server.ready());
    X11Desktop::Options desktopOptions;
    desktopOptions.displayName = server.display();
    auto desktop = X11Desktop::open(desktopOptions);
    ASSERT_TRUE(desktop);

    auto devices = std::make_unique<PipeBackend>(1);
    PipeBackend& mice = *devices;
    lnx::LinuxPlatform::Parts parts;
    parts.desktop = std::move(desktop);
    parts.devices = std::move(devices);
    parts.preferences = std::make_unique<MemoryPreferenceStore>("com.wexo.Wexo");
    lnx::LinuxPlatform platform(std::move(parts));
    lnx::LinuxRunLoop& loop = platform.linuxRunLoop();
    ASSERT_TRUE(platform.linuxEventStream().start());

    // The right button goes down; once its twin holds it, the server stops.
    mice.feed(0, {key(BTN_RIGHT, 1), syn()});
    bool stopped = false;
    const double limit = loop.now() + 10;
    auto watch = loop.schedule(0.001, 0.001, [&] {
        if (!stopped && mice.twin(0)->records().size() >= 2) {
            server.stopServer();
            stopped = true;
        }
        // Only a bound on a broken run: the loss ends the loop long before.
        if (loop.now() > limit) loop.quit(-1);
    });
    const int status = loop.run();
    watch->invalidate();

    EXPECT_TRUE(stopped);
    EXPECT_EQ(status, 4);
    EXPECT_EQ(triples(mice.twin(0)->records()), (std::vector<Triple>{{EV_KEY, BTN_RIGHT, 1},
                                                                     {EV_SYN, SYN_REPORT, 0},
                                                                     {EV_KEY, BTN_RIGHT, 0},
                                                                     {EV_SYN, SYN_REPORT, 0}}));
    // The broken connection stays harmless to the desktop's callers.
    EXPECT_TRUE(dynamic_cast<X11Desktop&>(platform.desktop()).connection().lost());
    platform.desktop().queryPointer();
    dynamic_cast<X11Desktop&>(platform.desktop()).processEvents();
}

}  // namespace
}  // namespace wexo::platform::x11
