#include "platform/linux/x11/AtspiAccessibility.h"

#include <atspi/atspi.h>

#include "platform/Log.h"

namespace wexo::platform::x11 {

namespace {
// Elements are remembered until this many are known; then the oldest
// answers are dropped all at once (the engine asks again from the pointer).
constexpr std::size_t kMaxElements = 512;
constexpr int kMaxDepth = 64;
}  // namespace

std::string AtspiAccessibility::roleName(int role) {
    switch (role) {
        case ATSPI_ROLE_SCROLL_PANE:
            return "AXScrollArea";
        case ATSPI_ROLE_LIST:
        case ATSPI_ROLE_LIST_BOX:
        case ATSPI_ROLE_TABLE:
        case ATSPI_ROLE_TREE:
        case ATSPI_ROLE_TREE_TABLE:
            return "AXList";
        case ATSPI_ROLE_LINK:
            return "AXLink";
        case ATSPI_ROLE_PUSH_BUTTON:
        case ATSPI_ROLE_TOGGLE_BUTTON:
            return "AXButton";
        case ATSPI_ROLE_TEXT:
        case ATSPI_ROLE_ENTRY:
        case ATSPI_ROLE_PASSWORD_TEXT:
            return "AXTextArea";
        case ATSPI_ROLE_LABEL:
        case ATSPI_ROLE_STATIC:
            return "AXStaticText";
        case ATSPI_ROLE_FRAME:
        case ATSPI_ROLE_WINDOW:
        case ATSPI_ROLE_DIALOG:
            return "AXWindow";
        case ATSPI_ROLE_APPLICATION:
            return "AXApplication";
        case ATSPI_ROLE_SCROLL_BAR:
            return "AXScrollBar";
        case ATSPI_ROLE_IMAGE:
            return "AXImage";
        default:
            return "AXGroup";
    }
}

AtspiAccessibility::AtspiAccessibility(Hooks hooks) : hooks_(std::move(hooks)) {}

AtspiAccessibility::~AtspiAccessibility() {
    for (auto& [id, e] : elements_) g_object_unref(e.object);
}

namespace {
// libatspi is one per process and cannot be set up twice: every desktop of
// the process shares the one connection, and its context.
GMainContext* sharedContext() {
    static GMainContext* context = [] {
        GMainContext* c = g_main_context_new();
        const int status = atspi_init();
        if (status != 0 && status != 1) {  // 1: already set up
            platform::Log::write(LogLevel::Warning, __FILE__, __LINE__,
                                 "The accessibility bus cannot be reached: smart auto-scroll "
                                 "cannot see what is under the pointer");
            g_main_context_unref(c);
            return static_cast<GMainContext*>(nullptr);
        }
        // Its bus traffic goes to a context of ours, which only these
        // queries run: never the toolkit's loop from inside a tap.
        atspi_set_main_context(c);
        atspi_set_timeout(AtspiAccessibility::kCallTimeoutMs, AtspiAccessibility::kCallTimeoutMs);
        return c;
    }();
    return context;
}
}  // namespace

bool AtspiAccessibility::ready() const {
    if (!context_) context_ = sharedContext();
    return context_ != nullptr;
}

void AtspiAccessibility::pump() const {
    // Notifications that came in meanwhile; bounded so that a flood of them
    // cannot hold the mouse either.
    for (int i = 0; i < 64 && g_main_context_iteration(context_, FALSE); ++i) {
    }
}

bool AtspiAccessibility::hung(pid_t pid) const {
    auto it = hungUntil_.find(pid);
    if (it == hungUntil_.end()) return false;
    if (std::chrono::steady_clock::now() < it->second) return true;
    hungUntil_.erase(it);
    return false;
}

template <class F>
auto AtspiAccessibility::timed(pid_t pid, F&& call) const {
    const auto start = std::chrono::steady_clock::now();
    GError* error = nullptr;
    auto result = call(&error);
    if (error) {
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(kCallTimeoutMs)) {
            hungUntil_[pid] = std::chrono::steady_clock::now() + kHungPause;
            platform::Log::write(
                LogLevel::Warning, __FILE__, __LINE__,
                objcFormat("Process %d does not answer accessibility calls; left alone for "
                           "%d s",
                           pid, static_cast<int>(kHungPause.count())));
        }
        g_error_free(error);
    }
    return result;
}

AXElement AtspiAccessibility::remember(AtspiAccessible* object, pid_t pid) const {
    if (auto it = ids_.find(object); it != ids_.end()) {
        g_object_unref(object);
        return AXElement{it->second};
    }
    if (elements_.size() >= kMaxElements) {
        for (auto& [id, e] : elements_) g_object_unref(e.object);
        elements_.clear();
        ids_.clear();
    }
    const std::uint64_t id = nextId_++;
    elements_[id] = Element{object, pid};
    ids_[object] = id;
    return AXElement{id};
}

const AtspiAccessibility::Element* AtspiAccessibility::find(AXElement e) const {
    auto it = elements_.find(e.id);
    return it == elements_.end() ? nullptr : &it->second;
}

AtspiAccessible* AtspiAccessibility::applicationOf(pid_t pid) const {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop) return nullptr;
    AtspiAccessible* found = nullptr;
    const int count = atspi_accessible_get_child_count(desktop, nullptr);
    for (int i = 0; i < count && !found; ++i) {
        AtspiAccessible* app = atspi_accessible_get_child_at_index(desktop, i, nullptr);
        if (!app) continue;
        // The process id comes from the bus, not from the application.
        if (static_cast<pid_t>(atspi_accessible_get_process_id(app, nullptr)) == pid)
            found = app;
        else
            g_object_unref(app);
    }
    g_object_unref(desktop);
    return found;
}

std::optional<AXElement> AtspiAccessibility::elementAtPosition(AXElement root, Point p) const {
    if (!ready()) return std::nullopt;
    pump();
    const Point screen = hooks_.toScreen(p);
    const auto x = static_cast<gint>(screen.x), y = static_cast<gint>(screen.y);

    AtspiAccessible* start = nullptr;
    pid_t pid = 0;
    if (root.id == kSystemWide) {
        pid = hooks_.ownerAt(p);
        if (pid <= 0 || hung(pid)) return std::nullopt;
        AtspiAccessible* app = applicationOf(pid);
        if (!app) return std::nullopt;
        // The application's top-level window under the point.
        const int count =
            timed(pid, [&](GError** e) { return atspi_accessible_get_child_count(app, e); });
        for (int i = 0; i < count && !start && !hung(pid); ++i) {
            AtspiAccessible* window = timed(
                pid, [&](GError** e) { return atspi_accessible_get_child_at_index(app, i, e); });
            if (!window) continue;
            AtspiComponent* component = atspi_accessible_get_component_iface(window);
            const bool inside =
                component && timed(pid, [&](GError** e) {
                    return atspi_component_contains(component, x, y, ATSPI_COORD_TYPE_SCREEN, e);
                });
            if (component) g_object_unref(component);
            if (inside)
                start = window;
            else
                g_object_unref(window);
        }
        g_object_unref(app);
    } else if (const Element* e = find(root); e && !hung(e->pid)) {
        start = static_cast<AtspiAccessible*>(g_object_ref(e->object));
        pid = e->pid;
    }
    if (!start) return std::nullopt;

    AtspiAccessible* hit = start;
    for (int depth = 0; depth < kMaxDepth && !hung(pid); ++depth) {
        AtspiComponent* component = atspi_accessible_get_component_iface(hit);
        if (!component) break;
        AtspiAccessible* child = timed(pid, [&](GError** e) {
            return atspi_component_get_accessible_at_point(component, x, y, ATSPI_COORD_TYPE_SCREEN,
                                                           e);
        });
        g_object_unref(component);
        if (!child || child == hit) {
            if (child) g_object_unref(child);
            break;
        }
        g_object_unref(hit);
        hit = child;
    }
    if (hung(pid)) {
        g_object_unref(hit);
        return std::nullopt;
    }
    return remember(hit, pid);
}

std::optional<AtspiAccessible*> AtspiAccessibility::parentOf(const Element& e) const {
    AtspiAccessible* parent =
        timed(e.pid, [&](GError** err) { return atspi_accessible_get_parent(e.object, err); });
    if (!parent) return std::nullopt;
    const AtspiRole role =
        timed(e.pid, [&](GError** err) { return atspi_accessible_get_role(parent, err); });
    // The tree above the application is the desktop's, not the element's.
    if (role == ATSPI_ROLE_DESKTOP_FRAME || role == ATSPI_ROLE_INVALID) {
        g_object_unref(parent);
        return std::nullopt;
    }
    return parent;
}

std::vector<std::string> AtspiAccessibility::attributeNames(AXElement e) const {
    const Element* el = find(e);
    if (!el || hung(el->pid)) return {};
    std::vector<std::string> names{"AXRole"};
    if (auto parent = parentOf(*el)) {
        g_object_unref(*parent);
        names.push_back("AXParent");
    }
    return names;
}

std::optional<AXValue> AtspiAccessibility::attributeValue(AXElement e,
                                                          const std::string& name) const {
    const Element* el = find(e);
    if (!el || hung(el->pid)) return std::nullopt;
    if (name == "AXRole") {
        const AtspiRole role = timed(
            el->pid, [&](GError** err) { return atspi_accessible_get_role(el->object, err); });
        if (role == ATSPI_ROLE_INVALID) return std::nullopt;
        return AXValue{roleName(role)};
    }
    if (name == "AXParent") {
        const pid_t pid = el->pid;
        if (auto parent = parentOf(*el)) return AXValue{remember(*parent, pid)};
    }
    return std::nullopt;
}

}  // namespace wexo::platform::x11
