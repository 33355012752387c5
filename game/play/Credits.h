#pragma once

#include "game/play/Button.h"
#include "game/play/InfoScreen.h"

namespace quiltRush {

/// The credits screen: one picture at the window centre.
class Credits : public InfoScreen {
public:
    /// Id "Credits"; loads the credits picture.
    Credits();

    const Button& getPicture() const { return picture; }

protected:
    void drawContent() override { picture.draw(); }

private:
    Button picture;
};

}  // namespace quiltRush
