#include "game/scene/CommandLine.h"

int main(int argc, char** argv) { return quiltRush::runQuiltRush(argc, argv); }
