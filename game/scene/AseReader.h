#pragma once

#include <istream>
#include <string>
#include <vector>

#include "game/physics/Polygon.h"
#include "game/scene/MeshRecords.h"
#include "game/scene/ReadProblem.h"

namespace quiltRush {

/// What an ASE model gives the game: the first material's bitmap path (without
/// its quotation marks; empty when there is none), the first mesh in y-up world
/// coordinates, and its collision triangles in face order.
struct AseModel {
    std::string bitmapPath;
    std::vector<Vertex> vertices;
    std::vector<Face> faces;
    std::vector<Polygon> polygons;
};

/// What a checker gets from the ASE reader besides the model: every problem as
/// it is met, and the place of the *BITMAP path word (line 0 when none was read).
struct AseDiagnostics {
    ProblemSink problems;
    WordPlace bitmap;
};

/// Reads the ASE subset the game uses. Keywords are whole, case-sensitive words
/// found strictly in this order: *BITMAP, *MESH_NUMVERTEX, *MESH_NUMFACES, V x
/// *MESH_VERTEX, F x *MESH_FACE (A: B: C:), *MESH_NUMTVERTEX, T x *MESH_TVERT,
/// *MESH_NUMTVFACES, N x *MESH_TFACE, F x (*MESH_FACENORMAL, 3 x *MESH_VERTEXNORMAL).
/// Positions and normals turn from z-up to y-up: (x, y, z) -> (x, z, -y).
///
/// Damaged files: bad entries are skipped, the rest is kept. The end of the
/// stream ends the reading and keeps what was read. An entry whose index is
/// negative or not below its declared count, or whose numbers do not parse as
/// whole finite numbers, is skipped. A count that is not a whole number or
/// exceeds what the stream could hold (one entry per 10 bytes) is refused
/// before anything is allocated: a refused V or F means no mesh at all, a
/// refused T or N no texture coordinates. Faces that never got a sound
/// *MESH_FACE entry, whose three vertices were not all read soundly or whose
/// face normal was not, are left out: every face kept is both drawn and a
/// collision triangle. Corners without texture
/// coordinates or normals keep zeros. A *BITMAP word that is not wholly
/// enclosed in quotation marks gives no path.
///
/// With diagnostics the reading is the same, and every bad entry, count or
/// path, a vertex or face given twice, and the keyword or entry the file ends
/// before, is reported to their sink.
class AseReader {
public:
    static AseModel read(std::istream& in, AseDiagnostics* diagnostics = nullptr);

    /// Reads words until one equals keyword exactly; false at the end of the stream.
    static bool skipToKeyword(std::istream& in, const std::string& keyword);
};

}  // namespace quiltRush
