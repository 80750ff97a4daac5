#include "app/CompositionRoot.h"

namespace wexo {

CompositionRoot::CompositionRoot(platform::Platform& platform)
    : platform_(platform), platformInstallation_(&platform) {
    frontMostObserver_.startObserving();
}

// Engines added later are destroyed (members in reverse order) before the
// platform is uninstalled.
CompositionRoot::~CompositionRoot() = default;

}  // namespace wexo
