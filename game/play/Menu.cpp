#include "game/play/Menu.h"

#include "game/play/PictureQuad.h"
#include "game/scene/Texture.h"

namespace quiltRush {

namespace {

constexpr int kLeftButton = 0;  // GLUT's button and state codes
constexpr int kPressed = 0;
constexpr int kButtonWidth = 256;  // pixels
constexpr int kButtonHeight = 64;

// The title picture, 512 x 128 pixels above the buttons (window-centre coordinates).
constexpr float kTitleLeft = -256.0f;
constexpr float kTitleRight = 256.0f;
constexpr float kTitleTop = 230.0f;
constexpr float kTitleBottom = 102.0f;

}  // namespace

Menu::Menu() : Screen("menu") {
    loadTexture(titleImage, "assets/menuImages/title.bmp");
    bindClampedTexture(titleImage);
    // In the order of MenuChoice: New, Manual, Credits, Exit.
    buttons.push_back(std::make_unique<Button>(0.0f, 76.0f, kButtonWidth, kButtonHeight, "assets/buttons/new.bmp"));
    buttons.push_back(
        std::make_unique<Button>(0.0f, -8.0f, kButtonWidth, kButtonHeight, "assets/buttons/manual.bmp"));
    buttons.push_back(
        std::make_unique<Button>(0.0f, -92.0f, kButtonWidth, kButtonHeight, "assets/buttons/credits.bmp"));
    buttons.push_back(
        std::make_unique<Button>(0.0f, -176.0f, kButtonWidth, kButtonHeight, "assets/buttons/exit.bmp"));
}

void Menu::show() {
    selection = MenuChoice::None;
    state.enabled = true;
}

void Menu::hide() { state.enabled = false; }

void Menu::onMouseButton(int button, int buttonState, int x, int y) {
    if (button != kLeftButton || buttonState != kPressed) return;
    MenuChoice choice = choiceAt(x, y);
    if (choice != MenuChoice::None) selection = choice;
}

MenuChoice Menu::choiceAt(int x, int y) const {
    int cx = x - windowWidth / 2;
    int cy = windowHeight / 2 - y;  // the mouse counts rows downwards
    // In a small window the buttons are drawn shrunk: undo that for the click.
    float scale = contentScale();
    MenuChoice choice = MenuChoice::None;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->contains(static_cast<float>(cx) / scale, static_cast<float>(cy) / scale)) {
            choice = static_cast<MenuChoice>(i);
        }
    }
    return choice;
}

void Menu::drawContent() {
    bindTexture(titleImage);
    drawPictureQuad(kTitleLeft, kTitleTop, kTitleRight, kTitleBottom);
    for (const auto& button : buttons) button->draw();
}

}  // namespace quiltRush
