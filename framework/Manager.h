#pragma once

#include "framework/Application.h"
#include "framework/Singleton.h"

namespace kiln {

/// Sets GLUT up, runs its main loop and tears the program down.
class Manager : public Singleton<Manager> {
public:
    static constexpr unsigned int kTimerPeriodMillis = 16;

    virtual ~Manager() = default;

    /// Opens the window, initialises the application (which the manager then
    /// owns), registers the callbacks, arms the timer and enters the GLUT main
    /// loop; does not return. An exception from the application's init escapes.
    void runApp(Application* application, int argc, char** argv);

    /// The program's body: runApp, and when start-up fails, the line
    /// "fatal: <what went wrong>" on standard error and EXIT_FAILURE.
    int runMain(Application* application, int argc, char** argv);

    /// Everything runApp does before it enters the main loop: the window, the
    /// application's init, the callbacks and the first timer. Tools that drive
    /// ticks themselves (with their own clock and input) call this instead.
    void startApp(Application* application, int argc, char** argv);

    Application* getApp() const { return app; }
    unsigned int getTimerPeriod() const { return timerPeriod; }

    /// Destroys the notifiers and then the registry with every entity it owns;
    /// the next instance() of each makes an empty one. Never from inside a
    /// dispatch: the walk would go on over deleted listeners.
    static void destroyEntities();

    /// Destroys the notifiers, the registry with every entity, the log and the
    /// other framework singletons, then the application and the manager, and
    /// ends the process with status 0. Safe to call from inside a dispatch.
    [[noreturn]] void shutdown();

private:
    friend class Singleton<Manager>;
    Manager() = default;

    Application* app = nullptr;
    unsigned int timerPeriod = 0;
};

}  // namespace kiln
