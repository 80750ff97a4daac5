#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Subscription.h"
#include "ui/Image.h"
#include "ui/Menu.h"
#include "ui/UserInterface.h"

namespace wexo::ui {

// NSVariableStatusItemLength.
inline constexpr double kVariableStatusItemLength = -1;

// An item in the menu bar's status area, with its menu. It joins the
// installed Application when built, and reports to the toolkit whenever it
// changes or its menu does. Main thread only.
class StatusItem {
  public:
    explicit StatusItem(double length = kVariableStatusItemLength);
    ~StatusItem();
    StatusItem(const StatusItem&) = delete;
    StatusItem& operator=(const StatusItem&) = delete;

    double length() const { return length_; }

    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const std::optional<Image>& image() const { return image_; }
    void setImage(std::optional<Image> image);

    const std::shared_ptr<Menu>& menu() const { return menu_; }
    void setMenu(std::shared_ptr<Menu> menu);

  private:
    void report(StatusItemChange change);

    double length_;
    bool visible_ = true;
    std::string title_;
    std::optional<Image> image_;
    std::shared_ptr<Menu> menu_;
    platform::Subscription menuObservation_;
};

}  // namespace wexo::ui
