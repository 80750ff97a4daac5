#pragma once

#include <cstdint>
#include <string>

#include "actions/KxShortcut.h"
#include "platform/Subscription.h"

namespace wexo {

// Receives the keys a KxRecorder records.
class KxRecorderDelegate {
  public:
    virtual ~KxRecorderDelegate() = default;
    // A key was pressed while recording; the shortcut carries its code and
    // name, never modifier flags.
    virtual void keyStrokeDetected(const KxShortcut& /*shortcut*/) {}
};

// Records key strokes typed into the shortcut editor through a local key
// monitor. While it records, the program's windows receive no key-down or
// flags-changed events: the typed key must not land in a text field.
class KxRecorder {
  public:
    // Key-down and flags-changed events.
    static constexpr std::uint64_t kRecordingMask = 0x1400;

    explicit KxRecorder(KxRecorderDelegate* delegate = nullptr) : delegate_(delegate) {}
    KxRecorder(const KxRecorder&) = delete;
    KxRecorder& operator=(const KxRecorder&) = delete;

    // Starts over with an empty shortcut. Starting again while recording
    // replaces the monitor, so at most one is ever installed.
    void startRecording();
    // Removes the monitor; does nothing when none is installed.
    void stopRecording();
    void passKeyToDelegate(const KxShortcut& shortcut);

    // The short name shown for a virtual key code; "?" for codes without one.
    static std::string keyStringFormKeyCode(std::uint64_t keyCode);

    bool recordingIsActive() const { return recordingIsActive_; }
    bool hasEventMonitor() const { return static_cast<bool>(eventMonitor_); }
    KxRecorderDelegate* delegate() const { return delegate_; }
    void setDelegate(KxRecorderDelegate* delegate) { delegate_ = delegate; }
    const KxShortcut& currentShortcut() const { return currentShortcut_; }

  private:
    bool recordingIsActive_ = false;
    KxRecorderDelegate* delegate_ = nullptr;  // not owned
    KxShortcut currentShortcut_;
    platform::Subscription eventMonitor_;
};

}  // namespace wexo
