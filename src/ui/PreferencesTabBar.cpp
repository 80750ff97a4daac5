#include "ui/PreferencesTabBar.h"

namespace wexo {

const std::array<const char*, PreferencesTabBar::kTabCount> PreferencesTabBar::kTabActions = {
    "showScroll:", "showButtonAssign:", "showGestures:", "showGrab:", "showAuto:", "showSettings:"};

PreferencesTabBar::PreferencesTabBar(ui::View& root)
    : buttons_{&showScrollOutlt, &showButtonsOutlt, &showGesturesOutlt,
               &showGrabOutlt,   &showAutoOutlt,    &showSettingsOutlt},
      containers_{&scrollContainer, &buttonsContainer, &gesturesContainer,
                  &grabContainer,   &autoContainer,    &settingsContainer} {
    for (ui::Button* b : buttons_) root.addSubview(*b);
    for (ui::View* v : containers_) root.addSubview(*v);
    selectTab(0);
}

ui::Button& PreferencesTabBar::buttonOfTab(std::size_t tab) {
    return *buttons_[tab < kTabCount ? tab : 0];
}

ui::View& PreferencesTabBar::containerOfTab(std::size_t tab) {
    return *containers_[tab < kTabCount ? tab : 0];
}

void PreferencesTabBar::selectTab(std::size_t tab) {
    if (tab >= kTabCount) tab = 0;
    lastPressed_ = tab;
    for (std::size_t other = 0; other < kTabCount; ++other) {
        containers_[other]->setHidden(other != tab);
        buttons_[other]->setState(other == tab ? ui::kStateOn : ui::kStateOff);
    }
}

bool PreferencesTabBar::isTabOn(PreferencesTab tab) const {
    const auto index = static_cast<std::size_t>(tab);
    return index < kTabCount && buttons_[index]->state() != ui::kStateOff;
}

void PreferencesTabBar::setToolTips() {
    showScrollOutlt.setToolTipKey("scrollOutlt");
    showButtonsOutlt.setToolTipKey("buttonsOutlt");
    showGesturesOutlt.setToolTipKey("gestureOutlt");
    showGrabOutlt.setToolTipKey("grabOutlt");
    showAutoOutlt.setToolTipKey("autoOutlt");
}

}  // namespace wexo
