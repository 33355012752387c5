#include "game/play/Credits.h"

namespace quiltRush {

namespace {
constexpr int kPictureSize = 200;  // pixels, square
}

// The background and cursor load first (base part), then the picture.
Credits::Credits() : InfoScreen("Credits"), picture(0.0f, 0.0f, kPictureSize, kPictureSize, "assets/menuImages/credits.bmp") {}

}  // namespace quiltRush
