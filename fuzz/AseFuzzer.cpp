// Feeds arbitrary text to the ASE reader, once as the game reads (silent) and
// once as the level checker does (with diagnostics). Whatever it keeps must be
// safe to draw and to collide with: corners inside the vertex list, finite
// numbers, collision triangles only for kept faces. Both readings must keep
// the same model, and every problem must name a line of the file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "game/scene/AseReader.h"

using namespace quiltRush;

namespace {

bool finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Bitwise equal: both readings parse the same words, so even the signs of zeros agree.
bool same(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof(Vector3)) == 0; }

void checkModel(const AseModel& model, std::size_t size) {
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
}

void checkSame(const AseModel& a, const AseModel& b) {
    FUZZ_CHECK(a.bitmapPath == b.bitmapPath);
    FUZZ_CHECK(a.vertices.size() == b.vertices.size());
    FUZZ_CHECK(a.faces.size() == b.faces.size());
    FUZZ_CHECK(a.polygons.size() == b.polygons.size());
    for (std::size_t i = 0; i < a.vertices.size(); ++i) FUZZ_CHECK(same(a.vertices[i].position, b.vertices[i].position));
    for (std::size_t i = 0; i < a.faces.size(); ++i) {
        FUZZ_CHECK(std::memcmp(&a.faces[i], &b.faces[i], sizeof(Face)) == 0);
    }
    for (std::size_t i = 0; i < a.polygons.size(); ++i) {
        FUZZ_CHECK(std::memcmp(&a.polygons[i], &b.polygons[i], sizeof(Polygon)) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream silentIn(text);
    AseModel silent = AseReader::read(silentIn);
    checkModel(silent, size);

    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    AseDiagnostics diagnostics;
    diagnostics.problems = [lines](const WordPlace& place, const std::string& message) {
        FUZZ_CHECK(place.line >= 1 && place.line <= lines);
        FUZZ_CHECK(!message.empty());
    };
    std::istringstream checkedIn(text);
    AseModel checked = AseReader::read(checkedIn, &diagnostics);
    checkSame(silent, checked);
    FUZZ_CHECK(diagnostics.bitmap.line >= 0 && diagnostics.bitmap.line <= lines);
    return 0;
}
