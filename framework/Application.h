#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Clock.h"

namespace kiln {

/// The window settings, the tick and the order of a frame. A game derives
/// from it and creates its entities in createEntities.
class Application {
public:
    static constexpr unsigned int kDefaultWidth = 640;  // window pixels at start-up
    static constexpr unsigned int kDefaultHeight = 480;

    Application();

    /// 2-D projection in window pixels, origin bottom-left, y upwards.
    virtual void setOverlayProjection();
    virtual ~Application();
    /// Smooth shading, createEntities, then every entity's init. A runtime error
    /// from createEntities is logged and thrown on.
    virtual void init();
    /// One timer tick: reads the clock; from the second tick on, the debug pass
    /// and then the update pass with the elapsed milliseconds.
    virtual void update();
    /// One frame: clear, 3-D pass with depth test, overlay pass with blending.
    virtual void display();
    /// Creates every entity and adds it to the registry.
    virtual void createEntities() = 0;

    unsigned int getWidth() const { return width; }
    unsigned int getHeight() const { return height; }
    /// The current window size; the reshape callback keeps it up to date.
    void setSize(unsigned int newWidth, unsigned int newHeight);

    const std::string& getTitle() const { return title; }
    int getWindowX() const { return windowX; }
    int getWindowY() const { return windowY; }
    unsigned int getDisplayMode() const { return displayMode; }
    std::uint32_t getElapsed() const { return elapsed; }

    /// Replaces the time source; the application owns it.
    void setClock(std::unique_ptr<Clock> newClock);

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

protected:
    std::string title;
    int windowX;
    int windowY;
    unsigned int width;
    unsigned int height;
    unsigned int displayMode;
    std::uint32_t lastTime = 0;
    std::uint32_t currentTime = 0;
    std::uint32_t elapsed = 0;
    ClockReading clock;
    bool firstFrame = true;

private:
    std::unique_ptr<Clock> timeSource;
};

}  // namespace kiln
