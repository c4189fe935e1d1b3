# Renders short films from FFmpeg's lavfi sources with cuts, dissolves and fades at known frames.
"""Shared by tools/make-test-films and the detection benchmarks.

A film is a list of shots (lavfi source text and frame count) joined by transitions:
("cut",), ("dissolve", frames) or ("fadeblack", frames), with flashes (first frame, frame count
and optionally the brightness added, 0.7 unless given; 1 is white). The ground truth of each transition is
the frame that starts the new shot: the cut frame, or the first frame of a gradual transition on
which the new picture shows more than the old one (new_picture_dominates).
"""
import json
import random
import subprocess

FPS = 25


def source(kind, size, seed=0, hue=0):
    """A lavfi source of the given kind at size 'WxH' and 25 fps, optionally hue-shifted."""
    w, h = (int(v) for v in size.split("x"))
    big = f"{w * 2}x{h * 2}"
    text = {
        "testsrc2": f"testsrc2=s={size}:r={FPS}",
        "mandelbrot": f"mandelbrot=s={size}:r={FPS}:start_scale={1.5 + seed % 5 * 0.3}",
        "cellauto": f"cellauto=s={size}:r={FPS}:rule={[18, 30, 90, 110, 150][seed % 5]}:random_seed={seed}",
        "life": f"life=s={size}:r={FPS}:mold=10:ratio=0.{2 + seed % 5}:seed={seed}:life_color=#{(seed * 2654435761) % 0xFFFFFF:06x}",
        "gradients": f"gradients=s={size}:r={FPS}:speed=0.05:nb_colors=2:c0=#{(seed * 2654435761) % 0xFFFFFF:06x}"
                     f":c1=#{(seed * 40503 + 0x2080F0) % 0xFFFFFF:06x}:x0={seed % w}:y0=0:x1={w - 1 - seed % w}:y1={h - 1}",
        "noise": f"color=c=#{(seed * 40503 + 0x404080) % 0xFFFFFF:06x}:s={size}:r={FPS},noise=alls=40:allf=t",
        "pan": f"testsrc2=s={big}:r={FPS},scroll=h=0.03:v=0.01,scale={size}",
        "zoom": f"mandelbrot=s={big}:r={FPS},zoompan=z='min(1.5,1+0.01*on)':d=1:s={size}:fps={FPS}",
        "color": f"color=c=#{(seed * 2246822519) % 0xFFFFFF:06x}:s={size}:r={FPS}",
        "occluded": _occluded(size, seed),
        "edge": _smooth(size, _turning_edge(seed)),
        "gradientpan": _smooth(size, _panned_gradient(seed)),
        "skyzoom": _smooth(size, _zoomed_sky(seed)),
    }[kind]
    if hue:
        text += f",hue=h={hue}"
    return text


def _occluded(size, seed):
    """testsrc2 with a dark shape three quarters as wide as the picture sliding in from the left
    over 8 frames from frame 20 + seed, staying 12 frames, and sliding out again: one shot."""
    w, h = (int(v) for v in size.split("x"))
    wide, start = w * 3 // 4, 20 + seed
    reach = f"min(1\\,max(0\\,(n-{start})/8))-min(1\\,max(0\\,(n-{start + 20})/8))"
    return (f"testsrc2=s={size}:r={FPS}[scene];color=c=0x181410:s={wide}x{h}:r={FPS}[shape];"
            f"[scene][shape]overlay=x='-{wide}+({reach})*{wide + w // 8}':y=0:eval=frame")


# Smooth motion of low-texture pictures: nothing but slow change, so any cut found in them is false.
# Each picture is three per-pixel expressions of X, Y and the frame number N, varied by the seed.

def _smooth(size, channels):
    r, g, b = (c.replace(",", "\\,") for c in channels)
    return f"color=s={size}:r={FPS},format=gbrp,geq=r='{r}':g='{g}':b='{b}'"


def _colours(seed, count):
    """Colours near one another (4 to 60 apart in each channel), from dark to light."""
    rng = random.Random(seed)
    base, spread = [rng.randint(10, 230) for _ in range(3)], rng.choice([4, 8, 16, 30, 60])
    return [[min(255, max(0, v + rng.randint(-spread, spread))) for v in base] for _ in range(count)]


def _turning_edge(seed):
    """A hard edge between two flat colours, turning 0.5 to 5 degrees a frame about a point near the centre."""
    rng = random.Random(seed)
    (a, b), start = _colours(seed, 2), rng.uniform(0, 6.283)
    speed = rng.choice([-1, 1]) * rng.uniform(0.009, 0.09)
    cx, cy = f"(X-W/2-{rng.randint(-20, 20)})", f"(Y-H/2-{rng.randint(-10, 10)})"
    side = f"gt({cx}*cos({start:.3f}+{speed:.4f}*N)+{cy}*sin({start:.3f}+{speed:.4f}*N),0)"
    return [f"if({side},{a[c]},{b[c]})" for c in range(3)]


def _panned_gradient(seed):
    """A long, gentle colour gradient panned sideways by 0.5 to 5 pixels a frame (of 160)."""
    rng = random.Random(seed)
    base, speed, period = _colours(seed, 1)[0], rng.choice([-1, 1]) * rng.uniform(0.5, 5), rng.uniform(60, 160)
    phases = [rng.uniform(0, 6.283) for _ in range(3)]
    return [f"clip({base[c]}+{rng.choice([3, 6, 12, 25, 50])}*sin((X+{speed:.3f}*N)/{period:.1f}+{phases[c]:.3f}),0,255)" for c in range(3)]


def _zoomed_sky(seed):
    """A sky, light at the horizon and deep above, with a soft bright sun, zoomed 0.3 to 3 % a frame."""
    rng = random.Random(seed)
    top, horizon = _colours(seed, 2)
    zoom, sx, sy = rng.uniform(0.003, 0.03), rng.uniform(0.3, 0.7), rng.uniform(0.2, 0.6)
    y = f"(H/2+(Y-H/2)/(1+{zoom:.4f}*N))/H"
    x = f"(W/2+(X-W/2)/(1+{zoom:.4f}*N))/W"
    sun = f"exp(-(pow({x}-{sx:.2f},2)+pow(({y}-{sy:.2f})*0.56,2))*60)"
    return [f"clip({top[c]}+({horizon[c]}-{top[c]})*{y}+60*{sun},0,255)" for c in range(3)]


def _smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def new_picture_dominates(kind, frames):
    """The first frame of a transition of the given kind and length, counted from its start, on
    which FFmpeg's xfade shows more of the new picture than of the old. xfade's progress falls
    from 1 to 0 over the transition; 'fade' mixes the pictures by it, and 'fadeblack' takes the
    old picture to black within the first fifth and brings the new one up from there."""
    for n in range(frames + 1):
        progress = 1 - n / frames
        if kind == "dissolve":
            old, new = progress, 1 - progress
        else:
            old = progress * _smoothstep(0.8, 1, progress)
            new = (1 - progress) * (1 - _smoothstep(0.2, 1, progress))
        if new > old:
            return n
    return frames


def build_graph(shots, transitions, flashes=()):
    """The filter graph joining the shots; returns (graph, frame count, ground-truth frames)."""
    parts = []
    for i, (_, frames) in enumerate(shots):
        parts.append(f"[{i}:v]trim=end_frame={frames},setpts=PTS-STARTPTS,format=yuv420p,settb=1/{FPS}[s{i}]")
    current, length, truth = "s0", shots[0][1], []
    for i, transition in enumerate(transitions, start=1):
        out = f"j{i}"
        if transition[0] == "cut":
            parts.append(f"[{current}][s{i}]concat=n=2:v=1:a=0,settb=1/{FPS}[{out}]")
            truth.append(length)
            length += shots[i][1]
        else:
            frames = transition[1]
            offset = length - frames
            parts.append(f"[{current}][s{i}]xfade=transition={'fade' if transition[0] == 'dissolve' else 'fadeblack'}"
                         f":duration={frames / FPS}:offset={offset / FPS}[{out}]")
            truth.append(offset + new_picture_dominates(transition[0], frames))
            length += shots[i][1] - frames
        current = out
    for first, count, *brightness in flashes:
        parts.append(f"[{current}]eq=brightness={brightness[0] if brightness else 0.7}"
                     f":enable='between(n,{first},{first + count - 1})'[f{first}]")
        current = f"f{first}"
    parts.append(f"[{current}]null[out]")
    return ";".join(parts), length, truth


def render(path, shots, transitions=(), flashes=(), extra=()):
    """Writes the film as H.264 in MP4 (faststart) and returns its ground truth."""
    graph, length, truth = build_graph(shots, transitions or [("cut",)] * (len(shots) - 1), flashes)
    args = ["ffmpeg", "-nostdin", "-loglevel", "error", "-y"]
    for text, _ in shots:
        args += ["-f", "lavfi", "-i", text]
    args += ["-filter_complex", graph, "-map", "[out]", "-frames:v", str(length), "-c:v", "libx264",
             "-preset", "ultrafast", "-g", "50", "-pix_fmt", "yuv420p", "-movflags", "+faststart", *extra, str(path)]
    subprocess.run(args, check=True)
    return {"frames": length, "fps": FPS, "cuts": truth}


def write_truth(path, truth):
    with open(path, "w") as f:
        json.dump(truth, f, indent=1, sort_keys=True)
        f.write("\n")
