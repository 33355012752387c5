#pragma once

#include <GL/gl.h>

#include <string>

namespace quiltRush {

/// Loads a 32-bit BMP as a mipmapped texture into handle, which is written only
/// on success; the texture is then left bound with 2-D texturing enabled.
/// A missing or unusable file changes nothing and reports nothing.
void loadTexture(GLuint& handle, const std::string& fileName);

/// Makes every loaded texture spare: the teardown of a level's world calls it
/// once the holders of those textures are gone. A later load of a spare
/// texture's file takes that texture again, with the loader's sampling, instead
/// of reading the file anew: the pictures every level shows (screens,
/// cursors, buttons) stay loaded across a change of level.
void spareLoadedTextures();

/// Deletes the spare textures: once the next world is built, what it did not
/// take again (the old level's own pictures) goes.
void deleteSpareTextures();

/// Enables 2-D texturing and binds the handle.
void bindTexture(GLuint handle);

/// bindTexture, then clamps both wrap modes of the texture to its edges.
void bindClampedTexture(GLuint handle);

/// loadTexture, then bindClampedTexture: a picture that stops at its edges
/// instead of repeating (a repeating one blends its opposite edge into its border).
void loadClampedTexture(GLuint& handle, const std::string& fileName);

/// On a software renderer, turns a loaded texture's anisotropic sampling off
/// (elsewhere it keeps the loader's); leaves it bound, 2-D texturing enabled,
/// and does nothing for handle 0. The 3-D world's pictures (scene, cloth, sky)
/// call it: on triangles seen edge-on, such as a crumpled cloth's cells or a
/// wall from below, Mesa's software renderer can spend seconds to minutes on
/// one anisotropic frame, while a graphics card samples them at no cost.
void samplePlainly(GLuint handle);

/// Whether a GL_RENDERER string names a renderer that draws on the processor
/// (Mesa's llvmpipe, softpipe, swrast and Xlib drivers, SwiftShader, Windows' and Apple's
/// software renderers); false for null or an empty string.
bool isSoftwareRenderer(const char* renderer);

}  // namespace quiltRush
