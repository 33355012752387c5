#include "game/play/Manual.h"

namespace quiltRush {

namespace {
constexpr int kPictureSize = 200;  // pixels, square
}  // namespace

Manual::Manual() : InfoScreen("manual") {
    // The keys picture in the middle also says what a run is for.
    const struct {
        float x, y;
        const char* file;
    } layout[] = {
        {0.0f, 0.0f, "assets/menuImages/keys.bmp"},
        {-200.0f, 150.0f, "assets/menuImages/select.bmp"},
        {200.0f, 150.0f, "assets/menuImages/rotate.bmp"},
        {-200.0f, -150.0f, "assets/menuImages/zoom.bmp"},
        {200.0f, -150.0f, "assets/menuImages/fix.bmp"},
    };
    for (const auto& picture : layout) {
        pictures.push_back(std::make_unique<Button>(picture.x, picture.y, kPictureSize, kPictureSize, picture.file));
    }
}

void Manual::drawContent() {
    for (const auto& picture : pictures) picture->draw();
}

}  // namespace quiltRush
