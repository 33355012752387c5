#include "game/play/Menu.h"

#include "framework/InputCodes.h"
#include "game/play/MenuLayout.h"
#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

using namespace kiln::inputCodes;

// The title picture, 512 x 128 pixels above the buttons (window-centre coordinates).
constexpr float kTitleLeft = -256.0f;
constexpr float kTitleRight = 256.0f;
constexpr float kTitleTop = 230.0f;
constexpr float kTitleBottom = 102.0f;

}  // namespace

Menu::Menu()
    : Screen("menu"),
      levelsButton(static_cast<float>(menuLayout::kLevelsCentreX), static_cast<float>(menuLayout::kLevelsCentreY),
                   menuLayout::kLevelsWidth, menuLayout::kButtonHeight, "assets/buttons/levels.bmp") {
    loadClampedTexture(titleImage, "assets/menuImages/title.bmp");
    // In the order of MenuChoice: New, Manual, Credits, Exit.
    const char* const pictures[menuLayout::kButtons] = {"assets/buttons/new.bmp", "assets/buttons/manual.bmp",
                                                         "assets/buttons/credits.bmp", "assets/buttons/exit.bmp"};
    for (std::size_t i = 0; i < menuLayout::kButtons; ++i) {
        buttons.push_back(std::make_unique<Button>(0.0f, static_cast<float>(menuLayout::kButtonCentreY[i]),
                                                   menuLayout::kButtonWidth, menuLayout::kButtonHeight, pictures[i]));
    }
}

void Menu::show() {
    selection = MenuChoice::None;
    Screen::show();
}

void Menu::hide() { state.enabled = false; }

void Menu::onMouseButton(int button, int buttonState, int x, int y) {
    if (button != kLeftButton || buttonState != kPressed) return;
    MenuChoice choice = choiceAt(x, y);
    if (choice == MenuChoice::None) return;
    selection = choice;
    sounds->play(Sound::MenuChoice);
}

MenuChoice Menu::choiceAt(int x, int y) const {
    int cx = x - windowWidth / 2;
    int cy = windowHeight / 2 - y;  // the mouse counts rows downwards
    // In a small window the buttons are drawn shrunk: undo that for the click.
    float scale = contentScale();
    float px = static_cast<float>(cx) / scale;
    float py = static_cast<float>(cy) / scale;
    MenuChoice choice = MenuChoice::None;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->contains(px, py)) choice = static_cast<MenuChoice>(i);
    }
    // Its own box, as wide as its picture: the others' fixed width would reach over New.
    float halfWidth = static_cast<float>(menuLayout::kLevelsWidth / 2);
    if (px >= levelsButton.getX() - halfWidth && px <= levelsButton.getX() + halfWidth &&
        py >= levelsButton.getY() - Button::kHitBelow && py <= levelsButton.getY() + Button::kHitAbove) {
        choice = MenuChoice::Levels;
    }
    return choice;
}

void Menu::drawContent() {
    bindTexture(titleImage);
    drawPictureQuad(kTitleLeft, kTitleTop, kTitleRight, kTitleBottom);
    for (const auto& button : buttons) button->draw();
    levelsButton.draw();
}

}  // namespace quiltRush
