#include "game/scene/Texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/scene/BmpBytes.h"
#include "tests/support/GlContext.h"
#include "tests/support/ScopedTempDir.h"

using quiltRush::bindClampedTexture;
using quiltRush::bindTexture;
using quiltRush::loadTexture;
using testSupport::BmpBytes;

namespace {

constexpr GLuint kUntouched = 4242;  // a handle value no load would produce here

class TextureGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testSupport::ensureGlContext();
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    GLuint loadBytes(const std::string& bytes) {
        dir.write("image.bmp", bytes);
        GLuint handle = kUntouched;
        loadTexture(handle, "image.bmp");
        return handle;
    }

    // Level 0 of the bound texture as RGBA bytes, top row first.
    static std::vector<std::uint8_t> levelZero(int width, int height) {
        std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }

    static GLint boundTexture() {
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return bound;
    }

    testSupport::ScopedTempDir dir;
};

}  // namespace

TEST_F(TextureGlTest, TopRowOfThePictureIsTextureRowZeroAndAlphaSurvives) {
    GLuint handle = loadBytes(testSupport::twoByTwoPicture().build());
    ASSERT_NE(handle, kUntouched);
    glBindTexture(GL_TEXTURE_2D, handle);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    ASSERT_EQ(width, 2);
    ASSERT_EQ(height, 2);
    std::vector<std::uint8_t> expected = {
        0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF,  // row 0: red, green
        0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x80,  // row 1: blue (first stored), white at half alpha
    };
    EXPECT_EQ(levelZero(2, 2), expected);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureGlTest, LoadLeavesTheTextureBoundAndTexturingEnabled) {
    GLuint handle = loadBytes(testSupport::twoByTwoPicture().build());
    ASSERT_NE(handle, kUntouched);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(handle));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TextureGlTest, FiltersAndAnisotropyAreSet) {
    GLuint handle = loadBytes(testSupport::twoByTwoPicture().build());
    ASSERT_NE(handle, kUntouched);
    GLint mag = 0, min = 0;
    GLfloat anisotropy = 0.0f;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(mag, GL_LINEAR);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(anisotropy, 8.0f);
    GLint wrapS = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    EXPECT_EQ(wrapS, GL_REPEAT);
}

TEST_F(TextureGlTest, MipmapChainIsBuiltForSizesThatAreNotPowersOfTwo) {
    BmpBytes bmp;
    bmp.width = 3;
    bmp.height = 5;
    bmp.pixels.assign(3 * 5 * 4, 0x7F);
    GLuint handle = loadBytes(bmp.build());
    ASSERT_NE(handle, kUntouched);
    GLint levelOneWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelOneWidth);
    EXPECT_GT(levelOneWidth, 0);
}

TEST_F(TextureGlTest, TwoLoadsOfOneFileGiveTwoNames) {
    dir.write("same.bmp", testSupport::twoByTwoPicture().build());
    GLuint first = kUntouched, second = kUntouched;
    loadTexture(first, "same.bmp");
    loadTexture(second, "same.bmp");
    EXPECT_NE(first, kUntouched);
    EXPECT_NE(second, kUntouched);
    EXPECT_NE(first, second);
}

// A change of level: the next world takes again the pictures it shows too,
// each with the loader's sampling, and only the others are deleted.
TEST_F(TextureGlTest, SparePicturesAreTakenAgainByFileAndTheRestDeleted) {
    dir.write("kept.bmp", testSupport::twoByTwoPicture().build());
    dir.write("dropped.bmp", testSupport::twoByTwoPicture().build());
    GLuint kept = kUntouched, twin = kUntouched, dropped = kUntouched;
    loadTexture(kept, "kept.bmp");
    loadTexture(twin, "kept.bmp");
    loadTexture(dropped, "dropped.bmp");
    bindClampedTexture(kept);
    quiltRush::spareLoadedTextures();
    GLuint again = kUntouched, twinAgain = kUntouched, fresh = kUntouched;
    loadTexture(again, "kept.bmp");
    loadTexture(twinAgain, "kept.bmp");
    loadTexture(fresh, "kept.bmp");  // a third holder: no spare left, a new texture
    quiltRush::deleteSpareTextures();
    EXPECT_EQ(std::vector<GLuint>({again, twinAgain}), std::vector<GLuint>({kept, twin}));
    EXPECT_TRUE(fresh != kept && fresh != twin && glIsTexture(fresh));
    EXPECT_FALSE(glIsTexture(dropped));
    bindTexture(again);
    GLint wrapS = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    EXPECT_EQ(wrapS, GL_REPEAT);
}

TEST_F(TextureGlTest, MissingFileLeavesHandleAndStateAlone) {
    GLuint handle = kUntouched;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    loadTexture(handle, "no/such/image.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(handle, kUntouched);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(boundTexture(), 0);
}

TEST_F(TextureGlTest, FileWithoutBmMagicIsNotLoaded) {
    std::string bytes = testSupport::twoByTwoPicture().build();
    bytes[0] = 'b';
    EXPECT_EQ(loadBytes(bytes), kUntouched);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TextureGlTest, EachKindOfBadHeaderLeavesTheHandleUnchanged) {
    auto bent = [](auto change) {
        BmpBytes bmp = testSupport::twoByTwoPicture();
        change(bmp);
        return bmp.build();
    };
    std::vector<std::pair<const char*, std::string>> files = {
        {"truncated header", testSupport::twoByTwoPicture().build().substr(0, 30)},
        {"zero width", bent([](BmpBytes& b) { b.width = 0; })},
        {"negative height", bent([](BmpBytes& b) { b.height = -2; })},
        {"zero height", bent([](BmpBytes& b) { b.height = 0; })},
        {"8193 wide", bent([](BmpBytes& b) { b.width = 8193; })},
        {"24 bits per pixel", bent([](BmpBytes& b) { b.bitsPerPixel = 24; })},
        {"compression 1", bent([](BmpBytes& b) { b.compression = 1; })},
        {"pixel data past the end", bent([](BmpBytes& b) { b.pixels.resize(12); })},
    };
    for (const auto& [what, bytes] : files) {
        EXPECT_EQ(loadBytes(bytes), kUntouched) << what;
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(TextureGlTest, BindTextureEnablesTexturingAndBinds) {
    GLuint handle = loadBytes(testSupport::twoByTwoPicture().build());
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    bindTexture(handle);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(boundTexture(), static_cast<GLint>(handle));
}

TEST_F(TextureGlTest, ClampedTextureKeepsClampToEdgeOnBothAxes) {
    GLuint clamped = loadBytes(testSupport::twoByTwoPicture().build());
    GLuint repeating = loadBytes(testSupport::twoByTwoPicture().build());
    bindClampedTexture(clamped);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(clamped));
    bindTexture(repeating);  // wrap modes live in the texture object, not the binding
    bindTexture(clamped);
    GLint wrapS = 0, wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapT, GL_CLAMP_TO_EDGE);
    bindTexture(repeating);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    EXPECT_EQ(wrapS, GL_REPEAT);
}
