#pragma once

#include <string>

namespace wexo::ui {

// An image as the screens name it; a front end loads it.
struct Image {
    enum class Kind {
        Named,     // a resource of the application ("global_b", "checkbox_on")
        FileIcon,  // the workspace's icon of the file at a path
        File,      // the contents of an image file at a path
    };
    Kind kind = Kind::Named;
    std::string name;  // the resource name or the path
    // Tinted by the system for light and dark backgrounds.
    bool isTemplate = false;

    static Image named(std::string name) { return Image{Kind::Named, std::move(name), false}; }
    static Image iconForFile(std::string path) {
        return Image{Kind::FileIcon, std::move(path), false};
    }
    static Image contentsOfFile(std::string path) {
        return Image{Kind::File, std::move(path), false};
    }

    friend bool operator==(const Image&, const Image&) = default;
};

}  // namespace wexo::ui
