"""Turns MediaPipe's hand landmark TFLite model into ONNX (opset 10) that OpenCV 4.6's dnn reads.

The graph is rewritten channels-first: the ONNX input is 1 x 3 x 224 x 224 (RGB, 0 to 1) where the
TFLite one is 1 x 224 x 224 x 3. Weights stored as float16 behind DEQUANTIZE are folded to float32.
    convert.py MODEL.tflite OUT.onnx
"""
import sys

import numpy as np
import onnx
from onnx import helper, numpy_helper

import tflite

OPSET = 10
ACTIVATIONS = {0: None, 1: "Relu", 3: "Relu6"}


class Graph:
    def __init__(self, tensors):
        self.tensors = tensors
        self.nodes, self.initializers = [], []
        self.constants = {i: t.data.astype(np.float32) for i, t in enumerate(tensors)
                          if t.data is not None and t.dtype in (np.float16, np.float32)}
        self.serial = 0

    def name(self, index):
        return self.tensors[index].name

    def fresh(self, base):
        self.serial += 1
        return "%s_%d" % (base, self.serial)

    def constant(self, name, value):
        self.initializers.append(numpy_helper.from_array(np.ascontiguousarray(value, np.float32), name))
        return name

    def node(self, kind, inputs, output, **attributes):
        self.nodes.append(helper.make_node(kind, inputs, [output], name=output, **attributes))
        return output

    def activate(self, value, activation, output):
        """The fused activation after an operator, writing the operator's TFLite output name."""
        kind = ACTIVATIONS.get(activation, "unknown")
        if kind == "unknown":
            raise ValueError("fused activation %d is not one this converter knows" % activation)
        if kind is None:
            return self.node("Identity", [value], output)
        if kind == "Relu":
            return self.node("Relu", [value], output)
        return self.node("Clip", [value], output, min=0.0, max=6.0)


def same_pads(size, kernel, stride, dilation):
    """TensorFlow's SAME padding along one axis: the odd pixel goes after."""
    out = (size + stride - 1) // stride
    total = max((out - 1) * stride + (kernel - 1) * dilation + 1 - size, 0)
    return total // 2, total - total // 2


def window_attributes(graph, op, height, width, kernel_h, kernel_w):
    o = op.options
    stride_h, stride_w = o["stride_h"], o["stride_w"]
    dilation_h, dilation_w = o.get("dilation_h", 1), o.get("dilation_w", 1)
    top, bottom = left, right = 0, 0
    if o["padding"] == 0:
        top, bottom = same_pads(height, kernel_h, stride_h, dilation_h)
        left, right = same_pads(width, kernel_w, stride_w, dilation_w)
    attributes = dict(kernel_shape=[kernel_h, kernel_w], strides=[stride_h, stride_w],
                      pads=[top, left, bottom, right])
    if "dilation_h" in o:
        attributes["dilations"] = [dilation_h, dilation_w]
    return attributes


def convolution(graph, op, depthwise):
    source, weights, bias = op.inputs
    _, height, width, channels = graph.tensors[source].shape
    kernel = graph.constants[weights]
    if depthwise:  # 1 x kh x kw x C  ->  C x 1 x kh x kw
        kernel = kernel.transpose(3, 0, 1, 2)
    else:  # O x kh x kw x I  ->  O x I x kh x kw
        kernel = kernel.transpose(0, 3, 1, 2)
    attributes = window_attributes(graph, op, height, width, kernel.shape[2], kernel.shape[3])
    attributes["group"] = channels if depthwise else 1
    inputs = [graph.name(source), graph.constant(graph.fresh("kernel"), kernel)]
    if bias >= 0:
        inputs.append(graph.constant(graph.fresh("bias"), graph.constants[bias]))
    value = graph.node("Conv", inputs, graph.fresh("conv"), **attributes)
    graph.activate(value, op.options["activation"], graph.name(op.outputs[0]))


def pool(graph, op):
    _, height, width, _ = graph.tensors[op.inputs[0]].shape
    o = op.options
    attributes = window_attributes(graph, op, height, width, o["filter_h"], o["filter_w"])
    kind = "MaxPool" if op.kind == "MAX_POOL_2D" else "AveragePool"
    value = graph.node(kind, [graph.name(op.inputs[0])], graph.fresh("pool"), **attributes)
    graph.activate(value, o["activation"], graph.name(op.outputs[0]))


def mean(graph, op):
    axes = [int(a) for a in graph.tensors[op.inputs[1]].data.reshape(-1)]
    if sorted(axes) != [1, 2] or len(graph.tensors[op.inputs[0]].shape) != 4:
        raise ValueError("only a mean over the picture's rows and columns is known")
    graph.node("ReduceMean", [graph.name(op.inputs[0])], graph.name(op.outputs[0]),
               axes=[2, 3], keepdims=int(op.options["keep_dims"]))


def fully_connected(graph, op):
    source, weights, bias = op.inputs
    if len(graph.tensors[source].shape) != 2:
        raise ValueError("a fully connected layer on more than a row is not known")
    inputs = [graph.name(source), graph.constant(graph.fresh("weights"), graph.constants[weights])]
    if bias >= 0:
        inputs.append(graph.constant(graph.fresh("bias"), graph.constants[bias]))
    value = graph.node("Gemm", inputs, graph.fresh("gemm"), transB=1)
    graph.activate(value, op.options["activation"], graph.name(op.outputs[0]))


def add(graph, op):
    names = []
    for index in op.inputs:
        if index in graph.constants:
            raise ValueError("an addition of a constant is not known")
        names.append(graph.name(index))
    value = graph.node("Add", names, graph.fresh("add"))
    graph.activate(value, op.options["activation"], graph.name(op.outputs[0]))


def convert(data):
    tensors, operators, inputs, outputs = tflite.read_model(data)
    graph = Graph(tensors)
    for op in operators:
        if op.kind == "DEQUANTIZE":
            graph.constants[op.outputs[0]] = graph.constants[op.inputs[0]]
        elif op.kind in ("CONV_2D", "DEPTHWISE_CONV_2D"):
            convolution(graph, op, op.kind == "DEPTHWISE_CONV_2D")
        elif op.kind in ("MAX_POOL_2D", "AVERAGE_POOL_2D"):
            pool(graph, op)
        elif op.kind == "MEAN":
            mean(graph, op)
        elif op.kind == "FULLY_CONNECTED":
            fully_connected(graph, op)
        elif op.kind == "ADD":
            add(graph, op)
        elif op.kind == "LOGISTIC":
            graph.node("Sigmoid", [graph.name(op.inputs[0])], graph.name(op.outputs[0]))
        else:
            raise ValueError("operator %s is not one this converter knows" % op.kind)
    batch, height, width, channels = tensors[inputs[0]].shape
    graph_inputs = [helper.make_tensor_value_info(graph.name(inputs[0]), onnx.TensorProto.FLOAT,
                                                  [batch, channels, height, width])]
    graph_outputs = [helper.make_tensor_value_info(graph.name(i), onnx.TensorProto.FLOAT, tensors[i].shape)
                     for i in outputs]
    body = helper.make_graph(graph.nodes, "hand_landmark", graph_inputs, graph_outputs, graph.initializers)
    model = helper.make_model(body, opset_imports=[helper.make_opsetid("", OPSET)],
                              producer_name="vantorix-hand-model")
    model.ir_version = 5
    onnx.checker.check_model(model)
    return model


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: convert.py MODEL.tflite OUT.onnx")
    model = convert(open(sys.argv[1], "rb").read())
    with open(sys.argv[2], "wb") as out:
        out.write(model.SerializeToString())


if __name__ == "__main__":
    main()
