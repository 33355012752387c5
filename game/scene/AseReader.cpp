#include "game/scene/AseReader.h"

#include <array>
#include <cstdint>

#include "game/scene/NumberWord.h"
#include "game/scene/WordReader.h"

// The reader walks the file keyword by keyword and never compares anything
// with the file's layout beyond that, so a damaged file is handled entry by
// entry: once the stream ends, every later search and read fails at once.

namespace quiltRush {

namespace {

constexpr std::int64_t kMinBytesPerEntry = 10;                // no entry line of the format is shorter
constexpr std::int64_t kMaxEntriesOfUnmeasuredStream = 1 << 20;  // when the stream cannot tell its length
const char* const kCornerLabels[3] = {"A:", "B:", "C:"};

Vector3 toYUp(float x, float y, float z) { return {x, z, -y}; }

class Parser {
public:
    Parser(std::istream& in, std::int64_t maxEntries, AseDiagnostics* diagnostics)
        : words(in), maxEntries(maxEntries), diagnostics(diagnostics) {}

    AseModel run() {
        AseModel model;
        readBitmap(model);
        if (!find("*MESH_NUMVERTEX") || !readCount(vertexCount)) return model;
        if (!find("*MESH_NUMFACES") || !readCount(faceCount)) return model;
        mesh.vertices.resize(vertexCount);
        mesh.faces.resize(faceCount);
        vertexRead.assign(vertexCount, false);
        faceRead.assign(faceCount, false);
        faceNormalRead.assign(faceCount, false);
        // Each step stops the walk when the stream ends; what was read stays.
        readVertices() && readFaces() && readTextureCoordinates() && readNormals();
        keepSoundFaces(model);
        return model;
    }

private:
    void report(const WordPlace& place, const std::string& message) const {
        if (diagnostics && diagnostics->problems) diagnostics->problems(place, message);
    }

    // Only the first end of the stream is reported: after it every read fails.
    bool find(const char* keyword) {
        if (!ended && !words.skipTo(keyword)) {
            ended = true;
            report({words.place().line, keyword}, "keyword missing: the file ends before it");
        }
        return !ended;
    }

    bool readWord(std::string& word) {
        if (!ended && !words.next(word)) {
            ended = true;
            report(words.place(), "entry cut short by the end of the file");
        }
        return !ended;
    }

    bool readInteger(std::int32_t& value) {
        std::string word;
        if (!readWord(word)) return false;
        if (NumberWord::toInteger(word, value)) return true;
        report(words.place(), "whole number expected");
        return false;
    }

    bool inRange(std::int32_t index, std::int32_t count, const char* what) const {
        if (index >= 0 && index < count) return true;
        report(words.place(), std::string(what) + " index out of range (" +
                                  (count == 0 ? std::string("none declared") : "0 to " + std::to_string(count - 1)) + ")");
        return false;
    }

    bool readIndex(std::int32_t count, std::int32_t& index, const char* what) {
        return readInteger(index) && inRange(index, count, what);
    }

    // A face label is its number with a colon ("12:"), or the bare number.
    bool readFaceLabel(std::int32_t& index) {
        std::string word;
        if (!readWord(word)) return false;
        if (!word.empty() && word.back() == ':') word.pop_back();
        if (!NumberWord::toInteger(word, index)) {
            report(words.place(), "face number expected");
            return false;
        }
        return inRange(index, faceCount, "face");
    }

    bool readCount(std::int32_t& count) {
        if (!readInteger(count)) return false;
        if (count >= 0 && count <= maxEntries) return true;
        report(words.place(), "count out of range (0 to " + std::to_string(maxEntries) +
                                  " for a file of this size)");
        return false;
    }

    bool readFloat(float& value) {
        std::string word;
        if (!readWord(word)) return false;
        if (NumberWord::toFloat(word, value)) return true;
        double parsed = 0.0;
        report(words.place(), NumberWord::toDouble(word, parsed) ? "finite number within float range expected"
                                                                 : "number expected");
        return false;
    }

    bool readYUp(Vector3& value) {
        float x = 0.0f, y = 0.0f, z = 0.0f;
        if (!readFloat(x) || !readFloat(y) || !readFloat(z)) return false;
        value = toYUp(x, y, z);
        return true;
    }

    // True the first time an index is read; a second entry for it is reported.
    bool firstTime(std::vector<bool>& read, std::int32_t index, const WordPlace& at, const char* what) const {
        if (!read[index]) return true;
        report(at, std::string(what) + " " + std::to_string(index) + " given twice");
        return false;
    }

    void readBitmap(AseModel& model) {
        std::string word;
        if (!find("*BITMAP") || !readWord(word)) return;
        if (diagnostics) diagnostics->bitmap = words.place();
        // The path must be wholly enclosed in quotation marks (and so hold no blank).
        if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
            model.bitmapPath = word.substr(1, word.size() - 2);
        }
        if (model.bitmapPath.empty()) report(words.place(), "image path in quotation marks expected");
    }

    bool readVertices() {
        for (std::int32_t n = 0; n < vertexCount; ++n) {
            if (!find("*MESH_VERTEX")) return false;
            std::int32_t index = 0;
            Vector3 position;
            if (!readIndex(vertexCount, index, "vertex")) continue;
            const WordPlace at = words.place();
            if (!readYUp(position)) continue;
            firstTime(vertexRead, index, at, "vertex");
            mesh.vertices[index].position = position;
            vertexRead[index] = true;
        }
        return !ended;
    }

    bool readFaces() {
        for (std::int32_t n = 0; n < faceCount; ++n) {
            if (!find("*MESH_FACE")) return false;
            std::int32_t index = 0;
            std::int32_t corners[3] = {0, 0, 0};
            bool sound = readFaceLabel(index);
            const WordPlace at = words.place();
            for (int k = 0; k < 3 && sound; ++k) {
                sound = find(kCornerLabels[k]) && readIndex(vertexCount, corners[k], "vertex");
            }
            if (!sound) continue;
            firstTime(faceRead, index, at, "face");
            for (int k = 0; k < 3; ++k) mesh.faces[index].vertex[k] = corners[k];
            faceRead[index] = true;
        }
        return !ended;
    }

    bool readTextureCoordinates() {
        std::int32_t tvertexCount = 0;
        if (!find("*MESH_NUMTVERTEX")) return false;
        if (!readCount(tvertexCount)) tvertexCount = 0;
        std::vector<std::array<float, 2>> tvertices(tvertexCount, {0.0f, 0.0f});
        for (std::int32_t n = 0; n < tvertexCount; ++n) {
            if (!find("*MESH_TVERT")) return false;
            std::int32_t index = 0;
            float u = 0.0f, v = 0.0f, w = 0.0f;  // w is dropped
            if (readIndex(tvertexCount, index, "texture vertex") && readFloat(u) && readFloat(v) && readFloat(w)) {
                tvertices[index] = {u, v};
            }
        }

        std::int32_t tfaceCount = 0;
        if (!find("*MESH_NUMTVFACES")) return false;
        if (!readCount(tfaceCount)) tfaceCount = 0;
        for (std::int32_t n = 0; n < tfaceCount; ++n) {
            if (!find("*MESH_TFACE")) return false;
            std::int32_t index = 0;
            std::int32_t corners[3] = {0, 0, 0};
            bool sound = readIndex(faceCount, index, "face");
            for (int k = 0; k < 3 && sound; ++k) sound = readIndex(tvertexCount, corners[k], "texture vertex");
            if (!sound) continue;
            for (int k = 0; k < 3; ++k) {
                mesh.faces[index].texCoord[k][0] = tvertices[corners[k]][0];
                mesh.faces[index].texCoord[k][1] = tvertices[corners[k]][1];
            }
        }
        return !ended;
    }

    bool readNormals() {
        for (std::int32_t n = 0; n < faceCount; ++n) {
            if (!find("*MESH_FACENORMAL")) return false;
            std::int32_t index = 0;
            Vector3 faceNormal;
            // Without a sound face the vertex normals that follow have no owner:
            // the next search skips them.
            if (!readIndex(faceCount, index, "face")) continue;
            const WordPlace at = words.place();
            if (!readYUp(faceNormal)) continue;
            firstTime(faceNormalRead, index, at, "normal of face");
            Face& face = mesh.faces[index];
            face.faceNormal = faceNormal;
            faceNormalRead[index] = true;
            for (int k = 0; k < 3; ++k) {
                if (!find("*MESH_VERTEXNORMAL")) return false;
                std::int32_t ignored = 0;
                Vector3 normal;
                if (readInteger(ignored) && readYUp(normal)) face.normal[k] = normal;
            }
        }
        return !ended;
    }

    // A face is drawn exactly when it is a collision triangle, so what the
    // player sees is what the ball hits.
    void keepSoundFaces(AseModel& model) {
        model.vertices = std::move(mesh.vertices);
        for (std::int32_t f = 0; f < faceCount; ++f) {
            if (!faceRead[f]) continue;
            const Face& face = mesh.faces[f];
            bool cornersRead = vertexRead[face.vertex[0]] && vertexRead[face.vertex[1]] && vertexRead[face.vertex[2]];
            if (!cornersRead || !faceNormalRead[f]) continue;
            model.faces.push_back(face);
            model.polygons.push_back({model.vertices[face.vertex[0]].position, model.vertices[face.vertex[1]].position,
                                      model.vertices[face.vertex[2]].position, face.faceNormal});
        }
    }

    WordReader words;
    std::int64_t maxEntries;
    AseDiagnostics* diagnostics;  // null: silent
    bool ended = false;
    std::int32_t vertexCount = 0;
    std::int32_t faceCount = 0;
    AseModel mesh;  // vertices and faces by their file index, before the unsound faces are left out
    std::vector<bool> vertexRead;
    std::vector<bool> faceRead;
    std::vector<bool> faceNormalRead;
};

// The bytes left in the stream bound how many entries it can hold.
std::int64_t maxEntries(std::istream& in) {
    std::streampos start = in.tellg();
    if (start != std::streampos(-1) && in.seekg(0, std::ios::end)) {
        std::streampos end = in.tellg();
        in.seekg(start);
        if (end != std::streampos(-1) && in) return (end - start) / kMinBytesPerEntry;
    }
    in.clear();
    return kMaxEntriesOfUnmeasuredStream;
}

}  // namespace

AseModel AseReader::read(std::istream& in, AseDiagnostics* diagnostics) {
    return Parser(in, maxEntries(in), diagnostics).run();
}

bool AseReader::skipToKeyword(std::istream& in, const std::string& keyword) {
    return WordReader(in).skipTo(keyword);
}

}  // namespace quiltRush
