// The hand landmark network read from its ONNX file and run by XNNPACK, four times as fast as
// OpenCV's dnn on one core. Only the layers the converted model is made of are known.
#ifndef VANTORIX_XNNPACK_NET_H
#define VANTORIX_XNNPACK_NET_H

#include <memory>
#include <string>

class XnnpackNet {
public:
    // Null, with why set, when the file is not a network of the known layers with those outputs.
    static std::unique_ptr<XnnpackNet> build(const std::string& path, int side, const std::string& landmarksOutput,
                                             const std::string& presenceOutput, std::string& why);
    ~XnnpackNet();
    XnnpackNet(const XnnpackNet&) = delete;
    XnnpackNet& operator=(const XnnpackNet&) = delete;

    // picture: side x side x 3 floats, rows first, the channels interleaved as the model takes them.
    // landmarks: room for landmarkValues() floats.
    bool run(const float* picture, float* landmarks, float& presence);
    int landmarkValues() const;

    struct Graph;

private:
    XnnpackNet();
    std::unique_ptr<Graph> graph;
};

#endif
