#include <cstdio>
#include <cstdlib>
#include <exception>

#include "framework/Manager.h"
#include "game/scene/QuiltRushApplication.h"

int main(int argc, char** argv) {
    try {
        kiln::Manager::instance()->runApp(new quiltRush::QuiltRushApplication(), argc, argv);
    } catch (const std::exception& error) {
        // Start-up failed; the log already holds runtime errors from entity creation.
        std::fprintf(stderr, "fatal: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return 0;
}
