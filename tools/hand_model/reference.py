"""A plain numpy interpreter of the hand landmark TFLite graph, channels-last as TFLite runs it.

It shares only the flatbuffer reading with the converter, so that the ONNX model's answers are held
to the TFLite graph's own and not to a second copy of the conversion.
"""
import numpy as np

import tflite


def same_pads(size, kernel, stride, dilation):
    out = -(-size // stride)
    total = max((out - 1) * stride + (kernel - 1) * dilation + 1 - size, 0)
    return total // 2, total - total // 2


def padded(x, o, kh, kw):
    """x: H x W x C; the padding TFLite's SAME or VALID asks for."""
    if o["padding"] != 0:
        return x
    top, bottom = same_pads(x.shape[0], kh, o["stride_h"], o.get("dilation_h", 1))
    left, right = same_pads(x.shape[1], kw, o["stride_w"], o.get("dilation_w", 1))
    return np.pad(x, ((top, bottom), (left, right), (0, 0)))


def windows(x, kh, kw, sh, sw, dh, dw):
    """Every kh x kw window of x (H x W x C): out_h x out_w x kh x kw x C."""
    out_h = (x.shape[0] - (kh - 1) * dh - 1) // sh + 1
    out_w = (x.shape[1] - (kw - 1) * dw - 1) // sw + 1
    rows = [[x[i * dh:i * dh + (out_h - 1) * sh + 1:sh, j * dw:j * dw + (out_w - 1) * sw + 1:sw]
             for j in range(kw)] for i in range(kh)]
    return np.stack([np.stack(r, axis=2) for r in rows], axis=2)


def activate(x, kind):
    if kind == 1:
        return np.maximum(x, 0)
    if kind == 3:
        return np.clip(x, 0, 6)
    if kind != 0:
        raise ValueError("activation %d unknown" % kind)
    return x


def conv(x, w, b, o, depthwise):
    kh, kw = w.shape[1], w.shape[2]
    dh, dw = o.get("dilation_h", 1), o.get("dilation_w", 1)
    win = windows(padded(x, o, kh, kw), kh, kw, o["stride_h"], o["stride_w"], dh, dw)
    if depthwise:  # w: 1 x kh x kw x C
        y = np.einsum("hwijc,ijc->hwc", win, w[0], optimize=True)
    else:  # w: O x kh x kw x I
        y = np.einsum("hwijc,oijc->hwo", win, w, optimize=True)
    return activate(y + b, o["activation"])


def run(model_bytes, picture):
    """picture: 224 x 224 x 3 float32 in 0..1. The graph's outputs by name."""
    tensors, operators, inputs, outputs = tflite.read_model(model_bytes)
    values = {i: t.data.astype(np.float32) for i, t in enumerate(tensors) if t.data is not None}
    values[inputs[0]] = picture.astype(np.float32)[None]
    for op in operators:
        x = [values.get(i) for i in op.inputs]
        o = op.options
        if op.kind == "DEQUANTIZE":
            y = x[0].astype(np.float32)
        elif op.kind in ("CONV_2D", "DEPTHWISE_CONV_2D"):
            y = conv(x[0][0], x[1], x[2], o, op.kind == "DEPTHWISE_CONV_2D")[None]
        elif op.kind == "MAX_POOL_2D":
            win = windows(padded(x[0][0], o, o["filter_h"], o["filter_w"]), o["filter_h"], o["filter_w"],
                          o["stride_h"], o["stride_w"], 1, 1)
            y = activate(win.max(axis=(2, 3)), o["activation"])[None]
        elif op.kind == "ADD":
            y = activate(x[0] + x[1], o["activation"])
        elif op.kind == "MEAN":
            y = x[0].mean(axis=tuple(int(a) for a in x[1]), keepdims=bool(o["keep_dims"]))
        elif op.kind == "FULLY_CONNECTED":
            y = activate(x[0] @ x[1].T + x[2], o["activation"])
        elif op.kind == "LOGISTIC":
            y = 1 / (1 + np.exp(-x[0]))
        else:
            raise ValueError("operator %s unknown" % op.kind)
        values[op.outputs[0]] = y
    return {tensors[i].name: values[i] for i in outputs}
