#include "tools/driver/InputTimeline.h"

#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "framework/InputCodes.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

struct Name {
    const char* word;
    int code;
};

const Name kButtons[] = {{"left", kLeftButton}, {"middle", kMiddleButton}, {"right", kRightButton}};
const Name kWheelSteps[] = {{"up", kWheelUp}, {"down", kWheelDown}};
const Name kKeys[] = {{"space", kSpace}, {"enter", kEnter}, {"escape", kEscape}};
const Name kKinds[] = {{"move", static_cast<int>(InputEvent::Kind::Move)},
                       {"press", static_cast<int>(InputEvent::Kind::Press)},
                       {"release", static_cast<int>(InputEvent::Kind::Release)},
                       {"key", static_cast<int>(InputEvent::Kind::Key)},
                       {"keydown", static_cast<int>(InputEvent::Kind::KeyDown)},
                       {"keyup", static_cast<int>(InputEvent::Kind::KeyUp)},
                       {"wheel", static_cast<int>(InputEvent::Kind::Wheel)},
                       {"reshape", static_cast<int>(InputEvent::Kind::Reshape)}};

template <std::size_t N>
bool codeOf(const Name (&names)[N], const std::string& word, int& code) {
    for (const Name& name : names) {
        if (word == name.word) {
            code = name.code;
            return true;
        }
    }
    return false;
}

template <std::size_t N>
const char* wordOf(const Name (&names)[N], int code) {
    for (const Name& name : names) {
        if (name.code == code) return name.word;
    }
    return nullptr;
}

[[noreturn]] void fail(int line, const std::string& message) {
    throw std::runtime_error("line " + std::to_string(line) + ": " + message);
}

// A whole decimal number that fits an int; nothing may follow it.
bool readInt(const std::string& word, int& value) {
    if (word.empty()) return false;
    std::size_t used = 0;
    long parsed = 0;
    try {
        parsed = std::stol(word, &used, 10);
    } catch (const std::exception&) {
        return false;
    }
    if (used != word.size() || parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool readKey(const std::string& word, unsigned char& key) {
    int code = 0;
    if (codeOf(kKeys, word, code)) {
        key = static_cast<unsigned char>(code);
        return true;
    }
    // One printable character that is not the comment mark stands for itself.
    if (word.size() == 1 && word[0] > ' ' && word[0] < 127 && word[0] != '#') {
        key = static_cast<unsigned char>(word[0]);
        return true;
    }
    return false;
}

std::string keyWord(unsigned char key) {
    if (const char* word = wordOf(kKeys, key)) return word;
    return std::string(1, static_cast<char>(key));
}

InputEvent readEvent(const std::vector<std::string>& words, int line) {
    InputEvent event;
    if (!readInt(words[0], event.tick) || event.tick < 0) fail(line, "'" + words[0] + "' is not a tick (0 or more)");
    if (words.size() < 2) fail(line, "no event after the tick");
    int kind = 0;
    if (!codeOf(kKinds, words[1], kind)) fail(line, "unknown event '" + words[1] + "'");
    event.kind = static_cast<InputEvent::Kind>(kind);

    auto expectArguments = [&](std::size_t count) {
        if (words.size() != count + 2) {
            fail(line, "'" + words[1] + "' takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s"));
        }
    };
    switch (event.kind) {
        case InputEvent::Kind::Move:
        case InputEvent::Kind::Reshape:
            expectArguments(2);
            if (!readInt(words[2], event.x) || !readInt(words[3], event.y)) fail(line, "positions are whole numbers");
            if (event.kind == InputEvent::Kind::Reshape && (event.x < 0 || event.y < 0)) {
                fail(line, "a window size cannot be negative");
            }
            break;
        case InputEvent::Kind::Press:
        case InputEvent::Kind::Release:
            expectArguments(1);
            if (!codeOf(kButtons, words[2], event.button)) fail(line, "unknown button '" + words[2] + "'");
            break;
        case InputEvent::Kind::Wheel:
            expectArguments(1);
            if (!codeOf(kWheelSteps, words[2], event.button)) fail(line, "the wheel turns up or down");
            break;
        case InputEvent::Kind::Key:
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp:
            expectArguments(1);
            if (!readKey(words[2], event.key)) fail(line, "unknown key '" + words[2] + "'");
            break;
    }
    return event;
}

}  // namespace

bool InputEvent::operator==(const InputEvent& other) const {
    return tick == other.tick && kind == other.kind && x == other.x && y == other.y && button == other.button &&
           key == other.key;
}

InputTimeline InputTimeline::parse(std::istream& in) {
    InputTimeline timeline;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        std::string::size_type comment = text.find('#');
        if (comment != std::string::npos) text.erase(comment);
        std::istringstream words(text);
        std::vector<std::string> parts;
        for (std::string word; words >> word;) parts.push_back(word);
        if (parts.empty()) continue;
        InputEvent event = readEvent(parts, line);
        if (event.tick < timeline.lastTick()) fail(line, "tick " + parts[0] + " comes before the tick above it");
        timeline.events.push_back(event);
    }
    return timeline;
}

InputTimeline InputTimeline::load(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot open the timeline '" + path + "'");
    try {
        return parse(file);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

void InputTimeline::add(const InputEvent& event) {
    if (event.tick < 0 || event.tick < lastTick()) {
        throw std::invalid_argument("an event at tick " + std::to_string(event.tick) + " cannot follow tick " +
                                    std::to_string(lastTick()));
    }
    // Only events that the file can name: the text must read back the same.
    bool named = true;
    switch (event.kind) {
        case InputEvent::Kind::Press:
        case InputEvent::Kind::Release:
            named = wordOf(kButtons, event.button) != nullptr;
            break;
        case InputEvent::Kind::Wheel:
            named = wordOf(kWheelSteps, event.button) != nullptr;
            break;
        case InputEvent::Kind::Key:
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp:
            unsigned char readBack;
            named = readKey(keyWord(event.key), readBack) && readBack == event.key;
            break;
        case InputEvent::Kind::Reshape:
            named = event.x >= 0 && event.y >= 0;
            break;
        case InputEvent::Kind::Move:
            break;
    }
    if (!named) throw std::invalid_argument("an event that a timeline file cannot hold");
    events.push_back(event);
}

void InputTimeline::move(int tick, int x, int y) {
    InputEvent event;
    event.tick = tick;
    event.kind = InputEvent::Kind::Move;
    event.x = x;
    event.y = y;
    add(event);
}

void InputTimeline::press(int tick, int button) {
    InputEvent event;
    event.tick = tick;
    event.kind = InputEvent::Kind::Press;
    event.button = button;
    add(event);
}

void InputTimeline::release(int tick, int button) {
    InputEvent event;
    event.tick = tick;
    event.kind = InputEvent::Kind::Release;
    event.button = button;
    add(event);
}

void InputTimeline::key(int tick, unsigned char key) {
    InputEvent event;
    event.tick = tick;
    event.kind = InputEvent::Kind::Key;
    event.key = key;
    add(event);
}

std::string InputTimeline::toText() const {
    std::ostringstream out;
    for (const InputEvent& event : events) {
        out << event.tick << ' ' << wordOf(kKinds, static_cast<int>(event.kind));
        switch (event.kind) {
            case InputEvent::Kind::Move:
            case InputEvent::Kind::Reshape:
                out << ' ' << event.x << ' ' << event.y;
                break;
            case InputEvent::Kind::Press:
            case InputEvent::Kind::Release:
                out << ' ' << wordOf(kButtons, event.button);
                break;
            case InputEvent::Kind::Wheel:
                out << ' ' << wordOf(kWheelSteps, event.button);
                break;
            case InputEvent::Kind::Key:
            case InputEvent::Kind::KeyDown:
            case InputEvent::Kind::KeyUp:
                out << ' ' << keyWord(event.key);
                break;
        }
        out << '\n';
    }
    return out.str();
}

void InputTimeline::save(const std::string& path) const {
    std::ofstream file(path);
    file << toText();
    if (!file) throw std::runtime_error("cannot write the timeline '" + path + "'");
}

}  // namespace quiltRush
