#pragma once

#include <string>

namespace testSupport {

/// A well-formed ASE model as an exporter writes it: one material with a
/// bitmap, one mesh "ground" of 4 vertices and 2 faces in the plane z = 0 of
/// the z-up model (y = 0 in the game), facing up, with texture coordinates and normals.
inline std::string groundAse(const std::string& bitmap = "\"assets/models/rock.bmp\"") {
    return "*3DSMAX_ASCIIEXPORT\t200\n"
           "*COMMENT \"ground for tests\"\n"
           "*MATERIAL_LIST {\n"
           "\t*MATERIAL_COUNT 1\n"
           "\t*MATERIAL 0 {\n"
           "\t\t*MATERIAL_NAME \"rock\"\n"
           "\t\t*MAP_DIFFUSE {\n"
           "\t\t\t*BITMAP " + bitmap + "\n"
           "\t\t}\n"
           "\t}\n"
           "}\n"
           "*GEOMOBJECT {\n"
           "\t*NODE_NAME \"ground\"\n"
           "\t*MESH {\n"
           "\t\t*TIMEVALUE 0\n"
           "\t\t*MESH_NUMVERTEX 4\n"
           "\t\t*MESH_NUMFACES 2\n"
           "\t\t*MESH_VERTEX_LIST {\n"
           "\t\t\t*MESH_VERTEX    0\t-1.0000\t-2.0000\t0.0000\n"
           "\t\t\t*MESH_VERTEX    1\t1.0000\t-2.0000\t0.0000\n"
           "\t\t\t*MESH_VERTEX    2\t-1.0000\t2.0000\t0.0000\n"
           "\t\t\t*MESH_VERTEX    3\t1.0000\t2.0000\t0.5000\n"
           "\t\t}\n"
           "\t\t*MESH_FACE_LIST {\n"
           "\t\t\t*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n"
           "\t\t\t*MESH_FACE    1:    A:    3 B:    2 C:    1 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n"
           "\t\t}\n"
           "\t\t*MESH_NUMTVERTEX 4\n"
           "\t\t*MESH_TVERTLIST {\n"
           "\t\t\t*MESH_TVERT 0\t0.0000\t1.0000\t0.0000\n"
           "\t\t\t*MESH_TVERT 1\t1.0000\t1.0000\t0.0000\n"
           "\t\t\t*MESH_TVERT 2\t0.0000\t0.0000\t0.0000\n"
           "\t\t\t*MESH_TVERT 3\t1.0000\t0.0000\t0.0000\n"
           "\t\t}\n"
           "\t\t*MESH_NUMTVFACES 2\n"
           "\t\t*MESH_TFACELIST {\n"
           "\t\t\t*MESH_TFACE 0\t0\t1\t2\n"
           "\t\t\t*MESH_TFACE 1\t3\t2\t1\n"
           "\t\t}\n"
           "\t\t*MESH_NORMALS {\n"
           "\t\t\t*MESH_FACENORMAL 0\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 0\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 1\t0.0000\t0.6000\t0.8000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 2\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t*MESH_FACENORMAL 1\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 3\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 2\t0.0000\t0.0000\t1.0000\n"
           "\t\t\t\t*MESH_VERTEXNORMAL 1\t0.0000\t0.6000\t0.8000\n"
           "\t\t}\n"
           "\t}\n"
           "}\n";
}

}  // namespace testSupport
