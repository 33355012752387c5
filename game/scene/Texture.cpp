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

// Every name loadTexture made, so that a level's world can be taken down
// without each holder having to give its pictures back.
std::vector<GLuint>& loadedTextures() {
    static std::vector<GLuint> names;
    return names;
}
// Lower-case pieces of the renderer strings of software renderers. "llvmpipe"
// also covers zink and virtual machines that pass Mesa's software renderer on.
const char* const kSoftwareRendererMarks[] = {"llvmpipe", "softpipe", "swrast", "mesa x11", "software",
                                               "swiftshader", "gdi generic", "basic render driver"};
}

void loadTexture(GLuint& handle, const std::string& fileName) {
    std::optional<BmpImage> image = BmpImage::readFile(fileName);
    if (!image) return;  // missing or unusable: the holder keeps its handle, silently

    glGenTextures(1, &handle);
    loadedTextures().push_back(handle);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, handle);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, image->getWidth(), image->getHeight(), GL_BGRA,
                      GL_UNSIGNED_BYTE, image->getPixels().data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, kMaxAnisotropy);
}

void deleteLoadedTextures() {
    std::vector<GLuint>& names = loadedTextures();
    if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    names.clear();
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
