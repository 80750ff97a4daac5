#pragma once

#include <functional>
#include <string>

#include "ui/View.h"

namespace wexo::ui {

// A view that plays a movie from the application's resources. The toolkit
// plays it and calls didPlayToEnd() when the movie has reached its end; the
// player then takes no action of its own.
class MovieView : public View {
  public:
    explicit MovieView(std::string identifier = {}) : View(std::move(identifier)) {}

    // The resource's name and type ("wexo_access_clip", "mov"); empty when
    // no movie is loaded (a resource that cannot be found leaves it empty).
    const std::string& movieName() const { return name_; }
    const std::string& movieType() const { return type_; }
    void loadMovie(std::string name, std::string type);

    bool isPlaying() const { return playing_; }
    void play();
    void pause();
    // Seconds from the start of the movie where playback stands.
    double position() const { return position_; }
    void seekToZero();

    // Called with the movie at its end.
    void setOnPlayedToEnd(std::function<void()> handler) { onEnd_ = std::move(handler); }
    // The toolkit: the movie has played to its end.
    void didPlayToEnd(double length);

  private:
    std::string name_;
    std::string type_;
    bool playing_ = false;
    double position_ = 0;
    std::function<void()> onEnd_;
};

}  // namespace wexo::ui
