#include "game/scene/Texture.h"

#include <gtest/gtest.h>

namespace {

struct Renderer {
    const char* name;  // as GL_RENDERER gives it
    bool software;
};

const Renderer kRenderers[] = {
    {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
    {"Gallium 0.4 on llvmpipe (LLVM 3.4, 128 bits)", true},
    {"softpipe", true},
    {"Software Rasterizer", true},
    {"Mesa X11", true},
    {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", true},
    {"ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader driver)", true},
    {"D3D12 (Microsoft Basic Render Driver)", true},
    {"GDI Generic", true},
    {"Apple Software Renderer", true},
    {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
    {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
    {"NVIDIA GeForce GTX 1080/PCIe/SSE2", false},
    {"zink (Intel(R) UHD Graphics 620 (KBL GT2))", false},
    {"virgl (Mesa Intel(R) UHD Graphics 620 (KBL GT2))", false},
    {"Apple M1", false},
    {"", false},
};

TEST(TextureTest, OnlySoftwareRenderersAreToldApartByTheirName) {
    for (const Renderer& renderer : kRenderers) {
        EXPECT_EQ(quiltRush::isSoftwareRenderer(renderer.name), renderer.software) << renderer.name;
    }
    EXPECT_FALSE(quiltRush::isSoftwareRenderer(nullptr));
}

}  // namespace
