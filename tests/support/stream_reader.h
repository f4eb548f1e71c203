// The motion-file reader written with the stream's formatted reads: what the fast reader must match.
#ifndef VANTORIX_TEST_STREAM_READER_H
#define VANTORIX_TEST_STREAM_READER_H

#include <fstream>
#include <string>

#include "animation/Mesh.h"

struct StreamReader {
    std::ifstream in;

    explicit StreamReader(const std::string& name) { in.open(name.c_str(), std::ios::in); }

    std::string nextWord() {
        std::string word;
        return (in >> word) ? word : std::string();
    }

    double nextNumber() {
        double value = 0;
        return (in >> value) ? value : 0;
    }

    bool readRow(int count, MeshRow& row) {
        row.clear();
        for (int i = 0; i < count; i++) {
            row.push_back(nextNumber());
        }
        return !in.fail();
    }

    // A list whose first keyword the previous list took.
    void readListAfterKeyword(int width, const char* keyword, MeshList& list) {
        MeshRow row;
        do {
            if (!readRow(width, row)) {
                break;
            }
            list.push_back(row);
        } while (nextWord() == keyword);
    }

    Mesh getAll() {
        Mesh mesh(4);
        MeshRow row;
        while (nextWord() == "v" && readRow(3, row)) {
            mesh[MESH_VERTICES].push_back(row);
        }
        readListAfterKeyword(2, "vt", mesh[MESH_COLORS]);
        readListAfterKeyword(3, "vn", mesh[MESH_NORMALS]);
        for (;;) {
            row.clear();
            char separator = 0;
            for (int corner = 0; corner < 3; corner++) {
                row.push_back(nextNumber());
                in >> separator;
                row.push_back(nextNumber());
                in >> separator;
                row.push_back(nextNumber());
            }
            if (in.fail()) {
                break;
            }
            mesh[MESH_FACES].push_back(row);
            char next = 0;
            if (!(in >> next) || next == 'g') {
                break;
            }
        }
        return mesh;
    }
};

#endif
