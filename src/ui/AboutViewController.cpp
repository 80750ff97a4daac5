#include "ui/AboutViewController.h"

#include <cctype>
#include <initializer_list>

#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "ui/Window.h"

namespace wexo {

namespace {
// Text as a URL's query value: everything but the unreserved characters
// percent-encoded, byte by byte.
std::string percentEncoded(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

void openLink(const std::string& url) {
    if (!installedPlatform().workspace().openURL(url)) WEXO_LOG_ERROR("Could not open %@", url);
}
}  // namespace

AboutViewController::AboutViewController() : ui::ViewController("About") {
    view().setFrame(platform::Rect(0, 0, 360, 240));
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &nameAndVersionLbl, &emailOutlt, &twitterOutlt, &redditOutlt, &websiteOutlt})
        view().addSubview(*c);
    nameAndVersionLbl.setAlignment(ui::TextAlignment::Center);
    emailOutlt.setTitle("E-mail");
    twitterOutlt.setTitle("Twitter");
    redditOutlt.setTitle("Reddit");
    websiteOutlt.setTitle("Website");

    emailOutlt.setTarget(this, "emailBtn:");
    addAction("emailBtn:", [](ui::Control&) { openLink(supportMailURL()); });
    twitterOutlt.setTarget(this, "twitterBtn:");
    addAction("twitterBtn:", [](ui::Control&) { openLink(kTwitterPage); });
    redditOutlt.setTarget(this, "redditBtn:");
    addAction("redditBtn:", [](ui::Control&) { openLink(kRedditPage); });
    websiteOutlt.setTarget(this, "websiteBtn:");
    addAction("websiteBtn:", [](ui::Control&) { openLink(kWebSite); });
}

std::string AboutViewController::supportMailURL() {
    const std::string subject = objcFormat("Hey there, I've been using Wexo %@ and..",
                                           installedPlatform().process().version());
    return objcFormat("mailto:%@?subject=%@", kSupportAddress, percentEncoded(subject));
}

void AboutViewController::viewDidLoad() {
    nameAndVersionLbl.setStringValue(
        objcFormat("Wexo %@", installedPlatform().process().version()));
}

void AboutViewController::viewDidAppear() {
    // A small window of facts: nothing to zoom, nothing to keep in the Dock.
    if (ui::Window* w = window()) w->setZoomAndMiniaturizeButtonsHidden(true);
}

}  // namespace wexo
