#pragma once

#include <memory>
#include <vector>

#include "game/play/Button.h"
#include "game/play/MenuLayout.h"
#include "game/play/Screen.h"
#include "game/scene/SoundOutput.h"

namespace quiltRush {

/// The title screen: title picture and the buttons New, Manual, Credits and
/// Exit, with Levels beside New. It only records the button clicked; the game
/// acts on it.
class Menu : public Screen {
public:
    /// Id "menu"; loads the title (clamped to its edges) and the four buttons.
    Menu();

    /// Selection None; the menu shown (Screen::show).
    void show();
    /// The menu disabled.
    void hide();

    /// A left press on a button's clickable box selects it; a press elsewhere,
    /// a release or another button changes nothing.
    void onMouseButton(int button, int state, int x, int y) override;
    /// The button a left press at window pixel (x, y) from the top-left would
    /// choose at the current window size; None between the buttons.
    MenuChoice choiceAt(int x, int y) const;

    /// Hears a button chosen; not owned.
    void setSounds(SoundOutput* output) { sounds = output; }

    MenuChoice getSelection() const { return selection; }
    bool isNewSelected() const { return selection == MenuChoice::New; }
    bool isManualSelected() const { return selection == MenuChoice::Manual; }
    bool isCreditsSelected() const { return selection == MenuChoice::Credits; }
    bool isExitSelected() const { return selection == MenuChoice::Exit; }
    bool isLevelsSelected() const { return selection == MenuChoice::Levels; }
    const std::vector<std::unique_ptr<Button>>& getButtons() const { return buttons; }

protected:
    void drawContent() override;

private:
    MenuChoice selection = MenuChoice::None;
    std::vector<std::unique_ptr<Button>> buttons;
    Button levelsButton;
    GLuint titleImage = 0;
    SoundOutput* sounds = &SoundOutput::silence();
};

}  // namespace quiltRush
