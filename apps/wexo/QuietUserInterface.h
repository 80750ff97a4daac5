#pragma once

#include "platform/RunLoop.h"
#include "ui/UserInterface.h"

namespace wexo::app {

// The user interface of a run without a front end: nothing is drawn, an
// alert is written to the log and left unanswered (nobody is there to
// answer it), and an open panel is cancelled.
class QuietUserInterface : public ui::UserInterface {
  public:
    explicit QuietUserInterface(platform::RunLoop& loop) : loop_(loop) {}
    void attach(ui::Application&) override {}
    void detach() override {}
    void windowDidChange(ui::Window&, ui::WindowChange) override {}
    void statusItemDidChange(ui::StatusItem&, ui::StatusItemChange) override {}
    void activationPolicyDidChange(ui::ActivationPolicy) override {}
    void runModal(const ui::Alert& alert, std::function<void(std::size_t)> completion) override;
    void beginSheet(const ui::OpenPanel& panel, ui::Window* parent,
                    std::function<void(std::optional<std::string>)> completion) override;
    bool currentEventIsLeftMouseUp() const override { return false; }

  private:
    platform::RunLoop& loop_;
};

}  // namespace wexo::app
