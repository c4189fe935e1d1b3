# Renders short films from FFmpeg's lavfi sources with cuts, dissolves and fades at known frames.
"""Shared by tools/make-test-films and the detection benchmarks.

A film is a list of shots (lavfi source text and frame count) joined by transitions:
("cut",), ("dissolve", frames) or ("fadeblack", frames). The ground truth of each transition is
the frame that starts the new shot: the cut frame, or the middle frame of a gradual transition.
"""
import json
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
    }[kind]
    if hue:
        text += f",hue=h={hue}"
    return text


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
            truth.append(offset + frames // 2)
            length += shots[i][1] - frames
        current = out
    for first, count in flashes:
        parts.append(f"[{current}]eq=brightness=0.7:enable='between(n,{first},{first + count - 1})'[f{first}]")
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
