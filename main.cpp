#include "framework/Manager.h"
#include "game/scene/QuiltRushApplication.h"

int main(int argc, char** argv) {
    return kiln::Manager::instance()->runMain(new quiltRush::QuiltRushApplication(), argc, argv);
}
