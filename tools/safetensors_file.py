# Writes float32 tensors as a safetensors file (docs/transnetv2-weights.md), without extra packages.
import json
import struct

import numpy as np


def write(path, tensors):
    """tensors: name -> numpy array; stored as little-endian float32 in name order."""
    header, blobs, offset = {}, [], 0
    for name in sorted(tensors):
        data = np.ascontiguousarray(tensors[name], dtype="<f4").tobytes()
        header[name] = {"dtype": "F32", "shape": list(tensors[name].shape), "data_offsets": [offset, offset + len(data)]}
        blobs.append(data)
        offset += len(data)
    text = json.dumps(header, separators=(",", ":")).encode()
    text += b" " * (-len(text) % 8)
    with open(path, "wb") as f:
        f.write(struct.pack("<Q", len(text)))
        f.write(text)
        for blob in blobs:
            f.write(blob)
