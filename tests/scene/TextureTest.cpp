#include "game/scene/Texture.h"

#include <gtest/gtest.h>

#include <utility>

TEST(TextureTest, OnlySoftwareRenderersAreToldApartByTheirName) {
    const std::pair<const char*, bool> renderers[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"Gallium 0.4 on softpipe", true},
        {"Software Rasterizer", true},
        {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", true},
        {"ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero)), SwiftShader driver)", true},
        {"D3D12 (Microsoft Basic Render Driver)", true},
        {"GDI Generic", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"NVIDIA GeForce GTX 1080/PCIe/SSE2", false},
        {"Apple M1", false},
        {"", false},
        {nullptr, false},
    };
    for (auto [name, software] : renderers) EXPECT_EQ(quiltRush::isSoftwareRenderer(name), software) << (name ? name : "null");
}
