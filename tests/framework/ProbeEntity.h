#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "framework/Entity.h"
#include "framework/IDebugListener.h"
#include "framework/IDrawListener.h"
#include "framework/IDrawOverlayListener.h"
#include "framework/IKeyboardEventListener.h"
#include "framework/IMouseEventListener.h"
#include "framework/IReshapeEventListener.h"
#include "framework/IUpdateListener.h"

namespace frameworkTest {

/// Every call the probes saw, in the order they happened, as "id.operation(arguments)".
using CallLog = std::vector<std::string>;

/// An entity that implements every listener interface and writes each call
/// into a shared log. `action`, when set, runs after the call is logged and
/// may do what a game entity would (throw, add listeners, switch entities).
class ProbeEntity : public kiln::Entity,
                    public kiln::IKeyboardEventListener,
                    public kiln::IMouseEventListener,
                    public kiln::IReshapeEventListener,
                    public kiln::IUpdateListener,
                    public kiln::IDrawListener,
                    public kiln::IDrawOverlayListener,
                    public kiln::IDebugListener {
public:
    ProbeEntity(const std::string& id, CallLog& log) : kiln::Entity(id), log(log) {}

    void init() override { record("init"); }
    void onKeyPressed(unsigned char key) override { record("onKeyPressed(" + std::to_string(key) + ")"); }
    void onKeyReleased(unsigned char key) override { record("onKeyReleased(" + std::to_string(key) + ")"); }
    void onSpecialKeyPressed(int key) override { record("onSpecialKeyPressed(" + std::to_string(key) + ")"); }
    void onSpecialKeyReleased(int key) override { record("onSpecialKeyReleased(" + std::to_string(key) + ")"); }
    void onMouseButton(int button, int buttonState, int x, int y) override {
        record("onMouseButton(" + std::to_string(button) + "," + std::to_string(buttonState) + "," +
               std::to_string(x) + "," + std::to_string(y) + ")");
    }
    void onMouseMotion(int x, int y) override {
        record("onMouseMotion(" + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    void onMousePassiveMotion(int x, int y) override {
        record("onMousePassiveMotion(" + std::to_string(x) + "," + std::to_string(y) + ")");
    }
    void onReshape(int width, int height) override {
        record("onReshape(" + std::to_string(width) + "," + std::to_string(height) + ")");
    }
    void update(unsigned long elapsed) override { record("update(" + std::to_string(elapsed) + ")"); }
    void draw() override { record("draw"); }
    void drawOverlay() override { record("drawOverlay"); }
    void debug(std::ostream& stream) override {
        debugStream = &stream;
        record("debug");
    }

    std::function<void(const std::string& call)> action;
    /// The stream the last debug call passed.
    std::ostream* debugStream = nullptr;

private:
    void record(const std::string& call) {
        log.push_back(getId() + "." + call);
        if (action) action(call);
    }

    CallLog& log;
};

}  // namespace frameworkTest
