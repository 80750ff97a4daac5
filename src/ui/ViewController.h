#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/ActionTarget.h"
#include "ui/View.h"

namespace wexo::ui {

class Window;

// A screen: a root view with its controls, the actions they send, and the
// screens embedded in it or presented from it.
//
// A screen builds its controls in its constructor (they are its members)
// and declares its actions there; viewDidLoad runs once, when a window or a
// parent first shows the screen, and is where a screen reads its settings
// and starts what it owns. Main thread only.
class ViewController : public ActionTarget {
  public:
    // `screenName` is how the scenario runner and a front end name the
    // screen ("Scroll", "Buttons", "Accessibility" …).
    explicit ViewController(std::string screenName);
    ~ViewController() override;

    const std::string& screenName() const { return screenName_; }
    View& view() { return view_; }
    const View& view() const { return view_; }

    bool isViewLoaded() const { return loaded_; }
    // Runs viewDidLoad the first time.
    void loadViewIfNeeded();

    // The window showing the screen: its own, or its parent's.
    Window* window() const;
    ViewController* parentViewController() const { return parent_; }
    const std::vector<std::unique_ptr<ViewController>>& childViewControllers() const {
        return children_;
    }

    // Embeds a child screen in a container view of this screen (a container
    // view's embed segue): the child's view loads and fills the container.
    // The child appears and disappears with this screen.
    ViewController& embedChildViewController(std::unique_ptr<ViewController> child,
                                             View& container);

    // Shows another screen in a window of its own (presented modally), or
    // as a sheet on this screen's window. This screen owns it until it is
    // dismissed; its window is named after it.
    ViewController& presentViewControllerAsModalWindow(std::unique_ptr<ViewController> screen);
    ViewController& presentViewControllerAsSheet(std::unique_ptr<ViewController> screen);
    // Closes a screen presented from this one. It stays alive until the
    // running action (if any) has ended.
    void dismissViewController(ViewController& screen);
    // Asks the presenting screen to dismiss this one.
    void dismiss();
    ViewController* presentingViewController() const { return presenter_; }
    std::vector<ViewController*> presentedViewControllers() const;

    // The window's appearance reaches the screen and its children.
    void appearanceWillChange(bool appearing);
    void appearanceDidChange(bool appearing);

  protected:
    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}

  private:
    friend class Window;
    struct Presentation;

    ViewController& present(std::unique_ptr<ViewController> screen, bool asSheet);
    void releaseDismissed();

    std::string screenName_;
    View view_;
    bool loaded_ = false;
    Window* window_ = nullptr;
    ViewController* parent_ = nullptr;
    ViewController* presenter_ = nullptr;
    std::vector<std::unique_ptr<ViewController>> children_;
    std::vector<std::unique_ptr<Presentation>> presented_;
    std::vector<std::unique_ptr<Presentation>> dismissed_;
};

}  // namespace wexo::ui
