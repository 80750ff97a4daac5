#pragma once

#include <string>

#include "ui/Button.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

namespace wexo {

// The About screen: the product's name and version, and the ways to reach
// the people who make it. The status menu presents it in a window of its own.
class AboutViewController : public ui::ViewController {
  public:
    static constexpr const char* kSupportAddress = "support@wexo.com";
    static constexpr const char* kTwitterPage = "https://twitter.com/wexoapp";
    static constexpr const char* kRedditPage = "https://www.reddit.com/r/wexo";
    static constexpr const char* kWebSite = "https://wexo.com";

    AboutViewController();

    // The e-mail to support, as a mailto: address with its subject.
    static std::string supportMailURL();

    // ---- Outlets ----
    ui::TextField nameAndVersionLbl{"nameAndVersionLbl"};
    ui::Button emailOutlt{"emailOutlt", ui::ButtonType::Push};
    ui::Button twitterOutlt{"twitterOutlt", ui::ButtonType::Push};
    ui::Button redditOutlt{"redditOutlt", ui::ButtonType::Push};
    ui::Button websiteOutlt{"websiteOutlt", ui::ButtonType::Push};

  protected:
    void viewDidLoad() override;
    void viewDidAppear() override;
};

}  // namespace wexo
