#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Cursor.h"
#include "platform/linux/x11/X11Connection.h"

namespace wexo::platform::x11 {

// The pointer's shape on X11. No client may set the cursor of another
// client's window, so a shape is shown the one way the server allows: the
// cursors the toolkits load by name from the theme (the arrow and the text
// beam under their usual names) take the shape's image while it is set
// (XFixesChangeCursorByName), and the root window shows it too. Windows
// whose cursors carry no name keep theirs. Arrow puts every named cursor
// back to its own theme image. Hiding and showing go through XFixes and
// work everywhere.
class X11Cursor : public Cursor {
  public:
    explicit X11Cursor(X11Connection& connection);
    ~X11Cursor() override;

    // Nothing to ask for: X lets any client change the named cursors.
    void allowSetInBackground() override {}
    void set(CursorShape shape) override;
    void hide() override;
    void unhide() override;
    Point currentSystemCursorHotSpot() const override;
    Point pointingHandHotSpot() const override;

    // The cursor names whose image a shape replaces.
    static const std::vector<std::string>& replacedNames();

  private:
    ::Cursor load(CursorShape shape) const;
    ::Cursor loadNamed(const std::string& name) const;
    void restoreNames();

    X11Connection& c_;
    std::optional<CursorShape> shown_;
    int hidden_ = 0;
};

}  // namespace wexo::platform::x11
