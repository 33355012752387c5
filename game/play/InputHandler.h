#pragma once

#include <GL/gl.h>

#include "framework/Entity.h"
#include "framework/IDrawListener.h"
#include "framework/IDrawOverlayListener.h"
#include "framework/IKeyboardEventListener.h"
#include "framework/IMouseEventListener.h"
#include "framework/IUpdateListener.h"
#include "framework/Singleton.h"
#include "game/physics/Vector3.h"
#include "game/scene/SoundOutput.h"

namespace quiltRush {

class Game;
class Sphere;
class Spring;

/// The play controls. Left button: pick a cloth sphere and drag it through a
/// stiff spring; right button: orbit the camera; both: zoom; the wheel zooms
/// too. Keys: space tacks or untacks the picked sphere, Escape opens the
/// menu, Enter restarts, 'd' switches the physics debug view. Draws a blue
/// marker on the picked sphere and the cursor picture.
class InputHandler : public kiln::Entity,
                     public kiln::IUpdateListener,
                     public kiln::IDrawOverlayListener,
                     public kiln::IDrawListener,
                     public kiln::IMouseEventListener,
                     public kiln::IKeyboardEventListener,
                     public kiln::Singleton<InputHandler> {
public:
    static constexpr float kZoomPerPixel = 0.1f;     // world units per pixel of mouse travel
    static constexpr float kZoomPerWheelStep = 1.0f;  // world units per wheel step
    static constexpr float kSpringStiffness = 5000.0f;  // force per world unit of stretch
    /// The mouse end of the drag spring moves towards the point under the
    /// mouse at most this fast (world units per second). At the start camera
    /// a yank across the whole window in 160 ms needs 43, an ordinary drag 13.
    static constexpr float kMaxMouseSpeed = 50.0f;

    /// Deletes the mouse sphere and spring; the engine must not step again.
    ~InputHandler() override;

    void init() override {}

    /// Unprojects the mouse onto the near plane, then zooms, drags or orbits
    /// by the buttons held.
    void update(unsigned long elapsed) override;
    /// The marker on the selected sphere (3-D pass).
    void draw() override;
    /// The cursor picture at the mouse (overlay pass).
    void drawOverlay() override;

    /// GLUT's codes: buttons left 0, middle 1, right 2, wheel 3 (up) and 4
    /// (down); states pressed 0, released 1. The position is not used.
    void onMouseButton(int button, int state, int x, int y) override;
    void onMouseMotion(int x, int y) override;
    void onMousePassiveMotion(int x, int y) override;
    void onKeyPressed(unsigned char key) override;
    void onKeyReleased(unsigned char) override {}
    void onSpecialKeyPressed(int) override {}
    void onSpecialKeyReleased(int) override {}

    /// Not owned.
    void setGame(Game* newGame) { game = newGame; }
    Game* getGame() const { return game; }
    /// Hears grabs and tacks; not owned.
    void setSounds(SoundOutput* output) { sounds = output; }

    Sphere* getSelected() const { return selected; }
    Sphere* getMouseSphere() const { return mouseSphere; }
    Spring* getMouseSpring() const { return mouseSpring; }
    Vector3 getMousePoint() const { return mousePoint; }
    bool isLeftButtonDown() const { return leftButtonDown; }
    bool isRightButtonDown() const { return rightButtonDown; }
    bool isRotationPrimed() const { return rotationPrimed; }
    /// Drag steps taken since construction, and how many of them did not put
    /// the mouse sphere on the point under the mouse (too far for one step at
    /// kMaxMouseSpeed, or a point that is not finite).
    unsigned long getDragSteps() const { return dragSteps; }
    unsigned long getHeldBackDragSteps() const { return heldBackDragSteps; }
    GLuint getCursor() const { return cursor; }
    GLuint getArrowCursor() const { return arrowCursor; }
    GLuint getGrabCursor() const { return grabCursor; }

private:
    friend class kiln::Singleton<InputHandler>;
    /// Id "InputHandler"; adds the fixed mouse sphere and the mouse spring to
    /// the physics engine (the handler owns them) and loads the cursors. The
    /// mouse starts where it was last seen (kiln::MousePosition).
    InputHandler();

    void pick();
    void release();
    void dragStep(unsigned long elapsed);
    void toggleTack();
    void onWheel(int button, int state);
    void unprojectMouse();

    bool rotationPrimed = false;
    int previousX = 0;
    int previousY = 0;
    int mouseX = 0;
    int mouseY = 0;
    bool rightButtonDown = false;
    bool leftButtonDown = false;
    GLuint cursor = 0;
    GLuint arrowCursor = 0;
    GLuint grabCursor = 0;
    Vector3 mousePoint;
    Sphere* mouseSphere = nullptr;
    Spring* mouseSpring = nullptr;
    Sphere* selected = nullptr;
    Game* game = nullptr;
    unsigned long dragSteps = 0;
    unsigned long heldBackDragSteps = 0;
    SoundOutput* sounds = &SoundOutput::silence();
};

}  // namespace quiltRush
