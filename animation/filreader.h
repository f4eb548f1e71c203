// FileReader: token-by-token reader of motion files into a Mesh.
#ifndef VANTORIX_FILREADER_H
#define VANTORIX_FILREADER_H

#include <fstream>
#include <string>

#include "animation/Mesh.h"

class FileReader {
public:
    std::ifstream inputFile;

    explicit FileReader(const char* name);
    ~FileReader();

    void changeFile(const char* name);
    std::string nextWord();
    double nextNumber();
    int isEOF() const;

    MeshList getVertices();
    MeshList getColors();
    MeshList getNormals();
    MeshList getPolygons();
    Mesh getAll();
};

#endif
