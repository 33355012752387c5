#pragma once

#include <memory>
#include <vector>

#include "game/play/Button.h"
#include "game/play/InfoScreen.h"

namespace quiltRush {

/// The controls screen: five pictures around the window centre.
class Manual : public InfoScreen {
public:
    /// Id "manual"; loads the keys, select, rotate, zoom and fix pictures.
    Manual();

    const std::vector<std::unique_ptr<Button>>& getPictures() const { return pictures; }

protected:
    void drawContent() override;

private:
    std::vector<std::unique_ptr<Button>> pictures;
};

}  // namespace quiltRush
