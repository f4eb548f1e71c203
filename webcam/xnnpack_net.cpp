// The converted hand model's layers, channels first in its ONNX file, built again channels last
// (XNNPACK's order, and TensorFlow Lite's before the conversion) as an XNNPACK subgraph.
#include "webcam/xnnpack_net.h"

#include <onnx/onnx_pb.h>
#include <xnnpack.h>

#include <cmath>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

// No layer of the hand model comes near this many values: a damaged file asking for more is
// refused before XNNPACK makes room for it.
static const size_t MOST_VALUES = 1u << 24;
static const uint32_t PICTURE_ID = 0, LANDMARKS_ID = 1, PRESENCE_ID = 2;

namespace {

struct Value {
    uint32_t id = 0;
    std::vector<size_t> dims;  // a picture's as 1 x rows x columns x channels
};

// An empty dimension counts as too many: no layer has one.
size_t count(const std::vector<size_t>& dims) {
    size_t n = 1;
    for (size_t d : dims) {
        n = d == 0 || n > MOST_VALUES / d ? MOST_VALUES + 1 : n * d;
    }
    return n;
}

const onnx::AttributeProto* attribute(const onnx::NodeProto& node, const char* name) {
    for (const onnx::AttributeProto& a : node.attribute()) {
        if (a.name() == name) {
            return &a;
        }
    }
    return nullptr;
}

std::vector<int64_t> ints(const onnx::NodeProto& node, const char* name, std::vector<int64_t> otherwise) {
    const onnx::AttributeProto* a = attribute(node, name);
    return a ? std::vector<int64_t>(a->ints().begin(), a->ints().end()) : otherwise;
}

int64_t integer(const onnx::NodeProto& node, const char* name, int64_t otherwise) {
    const onnx::AttributeProto* a = attribute(node, name);
    return a ? a->i() : otherwise;
}

float real(const onnx::NodeProto& node, const char* name, float otherwise) {
    const onnx::AttributeProto* a = attribute(node, name);
    return a ? a->f() : otherwise;
}

// size numbers, each from least to a size no layer of a hand model comes near.
bool fits(const std::vector<int64_t>& values, size_t size, int64_t least) {
    if (values.size() != size) {
        return false;
    }
    for (int64_t v : values) {
        if (v < least || v > 4096) {
            return false;
        }
    }
    return true;
}

}  // namespace

struct XnnpackNet::Graph {
    xnn_subgraph_t subgraph = nullptr;
    xnn_runtime_t runtime = nullptr;
    // XNNPACK keeps pointers to the weights: they live, unmoved, as long as the runtime.
    std::deque<std::vector<float>> weights;
    std::map<std::string, Value> values;
    std::map<std::string, const onnx::TensorProto*> constants;
    std::map<std::string, std::string> sameAs;  // what an Identity layer passes on
    std::string landmarksName, presenceName;
    int outputsMade = 0;
    size_t landmarkCount = 0;
    std::string why;

    ~Graph() {
        if (runtime) {
            xnn_delete_runtime(runtime);
        }
        if (subgraph) {
            xnn_delete_subgraph(subgraph);
        }
    }

    bool fail(const std::string& what) {
        why = what;
        return false;
    }

    std::string root(const std::string& name) const {
        auto same = sameAs.find(name);
        return same == sameAs.end() ? name : same->second;
    }

    const Value* input(const onnx::NodeProto& node, int i) {
        if (i >= node.input_size()) {
            return nullptr;
        }
        auto found = values.find(root(node.input(i)));
        return found == values.end() ? nullptr : &found->second;
    }

    // A constant of the file as float32, its dims checked against its data.
    std::vector<float>* constant(const onnx::NodeProto& node, int i, std::vector<size_t>& dims) {
        if (i >= node.input_size() || !constants.count(node.input(i))) {
            return nullptr;
        }
        const onnx::TensorProto& t = *constants[node.input(i)];
        dims.assign(t.dims().begin(), t.dims().end());
        size_t n = count(dims);
        if (t.data_type() != onnx::TensorProto::FLOAT || n > MOST_VALUES) {
            return nullptr;
        }
        std::vector<float> data(n);
        if (t.raw_data().size() == n * sizeof(float)) {
            std::copy(t.raw_data().begin(), t.raw_data().end(), reinterpret_cast<char*>(data.data()));
        } else if ((size_t)t.float_data_size() == n) {
            std::copy(t.float_data().begin(), t.float_data().end(), data.begin());
        } else {
            return nullptr;
        }
        weights.push_back(std::move(data));
        return &weights.back();
    }

    bool define(const std::vector<size_t>& dims, const float* data, uint32_t& id, const std::string& name = "") {
        if (count(dims) > MOST_VALUES) {
            return false;
        }
        uint32_t external = XNN_INVALID_VALUE_ID, flags = 0;
        if (!name.empty() && (name == landmarksName || name == presenceName)) {
            external = name == landmarksName ? LANDMARKS_ID : PRESENCE_ID;
            flags = XNN_VALUE_FLAG_EXTERNAL_OUTPUT;
            ++outputsMade;
        }
        if (xnn_define_tensor_value(subgraph, xnn_datatype_fp32, dims.size(), dims.data(), data, external, flags,
                                    &id) != xnn_status_success) {
            return false;
        }
        if (!name.empty()) {
            values[name] = Value{id, dims};
        }
        return true;
    }

    bool convolution(const onnx::NodeProto& node, const Value& in);
    bool pooling(const onnx::NodeProto& node, const Value& in);
    bool dense(const onnx::NodeProto& node, const Value& in);
    bool layer(const onnx::NodeProto& node);
    std::vector<const onnx::NodeProto*> neededLayers(const onnx::GraphProto& graph);
    bool make(const onnx::GraphProto& graph, size_t side);
};

// pads: top, left, bottom, right, as ONNX gives them.
static size_t outputSide(size_t side, int64_t kernel, int64_t stride, int64_t dilation, int64_t before, int64_t after) {
    int64_t reach = dilation * (kernel - 1) + 1, padded = (int64_t)side + before + after;
    return padded < reach ? 0 : (size_t)((padded - reach) / stride + 1);
}

bool XnnpackNet::Graph::convolution(const onnx::NodeProto& node, const Value& in) {
    std::vector<size_t> wd, bd;
    std::vector<float>* w = constant(node, 1, wd);
    const std::vector<float>* b = node.input_size() > 2 ? constant(node, 2, bd) : nullptr;
    std::vector<int64_t> kernel = ints(node, "kernel_shape", {}), strides = ints(node, "strides", {1, 1}),
                         pads = ints(node, "pads", {0, 0, 0, 0}), dilations = ints(node, "dilations", {1, 1});
    int64_t groups = integer(node, "group", 1);
    if (!w || wd.size() != 4 || in.dims.size() != 4 || (node.input_size() > 2 && (!b || count(bd) != wd[0])) ||
        !fits(kernel, 2, 1) || !fits(strides, 2, 1) || !fits(pads, 4, 0) || !fits(dilations, 2, 1) ||
        wd[2] != (size_t)kernel[0] || wd[3] != (size_t)kernel[1]) {
        return false;
    }
    size_t channels = in.dims[3], outputs = wd[0], kh = wd[2], kw = wd[3];
    bool depthwise = groups > 1 && (size_t)groups == channels && wd[1] == 1 && outputs == channels;
    if (!depthwise && (groups != 1 || wd[1] != channels)) {
        return false;
    }
    std::vector<size_t> outDims = {1, outputSide(in.dims[1], kernel[0], strides[0], dilations[0], pads[0], pads[2]),
                                   outputSide(in.dims[2], kernel[1], strides[1], dilations[1], pads[1], pads[3]),
                                   outputs};
    // Channels first to channels last: O I H W to O H W I, and a depthwise C 1 H W to 1 H W C.
    std::vector<float> filter(w->size());
    size_t inner = depthwise ? 1 : channels;
    for (size_t o = 0; o < outputs; ++o) {
        for (size_t i = 0; i < inner; ++i) {
            for (size_t k = 0; k < kh * kw; ++k) {
                size_t to = depthwise ? k * outputs + o : (o * kh * kw + k) * inner + i;
                filter[to] = (*w)[(o * inner + i) * kh * kw + k];
            }
        }
    }
    w->swap(filter);
    uint32_t filterId, biasId = XNN_INVALID_VALUE_ID, out;
    std::vector<size_t> filterDims = {outputs, kh, kw, channels};
    if (depthwise) {
        filterDims = {1, kh, kw, outputs};
    }
    if (!define(filterDims, w->data(), filterId) || (b && !define({outputs}, b->data(), biasId)) ||
        outDims[1] == 0 || outDims[2] == 0 || !define(outDims, nullptr, out, node.output(0))) {
        return false;
    }
    uint32_t top = (uint32_t)pads[0], left = (uint32_t)pads[1], bottom = (uint32_t)pads[2], right = (uint32_t)pads[3];
    if (depthwise) {
        return xnn_define_depthwise_convolution_2d(subgraph, top, right, bottom, left, kh, kw, strides[0], strides[1],
                                                   dilations[0], dilations[1], 1, channels, -INFINITY, INFINITY, in.id,
                                                   filterId, biasId, out, 0) == xnn_status_success;
    }
    return xnn_define_convolution_2d(subgraph, top, right, bottom, left, kh, kw, strides[0], strides[1], dilations[0],
                                     dilations[1], 1, channels, outputs, -INFINITY, INFINITY, in.id, filterId, biasId,
                                     out, 0) == xnn_status_success;
}

bool XnnpackNet::Graph::pooling(const onnx::NodeProto& node, const Value& in) {
    if (in.dims.size() != 4) {
        return false;
    }
    uint32_t out;
    if (node.op_type() == "ReduceMean") {
        // Over the rows and columns: the picture's mean, one value a channel.
        if (ints(node, "axes", {}) != std::vector<int64_t>{2, 3}) {
            return false;
        }
        return define({1, 1, 1, in.dims[3]}, nullptr, out, node.output(0)) &&
               xnn_define_global_average_pooling_2d(subgraph, -INFINITY, INFINITY, in.id, out, 0) == xnn_status_success;
    }
    std::vector<int64_t> kernel = ints(node, "kernel_shape", {}), strides = ints(node, "strides", {1, 1}),
                         pads = ints(node, "pads", {0, 0, 0, 0});
    if (!fits(kernel, 2, 1) || !fits(strides, 2, 1) || !fits(pads, 4, 0)) {
        return false;
    }
    std::vector<size_t> outDims = {1, outputSide(in.dims[1], kernel[0], strides[0], 1, pads[0], pads[2]),
               outputSide(in.dims[2], kernel[1], strides[1], 1, pads[1], pads[3]), in.dims[3]};
    return outDims[1] > 0 && outDims[2] > 0 && define(outDims, nullptr, out, node.output(0)) &&
           xnn_define_max_pooling_2d(subgraph, pads[0], pads[3], pads[2], pads[1], kernel[0], kernel[1], strides[0],
                                     strides[1], 1, 1, -INFINITY, INFINITY, in.id, out, 0) == xnn_status_success;
}

// Gemm as the converter writes it: the input row times the transposed weights, plus the bias.
bool XnnpackNet::Graph::dense(const onnx::NodeProto& node, const Value& in) {
    std::vector<size_t> wd, bd;
    const std::vector<float>* w = constant(node, 1, wd);
    const std::vector<float>* b = constant(node, 2, bd);
    if (!w || !b || wd.size() != 2 || count(bd) != wd[0] || wd[1] != count(in.dims) ||
        integer(node, "transB", 0) != 1 || integer(node, "transA", 0) != 0 || real(node, "alpha", 1) != 1 ||
        real(node, "beta", 1) != 1) {
        return false;
    }
    uint32_t filterId, biasId, out;
    return define(wd, w->data(), filterId) && define({wd[0]}, b->data(), biasId) &&
           define({1, wd[0]}, nullptr, out, node.output(0)) &&
           xnn_define_fully_connected(subgraph, -INFINITY, INFINITY, in.id, filterId, biasId, out,
                                      XNN_FLAG_TENSORFLOW_RESHAPE_2D) == xnn_status_success;
}

bool XnnpackNet::Graph::layer(const onnx::NodeProto& node) {
    const std::string& kind = node.op_type();
    const Value* in = input(node, 0);
    if (node.output_size() != 1 || !in) {
        return fail("has a layer whose input no layer before it makes");
    }
    if (values.count(node.output(0))) {
        return fail("has a layer whose output is named as another value");
    }
    uint32_t out;
    bool made;
    if (kind == "Conv") {
        made = convolution(node, *in);
    } else if (kind == "MaxPool" || kind == "ReduceMean") {
        made = pooling(node, *in);
    } else if (kind == "Gemm") {
        made = dense(node, *in);
    } else if (kind == "Add") {
        const Value* other = input(node, 1);
        made = other && other->dims == in->dims && define(in->dims, nullptr, out, node.output(0)) &&
               xnn_define_add2(subgraph, -INFINITY, INFINITY, in->id, other->id, out, 0) == xnn_status_success;
    } else if (kind == "Relu" || kind == "Clip") {
        float low = kind == "Relu" ? 0 : real(node, "min", -INFINITY);
        float high = kind == "Relu" ? INFINITY : real(node, "max", INFINITY);
        made = node.input_size() == 1 && define(in->dims, nullptr, out, node.output(0)) &&
               xnn_define_clamp(subgraph, low, high, in->id, out, 0) == xnn_status_success;
    } else if (kind == "Sigmoid") {
        made = define(in->dims, nullptr, out, node.output(0)) &&
               xnn_define_sigmoid(subgraph, in->id, out, 0) == xnn_status_success;
    } else {
        return fail("has a layer of a kind not known here (" + kind + ")");
    }
    return made || fail("has a " + kind + " layer that does not fit its input");
}

XnnpackNet::XnnpackNet() : graph(new Graph) {}

// Every net is made after XNNPACK was set up for it, and gives that back when it goes.
XnnpackNet::~XnnpackNet() {
    graph.reset();
    xnn_deinitialize();
}

// Only the layers the two outputs need, in their order, the Identity layers passed through by
// name: XNNPACK keeps no room for a value nothing reads, and aborts the program on one (the
// handedness, which the game does not ask for).
std::vector<const onnx::NodeProto*> XnnpackNet::Graph::neededLayers(const onnx::GraphProto& graph) {
    for (const onnx::NodeProto& node : graph.node()) {
        if (node.op_type() == "Identity" && node.input_size() == 1 && node.output_size() == 1) {
            sameAs[node.output(0)] = root(node.input(0));
        }
    }
    std::set<std::string> needed = {root(landmarksName), root(presenceName)};
    std::vector<const onnx::NodeProto*> layers;
    for (int i = graph.node_size() - 1; i >= 0; --i) {
        const onnx::NodeProto& node = graph.node(i);
        if (node.op_type() != "Identity" && node.output_size() == 1 && needed.count(node.output(0))) {
            layers.insert(layers.begin(), &node);
            for (const std::string& input : node.input()) {
                needed.insert(root(input));
            }
        }
    }
    landmarksName = root(landmarksName);
    presenceName = root(presenceName);
    return layers;
}

bool XnnpackNet::Graph::make(const onnx::GraphProto& graph, size_t side) {
    for (const onnx::TensorProto& t : graph.initializer()) {
        constants[t.name()] = &t;
    }
    std::vector<const onnx::NodeProto*> layers = neededLayers(graph);
    const onnx::ValueInfoProto* picture = nullptr;
    for (const onnx::ValueInfoProto& v : graph.input()) {
        if (!constants.count(v.name())) {
            picture = &v;
            break;
        }
    }
    Value in{0, {1, side, side, 3}};
    if (!picture || xnn_create_subgraph(3, 0, &subgraph) != xnn_status_success ||
        xnn_define_tensor_value(subgraph, xnn_datatype_fp32, 4, in.dims.data(), nullptr, PICTURE_ID,
                                XNN_VALUE_FLAG_EXTERNAL_INPUT, &in.id) != xnn_status_success) {
        return fail("has no picture to read");
    }
    values[picture->name()] = in;
    for (const onnx::NodeProto* node : layers) {
        if (!layer(*node)) {
            return false;
        }
    }
    auto landmarks = values.find(landmarksName), presence = values.find(presenceName);
    if (landmarksName == presenceName || outputsMade != 2 || landmarks == values.end() || presence == values.end() ||
        count(presence->second.dims) != 1) {
        return fail("does not give the hand's points and presence");
    }
    landmarkCount = count(landmarks->second.dims);
    return xnn_create_runtime_v2(subgraph, nullptr, 0, &runtime) == xnn_status_success ||
           fail("cannot be run by XNNPACK");
}

std::unique_ptr<XnnpackNet> XnnpackNet::build(const std::string& path, int side, const std::string& landmarksOutput,
                                              const std::string& presenceOutput, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "cannot be read";
        return nullptr;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    onnx::ModelProto model;
    if (!model.ParseFromString(bytes)) {
        why = "is not an ONNX model";
        return nullptr;
    }
    if (xnn_initialize(nullptr) != xnn_status_success) {
        why = "cannot be run by XNNPACK on this processor";
        return nullptr;
    }
    std::unique_ptr<XnnpackNet> net(new XnnpackNet);
    net->graph->landmarksName = landmarksOutput;
    net->graph->presenceName = presenceOutput;
    bool made = net->graph->make(model.graph(), (size_t)side);
    net->graph->constants.clear();  // the file's, gone with it
    if (!made) {
        why = net->graph->why;
        return nullptr;
    }
    return net;
}

int XnnpackNet::landmarkValues() const { return (int)graph->landmarkCount; }

bool XnnpackNet::run(const float* picture, float* landmarks, float& presence) {
    xnn_external_value external[3] = {{PICTURE_ID, const_cast<float*>(picture)},
                                      {LANDMARKS_ID, landmarks},
                                      {PRESENCE_ID, &presence}};
    return xnn_setup_runtime(graph->runtime, 3, external) == xnn_status_success &&
           xnn_invoke_runtime(graph->runtime) == xnn_status_success;
}
