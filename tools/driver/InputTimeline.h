#pragma once

#include <istream>
#include <string>
#include <vector>

namespace quiltRush {

/// One player input, delivered at the start of its tick (before that tick's
/// update). Positions are window pixels, origin top-left, y downwards, as
/// GLUT reports them.
struct InputEvent {
    enum class Kind {
        Move,     // the mouse moves to (x, y); a motion event while a button is held, else a passive one
        Press,    // a mouse button goes down at the last position
        Release,  // a mouse button comes up at the last position
        Key,      // a key goes down and up again
        KeyDown,
        KeyUp,
        Wheel,    // one wheel step: GLUT's press and release of button 3 (up) or 4 (down)
        Reshape,  // the window gets the size (x, y)
    };

    int tick = 0;
    Kind kind = Kind::Move;
    int x = 0;
    int y = 0;
    int button = 0;         // GLUT's code: left 0, middle 1, right 2, wheel up 3, wheel down 4
    unsigned char key = 0;  // the character GLUT reports: space 32, Enter 13, Escape 27

    bool operator==(const InputEvent& other) const;
};

/// A player's inputs tick by tick, read from and written to a small text file:
/// one event a line, "TICK EVENT ARGS", '#' starts a comment:
///     120 move 320 200      # window pixels, origin top-left
///     121 press left        # left, middle, right
///     150 release left
///     200 key space         # space, enter, escape, or one printable character
///     201 keydown d         # and keyup
///     210 wheel up          # or down
///     0 reshape 640 480
/// Events keep their file order; ticks must not decrease.
class InputTimeline {
public:
    /// Throws std::runtime_error "line N: ..." for a line it cannot read,
    /// including a tick below the one before it.
    static InputTimeline parse(std::istream& in);
    /// parse() of a file; throws std::runtime_error when it cannot be opened.
    static InputTimeline load(const std::string& path);

    /// Appends an event; its tick must not be below the last one (std::invalid_argument).
    void add(const InputEvent& event);
    void move(int tick, int x, int y);
    void press(int tick, int button);
    void release(int tick, int button);
    void key(int tick, unsigned char key);

    /// The file text, one event a line, which parse() reads back to the same events.
    std::string toText() const;
    void save(const std::string& path) const;

    const std::vector<InputEvent>& getEvents() const { return events; }
    /// The tick of the last event, or -1 for an empty timeline.
    int lastTick() const { return events.empty() ? -1 : events.back().tick; }

private:
    std::vector<InputEvent> events;
};

}  // namespace quiltRush
