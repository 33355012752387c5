#include "game/scene/AseReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/scene/AseText.h"

using quiltRush::AseModel;
using quiltRush::AseReader;
using quiltRush::Vector3;

namespace {

AseModel readText(const std::string& text) {
    std::istringstream in(text);
    return AseReader::read(in);
}

// A mesh of its own, with the given vertex and face lines and nothing after them.
std::string meshText(int vertexCount, int faceCount, const std::string& lines) {
    return "*BITMAP \"b.bmp\" *MESH_NUMVERTEX " + std::to_string(vertexCount) + " *MESH_NUMFACES " +
           std::to_string(faceCount) + "\n" + lines;
}

// The ground model with one piece of text replaced.
std::string groundWith(const std::string& from, const std::string& to) {
    std::string text = testSupport::groundAse();
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

void expectVector(const Vector3& actual, float x, float y, float z) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.z, z);
}

// Whatever the file, every kept face indexes real vertices.
void expectFacesInsideVertices(const AseModel& model) {
    for (const quiltRush::Face& face : model.faces) {
        for (int index : face.vertex) {
            EXPECT_GE(index, 0);
            EXPECT_LT(index, static_cast<int>(model.vertices.size()));
        }
    }
    EXPECT_LE(model.polygons.size(), model.faces.size());
}

}  // namespace

TEST(AseReaderTest, GroundModelGivesBitmapMeshAndTrianglesInYUp) {
    AseModel model = readText(testSupport::groundAse());
    EXPECT_EQ(model.bitmapPath, "assets/models/rock.bmp");
    ASSERT_EQ(model.vertices.size(), 4u);
    expectVector(model.vertices[0].position, -1.0f, 0.0f, 2.0f);
    expectVector(model.vertices[3].position, 1.0f, 0.5f, -2.0f);
    EXPECT_TRUE(model.vertices[0].faceList.empty());

    ASSERT_EQ(model.faces.size(), 2u);
    const quiltRush::Face& first = model.faces[0];
    EXPECT_EQ(first.vertex[0], 0);
    EXPECT_EQ(first.vertex[1], 1);
    EXPECT_EQ(first.vertex[2], 2);
    EXPECT_EQ(model.faces[1].vertex[0], 3);
    expectVector(first.faceNormal, 0.0f, 1.0f, 0.0f);  // up in the model is up in the game
    expectVector(first.normal[1], 0.0f, 0.8f, -0.6f);  // the k-th vertex normal is corner k's
    EXPECT_EQ(first.texCoord[0][0], 0.0f);
    EXPECT_EQ(first.texCoord[0][1], 1.0f);
    EXPECT_EQ(first.texCoord[1][0], 1.0f);
    EXPECT_EQ(first.texCoord[1][1], 1.0f);
    EXPECT_EQ(model.faces[1].texCoord[0][0], 1.0f);  // tvertex 3 = (1, 0)
    EXPECT_EQ(model.faces[1].texCoord[0][1], 0.0f);

    ASSERT_EQ(model.polygons.size(), 2u);
    expectVector(model.polygons[1].a, 1.0f, 0.5f, -2.0f);
    expectVector(model.polygons[1].b, -1.0f, 0.0f, -2.0f);
    expectVector(model.polygons[1].c, 1.0f, 0.0f, 2.0f);
    expectVector(model.polygons[1].normal, 0.0f, 1.0f, 0.0f);
}

TEST(AseReaderTest, VertexIndexDecidesWhereAVertexGoes) {
    AseModel model = readText(meshText(4, 0,
                                       "*MESH_VERTEX 3 1.0 2.0 3.0\n*MESH_VERTEX 0 0 0 0\n"
                                       "*MESH_VERTEX 2 -4 5 -6\n*MESH_VERTEX 1 0 0 7\n"));
    ASSERT_EQ(model.vertices.size(), 4u);
    expectVector(model.vertices[3].position, 1.0f, 3.0f, -2.0f);
    expectVector(model.vertices[2].position, -4.0f, -6.0f, -5.0f);
    expectVector(model.vertices[1].position, 0.0f, 7.0f, 0.0f);
}

TEST(AseReaderTest, SkipToKeywordMatchesWholeCaseSensitiveWordsOnly) {
    std::istringstream in("*MESH_VERTEX_LIST { *MESH_VERTEXNORMAL 1 *mesh_vertex 2 x*MESH_VERTEX 3 *MESH_VERTEX 4");
    ASSERT_TRUE(AseReader::skipToKeyword(in, "*MESH_VERTEX"));
    std::string next;
    in >> next;
    EXPECT_EQ(next, "4");  // positioned just after the keyword
    EXPECT_FALSE(AseReader::skipToKeyword(in, "*MESH_VERTEX"));
    EXPECT_FALSE(AseReader::skipToKeyword(in, "*MESH_VERTEX"));  // and stays at the end
}

TEST(AseReaderTest, OnlyTheFirstBitmapAndTheFirstMeshAreRead) {
    std::string second = groundWith("\"assets/models/rock.bmp\"", "\"second.bmp\"");
    second = second.substr(second.find("*GEOMOBJECT"));
    std::size_t at = second.find("*MESH_NUMVERTEX 4");
    second.replace(at, 17, "*MESH_NUMVERTEX 3");
    std::string text = testSupport::groundAse() + "*MATERIAL 1 { *BITMAP \"second.bmp\" }\n" + second;
    AseModel model = readText(text);
    EXPECT_EQ(model.bitmapPath, "assets/models/rock.bmp");
    EXPECT_EQ(model.vertices.size(), 4u);
    EXPECT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.polygons.size(), 2u);
}

TEST(AseReaderTest, BitmapPathMustBeWhollyQuoted) {
    EXPECT_EQ(readText("*BITMAP \"assets/models/rock.bmp\"").bitmapPath, "assets/models/rock.bmp");
    EXPECT_EQ(readText("*BITMAP \"assets/models/rock.bmp").bitmapPath, "");
    EXPECT_EQ(readText("*BITMAP \"assets/my rock.bmp\"").bitmapPath, "");  // a blank splits the word
    EXPECT_EQ(readText("*BITMAP assets/models/rock.bmp").bitmapPath, "");
    EXPECT_EQ(readText("*BITMAP \"").bitmapPath, "");
    EXPECT_EQ(readText("*BITMAP \"\"").bitmapPath, "");
    EXPECT_EQ(readText("*BITMAP").bitmapPath, "");
}

TEST(AseReaderTest, KeywordsAreFoundStrictlyInOrder) {
    // Without a *BITMAP the search for it runs to the end: no mesh either.
    AseModel noBitmap = readText(groundWith("*BITMAP", "*MAP_NAME"));
    EXPECT_TRUE(noBitmap.vertices.empty());
    EXPECT_TRUE(noBitmap.faces.empty());
}

TEST(AseReaderTest, FaceLabelMayStandWithoutItsColon) {
    AseModel model = readText(groundWith("*MESH_FACE    1:", "*MESH_FACE 1"));
    ASSERT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.faces[1].vertex[0], 3);
}

TEST(AseReaderTest, EveryCutOfTheFileStopsAtItsEndAndStaysConsistent) {
    std::string text = testSupport::groundAse();
    for (std::size_t length = 0; length <= text.size(); ++length) {
        AseModel model = readText(text.substr(0, length));
        expectFacesInsideVertices(model);
    }
}

TEST(AseReaderTest, FileEndingBeforeTheNormalsKeepsTheVerticesButNoFace) {
    std::string text = testSupport::groundAse();
    AseModel model = readText(text.substr(0, text.find("*MESH_NUMTVERTEX")));
    EXPECT_EQ(model.bitmapPath, "assets/models/rock.bmp");
    ASSERT_EQ(model.vertices.size(), 4u);
    EXPECT_TRUE(model.faces.empty());  // a face without its normal is neither drawn nor hit
    EXPECT_TRUE(model.polygons.empty());
}

TEST(AseReaderTest, FileEndingAmongTheNormalsKeepsTheFacesWithANormal) {
    std::string text = testSupport::groundAse();
    AseModel model = readText(text.substr(0, text.find("*MESH_FACENORMAL 1")));
    EXPECT_EQ(model.faces.size(), 1u);
    ASSERT_EQ(model.polygons.size(), 1u);
    expectVector(model.polygons[0].a, -1.0f, 0.0f, 2.0f);
}

TEST(AseReaderTest, FileEndingAmongTheVerticesKeepsThoseRead) {
    std::string text = testSupport::groundAse();
    AseModel model = readText(text.substr(0, text.find("*MESH_VERTEX    2")));
    ASSERT_EQ(model.vertices.size(), 4u);
    expectVector(model.vertices[1].position, 1.0f, 0.0f, 2.0f);
    EXPECT_TRUE(model.faces.empty());
    EXPECT_TRUE(model.polygons.empty());
}

TEST(AseReaderTest, VertexEntriesWithBadIndicesOrNumbersAreSkipped) {
    AseModel model = readText(meshText(3, 0,
                                       "*MESH_VERTEX 3 9 9 9\n*MESH_VERTEX -1 9 9 9\n"
                                       "*MESH_VERTEX 1 nan 0 0\n*MESH_VERTEX 0 5 6 7\n"));
    ASSERT_EQ(model.vertices.size(), 3u);
    expectVector(model.vertices[1].position, 0.0f, 0.0f, 0.0f);
    expectVector(model.vertices[2].position, 0.0f, 0.0f, 0.0f);
    // Only V entries are tried: the fourth is past them.
    expectVector(model.vertices[0].position, 0.0f, 0.0f, 0.0f);

    AseModel sound = readText(meshText(3, 0, "*MESH_VERTEX 3 9 9 9\n*MESH_VERTEX 1 1e39 0 0\n*MESH_VERTEX 0 5 6 7\n"));
    expectVector(sound.vertices[0].position, 5.0f, 7.0f, -6.0f);
    expectVector(sound.vertices[1].position, 0.0f, 0.0f, 0.0f);
}

TEST(AseReaderTest, FaceWithACornerOutsideTheVerticesIsLeftOut) {
    AseModel model = readText(groundWith("A:    3 B:    2 C:    1", "A:    4 B:    2 C:    1"));
    ASSERT_EQ(model.faces.size(), 1u);
    EXPECT_EQ(model.faces[0].vertex[2], 2);
    EXPECT_EQ(model.polygons.size(), 1u);

    AseModel negative = readText(groundWith("A:    0 B:    1", "A:    0 B:    -1"));
    ASSERT_EQ(negative.faces.size(), 1u);
    EXPECT_EQ(negative.faces[0].vertex[0], 3);
    EXPECT_EQ(negative.polygons.size(), 1u);
}

TEST(AseReaderTest, FaceLabelAtOrAboveTheFaceCountIsSkipped) {
    AseModel model = readText(groundWith("*MESH_FACE    1:", "*MESH_FACE    2:"));
    EXPECT_EQ(model.faces.size(), 1u);
    EXPECT_EQ(model.polygons.size(), 1u);
    expectFacesInsideVertices(model);
}

TEST(AseReaderTest, FacesWithoutVerticesAreLeftOut) {
    AseModel model = readText(meshText(0, 2, "*MESH_FACE 0: A: 0 B: 0 C: 0\n"));
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_TRUE(model.faces.empty());
    EXPECT_TRUE(model.polygons.empty());
}

TEST(AseReaderTest, FaceNeedsAllThreeVerticesReadSoundly) {
    AseModel model = readText(groundWith("*MESH_VERTEX    3\t1.0000", "*MESH_VERTEX    3\tinf"));
    EXPECT_EQ(model.faces.size(), 1u);  // face 1 is neither drawn nor hit
    ASSERT_EQ(model.polygons.size(), 1u);
    expectVector(model.polygons[0].a, -1.0f, 0.0f, 2.0f);
}

TEST(AseReaderTest, FaceNormalThatIsNotFiniteGivesNoFace) {
    for (const char* bad : {"nan", "inf", "1e39", "x"}) {
        AseModel model = readText(groundWith("*MESH_FACENORMAL 0\t0.0000", std::string("*MESH_FACENORMAL 0\t") + bad));
        EXPECT_EQ(model.faces.size(), 1u) << bad;
        ASSERT_EQ(model.polygons.size(), 1u) << bad;
        expectVector(model.polygons[0].a, 1.0f, 0.5f, -2.0f);  // face 1's
    }
}

TEST(AseReaderTest, CountsBeyondWhatTheFileCanHoldAreRefusedBeforeAllocating) {
    for (const char* count : {"100000000", "2147483647", "99999999999", "-1", "abc", "4.0"}) {
        AseModel vertices = readText(groundWith("*MESH_NUMVERTEX 4", std::string("*MESH_NUMVERTEX ") + count));
        EXPECT_EQ(vertices.bitmapPath, "assets/models/rock.bmp") << count;
        EXPECT_TRUE(vertices.vertices.empty()) << count;
        EXPECT_TRUE(vertices.faces.empty()) << count;
        EXPECT_TRUE(vertices.polygons.empty()) << count;
        AseModel faces = readText(groundWith("*MESH_NUMFACES 2", std::string("*MESH_NUMFACES ") + count));
        EXPECT_TRUE(faces.faces.empty()) << count;
        EXPECT_TRUE(faces.polygons.empty()) << count;
    }
}

TEST(AseReaderTest, RefusedTextureCountsLeaveTextureCoordinatesAtZero) {
    AseModel model = readText(groundWith("*MESH_NUMTVERTEX 4", "*MESH_NUMTVERTEX 99999999"));
    ASSERT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.faces[0].texCoord[0][1], 0.0f);
    EXPECT_EQ(model.polygons.size(), 2u);  // the normals that follow are still read

    AseModel tfaces = readText(groundWith("*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES -2"));
    EXPECT_EQ(tfaces.faces[0].texCoord[0][1], 0.0f);
    EXPECT_EQ(tfaces.polygons.size(), 2u);
}

TEST(AseReaderTest, TextureEntriesWithBadIndicesAreSkipped) {
    AseModel tvertex = readText(groundWith("*MESH_TVERT 0\t0.0000\t1.0000", "*MESH_TVERT 4\t0.0000\t1.0000"));
    EXPECT_EQ(tvertex.faces[0].texCoord[0][1], 0.0f);  // tvertex 0 was never set
    EXPECT_EQ(tvertex.faces[0].texCoord[1][0], 1.0f);

    AseModel tface = readText(groundWith("*MESH_TFACE 0\t0\t1\t2", "*MESH_TFACE 0\t0\t1\t4"));
    EXPECT_EQ(tface.faces[0].texCoord[0][1], 0.0f);  // the whole entry is skipped
    EXPECT_EQ(tface.faces[1].texCoord[0][0], 1.0f);

    AseModel face = readText(groundWith("*MESH_TFACE 1\t3", "*MESH_TFACE 2\t3"));
    EXPECT_EQ(face.faces[1].texCoord[0][0], 0.0f);
}
