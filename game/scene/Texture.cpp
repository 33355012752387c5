#include "game/scene/Texture.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <vector>
#include <algorithm>
#include <cctype>

#include "game/scene/BmpImage.h"

namespace quiltRush {

namespace {
constexpr GLfloat kMaxAnisotropy = 8.0f;  // sharp floors at grazing angles; Mesa offers up to 16

// Every name loadTexture made, with its file, so that a level's world can be
// taken down without each holder having to give its pictures back. A name the
// last world held and the next one has not asked for again is spare.
struct LoadedTexture {
    GLuint name;
    std::string fileName;
    bool spare;
};
std::vector<LoadedTexture>& loadedTextures() {
    static std::vector<LoadedTexture> textures;
    return textures;
}

// A spare name loaded from fileName, taken for a new holder; 0 when there is none.
GLuint takeSpare(const std::string& fileName) {
    for (LoadedTexture& texture : loadedTextures()) {
        if (texture.spare && texture.fileName == fileName) {
            texture.spare = false;
            return texture.name;
        }
    }
    return 0;
}

// The sampling a fresh load sets; a spare name gets it back, whatever its last holder chose.
void setLoaderSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, kMaxAnisotropy);
}

// Lower-case pieces of the renderer strings of software renderers. "llvmpipe"
// also covers zink and virtual machines that pass Mesa's software renderer on.
const char* const kSoftwareRendererMarks[] = {"llvmpipe", "softpipe", "swrast", "mesa x11", "software",
                                               "swiftshader", "gdi generic", "basic render driver"};
}

void loadTexture(GLuint& handle, const std::string& fileName) {
    if (GLuint spare = takeSpare(fileName)) {
        handle = spare;
        bindTexture(handle);
        setLoaderSampling();
        return;
    }
    std::optional<BmpImage> image = BmpImage::readFile(fileName);
    if (!image) return;  // missing or unusable: the holder keeps its handle, silently

    glGenTextures(1, &handle);
    loadedTextures().push_back({handle, fileName, false});
    bindTexture(handle);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, image->getWidth(), image->getHeight(), GL_BGRA,
                      GL_UNSIGNED_BYTE, image->getPixels().data());
    setLoaderSampling();
}

void spareLoadedTextures() {
    for (LoadedTexture& texture : loadedTextures()) texture.spare = true;
}

void deleteSpareTextures() {
    std::vector<LoadedTexture>& textures = loadedTextures();
    std::vector<GLuint> names;
    for (const LoadedTexture& texture : textures) {
        if (texture.spare) names.push_back(texture.name);
    }
    if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    textures.erase(std::remove_if(textures.begin(), textures.end(), [](const LoadedTexture& t) { return t.spare; }),
                   textures.end());
}

void bindTexture(GLuint handle) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, handle);
}

void samplePlainly(GLuint handle) {
    if (handle == 0) return;
    bindTexture(handle);
    if (!isSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)))) return;
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1.0f);
}

bool isSoftwareRenderer(const char* renderer) {
    if (renderer == nullptr) return false;
    std::string name(renderer);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* mark : kSoftwareRendererMarks) {
        if (name.find(mark) != std::string::npos) return true;
    }
    return false;
}

void bindClampedTexture(GLuint handle) {
    bindTexture(handle);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void loadClampedTexture(GLuint& handle, const std::string& fileName) {
    loadTexture(handle, fileName);
    bindClampedTexture(handle);
}

}  // namespace quiltRush
