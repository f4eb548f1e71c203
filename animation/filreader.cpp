// FileReader: splits a motion file into tokens and builds the Mesh of one robot pose.
#include "animation/filreader.h"

#include "animation/data_files.h"

#include <charconv>
#include <cstdlib>
#include <limits>

// Every read below ends quietly once the stream has failed (missing file, end of input,
// a token that is not a number): the list being read stops, the lists after it come out
// empty, and an entry that was cut short is dropped rather than kept half read.
//
// The tokens are taken straight from the file's buffer, character by character, instead of
// through the stream's formatted reads, whose per-call overhead made the start-up load slow.
// They follow the formatted reads' rules exactly: blanks are skipped first; a word runs to the
// next blank; a number is the longest run that looks like one (sign, digits with one decimal
// point, an exponent after a digit), and a run that does not convert whole fails; running into
// the end of the file marks it ended, and a read on an ended or failed stream fails.

namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The formatted reads' first step: fails on a stream that has failed or ended, skips blanks,
// and returns the first character after them without taking it (EOF at the end, which ends
// and fails the stream).
int startRead(std::ifstream& in) {
    if (!in.good()) {
        in.setstate(std::ios::failbit);
        return EOF;
    }
    std::streambuf* buffer = in.rdbuf();
    int c = buffer->sgetc();
    while (c != EOF && isBlank(c)) {
        c = buffer->snextc();
    }
    if (c == EOF) {
        in.setstate(std::ios::eofbit | std::ios::failbit);
    }
    return c;
}

// Takes the character c, already looked at, and looks at the next one; notes the end of file.
int advance(std::ifstream& in) {
    int c = in.rdbuf()->snextc();
    if (c == EOF) {
        in.setstate(std::ios::eofbit);
    }
    return c;
}

// Numbers of at most this many digits, without an exponent, convert exactly by one division
// (the digits and the power of ten are both exact doubles): the usual motion-file number.
const int EXACT_DIGITS = 15;
const double POWERS_OF_TEN[EXACT_DIGITS + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A number's characters as the formatted read gathers them, starting at c, with its digits
// worked out on the way for the quick conversion.
struct GatheredNumber {
    std::string text;
    bool negative = false;
    int digits = 0;
    int decimals = 0;  // digits after the point
    bool exponent = false;
    long long mantissa = 0;
};

void gatherNumber(std::ifstream& in, int c, GatheredNumber& number) {
    if (c == '+' || c == '-') {
        number.negative = c == '-';
        number.text.push_back((char)c);
        c = advance(in);
    }
    bool point = false;
    while (c != EOF && (isDigit(c) || (c == '.' && !point))) {
        if (c == '.') {
            point = true;
        } else {
            number.digits++;
            number.decimals += point;
            if (number.digits <= EXACT_DIGITS) {
                number.mantissa = number.mantissa * 10 + (c - '0');
            }
        }
        number.text.push_back((char)c);
        c = advance(in);
    }
    if (number.digits > 0 && (c == 'e' || c == 'E')) {
        number.exponent = true;
        number.text.push_back((char)c);
        c = advance(in);
        if (c == '+' || c == '-') {
            number.text.push_back((char)c);
            c = advance(in);
        }
        while (c != EOF && isDigit(c)) {
            number.text.push_back((char)c);
            c = advance(in);
        }
    }
}

// The gathered text as a double; false when it does not convert whole or is too large.
bool convertNumber(const std::string& text, double& value) {
    const char* first = text.c_str();
    const char* last = first + text.size();
    // The conversion below takes no plus sign; the gathering allows only one sign.
    if (first != last && *first == '+') {
        ++first;
    }
    std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ptr != last) {
        return false;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Too small converts to the nearest the C library gives; too large fails, as in a stream.
        value = std::strtod(text.c_str(), nullptr);
        return value != std::numeric_limits<double>::infinity() &&
               value != -std::numeric_limits<double>::infinity();
    }
    return result.ec == std::errc();
}

}  // namespace

FileReader::FileReader(const char* name) {
    noteDataFile(name);
    inputFile.open(name, std::ios::in);
}

FileReader::~FileReader() { inputFile.close(); }

void FileReader::changeFile(const char* name) {
    inputFile.close();
    // A failure in the previous file must not leak into this one.
    inputFile.clear();
    noteDataFile(name);
    inputFile.open(name, std::ios::in);
}

std::string FileReader::nextWord() {
    std::string word;
    int c = startRead(inputFile);
    while (c != EOF && !isBlank(c)) {
        word.push_back((char)c);
        c = advance(inputFile);
    }
    return word;
}

double FileReader::nextNumber() {
    int c = startRead(inputFile);
    if (c == EOF) {
        return 0;
    }
    GatheredNumber number;
    gatherNumber(inputFile, c, number);
    if (number.digits > 0 && number.digits <= EXACT_DIGITS && !number.exponent) {
        double value = (double)number.mantissa / POWERS_OF_TEN[number.decimals];
        return number.negative ? -value : value;
    }
    double value = 0;
    if (!convertNumber(number.text, value)) {
        inputFile.setstate(std::ios::failbit);
        return 0;
    }
    return value;
}

int FileReader::isEOF() const { return 0; }

// One non-blank character, as the stream's character read takes it; false when there is none.
static bool nextCharacter(std::ifstream& in, char& character) {
    int c = startRead(in);
    if (c == EOF) {
        return false;
    }
    character = (char)c;
    // Taken without a look at the character after it, as the stream's character read does: a
    // file whose closing "g" is its very last byte is not marked ended yet.
    in.rdbuf()->sbumpc();
    return true;
}

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

// A list whose first keyword the previous list took: entries follow while the keyword repeats.
static MeshList readListAfterKeyword(FileReader& reader, int width, const char* keyword) {
    MeshList list;
    MeshRow row;
    do {
        if (!readRow(reader, width, row)) {
            break;
        }
        list.push_back(row);
    } while (reader.nextWord() == keyword);
    return list;
}

MeshList FileReader::getColors() { return readListAfterKeyword(*this, 2, "vt"); }

MeshList FileReader::getNormals() { return readListAfterKeyword(*this, 3, "vn"); }

// Reads one corner: vertex index, separator, vt index, separator, normal index.
static void readCorner(FileReader& reader, MeshRow& face) {
    char separator = 0;
    face.push_back(reader.nextNumber());
    nextCharacter(reader.inputFile, separator);
    face.push_back(reader.nextNumber());
    nextCharacter(reader.inputFile, separator);
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
        if (!nextCharacter(inputFile, next) || next == 'g') {
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
