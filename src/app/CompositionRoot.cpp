#include "app/CompositionRoot.h"

#include "app/AppDelegate.h"
#include "app/MainStoryboard.h"
#include "settings/KxDefaults.h"
#include "ui/qtimage/QtImageRenderer.h"

namespace wexo {

CompositionRoot::CompositionRoot(platform::Platform& platform,
                                 const DesktopConventions& conventions)
    : platform_(platform),
      platformInstallation_(&platform),
      conventionsInstallation_(&conventions),
      storyboard_(MainStoryboard::make()) {
    headless_ = std::make_unique<HeadlessApplication>();
    headlessInstallation_ = std::make_unique<SharedInstallation<ApplicationLink>>(headless_.get());
    frontMostObserver_.startObserving();
    startMouseTap();
}

CompositionRoot::CompositionRoot(platform::Platform& platform, ui::UserInterface& userInterface,
                                 const DesktopConventions& conventions)
    : platform_(platform),
      platformInstallation_(&platform),
      conventionsInstallation_(&conventions),
      storyboard_(MainStoryboard::make()),
      userInterface_(&userInterface) {
    imageRenderer_ = std::make_unique<ui::qtimage::QtImageRenderer>();
    imageRendererInstallation_ =
        std::make_unique<SharedInstallation<ui::ImageRenderer>>(imageRenderer_.get());
    application_ = std::make_unique<ui::Application>(userInterface);
    applicationInstallation_ =
        std::make_unique<SharedInstallation<ui::Application>>(application_.get());
    appDelegate_ = std::make_unique<AppDelegate>();
    application_->setDelegate(appDelegate_.get());
    userInterface.attach(*application_);
}

CompositionRoot::~CompositionRoot() {
    if (userInterface_) userInterface_->detach();
    // The application's windows and screens go while the engines they use
    // are still there.
    appDelegate_.reset();
    if (application_) application_->setDelegate(nullptr);
}

ScrollAnimation* CompositionRoot::scrollAnimation() const {
    return appDelegate_ ? appDelegate_->scroller() : nullptr;
}

void CompositionRoot::launch() {
    if (!application_ || launched_) return;
    launched_ = true;
    // The Buttons screen, loaded with the preferences window, starts the
    // mouse tap.
    application_->finishLaunching();
}

void CompositionRoot::startMouseTap() {
    if (!KxDefaults::getButtonsNative().value_or(false))
        mouseButtonListener_.startListeningToButtons();
}

}  // namespace wexo
