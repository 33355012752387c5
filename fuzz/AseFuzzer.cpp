// Feeds arbitrary text to the ASE reader. Whatever it keeps must be safe to
// draw and to collide with: corners inside the vertex list, finite numbers,
// collision triangles only for kept faces.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "game/scene/AseReader.h"

using namespace quiltRush;

namespace {

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    AseModel model = AseReader::read(in);

    FUZZ_CHECK(model.vertices.size() <= size / 10);
    for (const Vertex& vertex : model.vertices) {
        FUZZ_CHECK(finite(vertex.position));
        FUZZ_CHECK(vertex.faceList.empty());
    }
    for (const Face& face : model.faces) {
        for (int k = 0; k < 3; ++k) {
            FUZZ_CHECK(face.vertex[k] >= 0 && static_cast<std::size_t>(face.vertex[k]) < model.vertices.size());
            FUZZ_CHECK(finite(face.normal[k]));
            FUZZ_CHECK(std::isfinite(face.texCoord[k][0]) && std::isfinite(face.texCoord[k][1]));
        }
        FUZZ_CHECK(finite(face.faceNormal));
    }
    FUZZ_CHECK(model.polygons.size() <= model.faces.size());
    for (const Polygon& polygon : model.polygons) {
        FUZZ_CHECK(finite(polygon.a) && finite(polygon.b) && finite(polygon.c) && finite(polygon.normal));
    }
    FUZZ_CHECK(model.bitmapPath.find_first_of(" \t\r\n\v\f") == std::string::npos);
    return 0;
}
