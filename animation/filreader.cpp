// FileReader: splits a motion file into tokens and builds the Mesh of one robot pose.
#include "filreader.h"

// Every read below ends quietly once the stream has failed (missing file, end of input,
// a token that is not a number): the list being read stops, the lists after it come out
// empty, and an entry that was cut short is dropped rather than kept half read.

FileReader::FileReader(const char* name) { inputFile.open(name, std::ios::in); }

FileReader::~FileReader() { inputFile.close(); }

void FileReader::changeFile(const char* name) {
    inputFile.close();
    // A failure in the previous file must not leak into this one.
    inputFile.clear();
    inputFile.open(name, std::ios::in);
}

std::string FileReader::nextWord() {
    std::string word;
    if (!(inputFile >> word)) {
        return std::string();
    }
    return word;
}

double FileReader::nextNumber() {
    double value = 0;
    if (!(inputFile >> value)) {
        return 0;
    }
    return value;
}

int FileReader::isEOF() const { return 0; }

// Reads count numbers into a row; false when the input failed before the last one.
static bool readRow(FileReader& reader, int count, MeshRow& row) {
    row.clear();
    for (int i = 0; i < count; i++) {
        row.push_back(reader.nextNumber());
    }
    return !reader.inputFile.fail();
}

MeshList FileReader::getVertices() {
    MeshList vertices;
    MeshRow row;
    while (nextWord() == "v" && readRow(*this, 3, row)) {
        vertices.push_back(row);
    }
    return vertices;
}

MeshList FileReader::getColors() {
    MeshList pairs;
    MeshRow row;
    // The first keyword was taken by getVertices.
    do {
        if (!readRow(*this, 2, row)) {
            break;
        }
        pairs.push_back(row);
    } while (nextWord() == "vt");
    return pairs;
}

MeshList FileReader::getNormals() {
    MeshList normals;
    MeshRow row;
    do {
        if (!readRow(*this, 3, row)) {
            break;
        }
        normals.push_back(row);
    } while (nextWord() == "vn");
    return normals;
}

// Reads one corner: vertex index, separator, vt index, separator, normal index.
static void readCorner(FileReader& reader, MeshRow& face) {
    char separator = 0;
    face.push_back(reader.nextNumber());
    reader.inputFile >> separator;
    face.push_back(reader.nextNumber());
    reader.inputFile >> separator;
    face.push_back(reader.nextNumber());
}

MeshList FileReader::getPolygons() {
    MeshList faces;
    MeshRow face;
    for (;;) {
        face.clear();
        for (int corner = 0; corner < 3; corner++) {
            readCorner(*this, face);
        }
        if (inputFile.fail()) {
            break;
        }
        faces.push_back(face);
        // Only the first character of the next token matters: a group line ends the list.
        char next = 0;
        if (!(inputFile >> next) || next == 'g') {
            break;
        }
    }
    return faces;
}

Mesh FileReader::getAll() {
    Mesh mesh;
    mesh.push_back(getVertices());
    mesh.push_back(getColors());
    mesh.push_back(getNormals());
    mesh.push_back(getPolygons());
    return mesh;
}
