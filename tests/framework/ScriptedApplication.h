#pragma once

#include <functional>
#include <utility>

#include "framework/Application.h"

namespace frameworkTest {

/// An application whose createEntities runs what the test gives it.
class ScriptedApplication : public kiln::Application {
public:
    explicit ScriptedApplication(std::function<void()> script = [] {}) : script(std::move(script)) {}
    void createEntities() override { script(); }

private:
    std::function<void()> script;
};

}  // namespace frameworkTest
