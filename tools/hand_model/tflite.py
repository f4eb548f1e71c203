"""The few parts of a TensorFlow Lite flatbuffer a hand model needs, read with the flatbuffers runtime."""
import flatbuffers
import numpy as np
from flatbuffers import number_types as N

# TensorType values of the TFLite schema and the numpy types they stand for.
TENSOR_TYPES = {0: np.float32, 1: np.float16, 2: np.int32, 3: np.uint8, 4: np.int64, 9: np.int8}

# BuiltinOperator values of the operators met in the hand models.
OPERATORS = {0: "ADD", 1: "AVERAGE_POOL_2D", 2: "CONCATENATION", 3: "CONV_2D", 4: "DEPTHWISE_CONV_2D",
             6: "DEQUANTIZE", 9: "FULLY_CONNECTED", 14: "LOGISTIC", 17: "MAX_POOL_2D", 18: "MUL", 19: "RELU",
             21: "RELU6", 22: "RESHAPE", 23: "RESIZE_BILINEAR", 34: "PAD", 40: "MEAN", 41: "SUB", 42: "DIV",
             54: "PRELU", 58: "MAXIMUM"}


class Table:
    """One flatbuffer table: fields are asked for by their index in the schema's declaration."""

    def __init__(self, buf, pos):
        self.tab = flatbuffers.table.Table(buf, pos)

    def _offset(self, index):
        return self.tab.Offset(4 + 2 * index)

    def scalar(self, index, flags, default=0):
        o = self._offset(index)
        return self.tab.Get(flags, o + self.tab.Pos) if o else default

    def string(self, index):
        o = self._offset(index)
        return self.tab.String(o + self.tab.Pos).decode() if o else ""

    def table(self, index):
        o = self._offset(index)
        return Table(self.tab.Bytes, self.tab.Indirect(o + self.tab.Pos)) if o else None

    def tables(self, index):
        o = self._offset(index)
        if not o:
            return []
        start, count = self.tab.Vector(o), self.tab.VectorLen(o)
        return [Table(self.tab.Bytes, self.tab.Indirect(start + 4 * i)) for i in range(count)]

    def array(self, index, dtype):
        o = self._offset(index)
        if not o:
            return np.zeros(0, dtype)
        start, count = self.tab.Vector(o), self.tab.VectorLen(o)
        size = np.dtype(dtype).itemsize
        return np.frombuffer(bytes(self.tab.Bytes[start:start + count * size]), dtype=dtype).copy()


class Operator:
    def __init__(self, kind, inputs, outputs, options):
        self.kind, self.inputs, self.outputs, self.options = kind, inputs, outputs, options


class Tensor:
    def __init__(self, name, shape, dtype, data):
        self.name, self.shape, self.dtype, self.data = name, shape, dtype, data


# Option tables by operator: the names of their fields in schema order and each field's flags.
I32, BYTE = N.Int32Flags, N.Int8Flags
OPTION_FIELDS = {
    "CONV_2D": [("padding", BYTE), ("stride_w", I32), ("stride_h", I32), ("activation", BYTE),
                ("dilation_w", I32), ("dilation_h", I32)],
    "DEPTHWISE_CONV_2D": [("padding", BYTE), ("stride_w", I32), ("stride_h", I32), ("multiplier", I32),
                          ("activation", BYTE), ("dilation_w", I32), ("dilation_h", I32)],
    "MAX_POOL_2D": [("padding", BYTE), ("stride_w", I32), ("stride_h", I32), ("filter_w", I32),
                    ("filter_h", I32), ("activation", BYTE)],
    "ADD": [("activation", BYTE)],
    "SUB": [("activation", BYTE)],
    "MUL": [("activation", BYTE)],
    "DIV": [("activation", BYTE)],
    "FULLY_CONNECTED": [("activation", BYTE), ("weights_format", BYTE), ("keep_dims", BYTE)],
    "CONCATENATION": [("axis", I32), ("activation", BYTE)],
    "MEAN": [("keep_dims", BYTE)],
}
OPTION_FIELDS["AVERAGE_POOL_2D"] = OPTION_FIELDS["MAX_POOL_2D"]
DEFAULTS = {"dilation_w": 1, "dilation_h": 1, "multiplier": 1}


def _options(kind, op):
    table = op.table(4)
    options = {}
    for index, (name, flags) in enumerate(OPTION_FIELDS.get(kind, [])):
        options[name] = table.scalar(index, flags, DEFAULTS.get(name, 0)) if table else DEFAULTS.get(name, 0)
    return options


def read_model(data):
    """The first subgraph: its tensors (constant ones with their data), operators, inputs and outputs."""
    buf = bytearray(data)
    model = Table(buf, flatbuffers.encode.Get(flatbuffers.packer.uoffset, buf, 0))
    codes = []
    for code in model.tables(1):
        builtin = max(code.scalar(0, N.Int8Flags), code.scalar(3, N.Int32Flags))
        if builtin not in OPERATORS:
            raise ValueError("operator %d is not one this converter knows" % builtin)
        codes.append(OPERATORS[builtin])
    buffers = [b.array(0, np.uint8) for b in model.tables(4)]
    graph = model.tables(2)[0]
    tensors = []
    for t in graph.tables(0):
        kind = t.scalar(1, N.Int8Flags)
        if kind not in TENSOR_TYPES:
            raise ValueError("tensor type %d is not one this converter knows" % kind)
        dtype = TENSOR_TYPES[kind]
        shape = [int(s) for s in t.array(0, np.int32)]
        raw = buffers[t.scalar(2, N.Uint32Flags)]
        data = np.frombuffer(raw.tobytes(), dtype=dtype).reshape(shape) if raw.size else None
        tensors.append(Tensor(t.string(3), shape, dtype, data))
    operators = []
    for op in graph.tables(3):
        kind = codes[op.scalar(0, N.Uint32Flags)]
        inputs = [int(i) for i in op.array(1, np.int32)]
        outputs = [int(i) for i in op.array(2, np.int32)]
        operators.append(Operator(kind, inputs, outputs, _options(kind, op)))
    inputs = [int(i) for i in graph.array(1, np.int32)]
    outputs = [int(i) for i in graph.array(2, np.int32)]
    return tensors, operators, inputs, outputs
