#include "game/play/Manual.h"

namespace quiltRush {

namespace {
constexpr int kPictureSize = 200;  // pixels, square
// The goal card is half as high and sits above the keys, between the two upper cards.
constexpr int kGoalHeight = 100;
constexpr float kGoalY = 180.0f;
}  // namespace

Manual::Manual() : InfoScreen("manual") {
    const struct {
        float x, y;
        int height;
        const char* file;
    } layout[] = {
        {0.0f, 0.0f, kPictureSize, "assets/menuImages/keys.bmp"},
        {-200.0f, 150.0f, kPictureSize, "assets/menuImages/select.bmp"},
        {200.0f, 150.0f, kPictureSize, "assets/menuImages/rotate.bmp"},
        {-200.0f, -150.0f, kPictureSize, "assets/menuImages/zoom.bmp"},
        {200.0f, -150.0f, kPictureSize, "assets/menuImages/fix.bmp"},
        {0.0f, kGoalY, kGoalHeight, "assets/menuImages/goal.bmp"},
    };
    for (const auto& picture : layout) {
        pictures.push_back(std::make_unique<Button>(picture.x, picture.y, kPictureSize, picture.height, picture.file));
    }
}

void Manual::drawContent() {
    for (const auto& picture : pictures) picture->draw();
}

}  // namespace quiltRush
