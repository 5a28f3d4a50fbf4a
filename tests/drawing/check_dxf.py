#!/usr/bin/env python3
"""The DXF that `tavrel-cli calc --dxf` writes, read back by a real client (Debian's python3-ezdxf).

For each example project: the file audits without error, has the six layers and the CJK text style, and its
pedestal points are the JSON's pedestal coordinates of the same run (CAD x = survey Y, CAD y = survey X) within
1e-6 m. On the curved examples the centreline and the outer deck edges are compared with `tavrel-cli stations`
sampled every 0.1 m: no station point lies a millimetre or more off the drawn polyline, its arcs (bulges) flattened
by ezdxf itself; and the arcs are arcs: a polyline has fewer vertices than metres of road it draws.

Usage: check_dxf.py TAVREL_CLI EXAMPLES_DIR. Exit status 77 (skipped) without ezdxf.
"""
import json
import math
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import ezdxf
    from ezdxf import path as ezpath
except ImportError:
    print("python3-ezdxf is not installed", file=sys.stderr)
    sys.exit(77)

cli, examples = sys.argv[1], Path(sys.argv[2])
LAYERS = ["中线", "桥面边线", "墩台轴线", "垫石", "桩号", "文字"]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def road_args(name):
    d = examples / name
    if name == "straight":
        return ["--mode", "straight", "--dl", d / "road.dl", "--zdm", d / "road.zdm", "--cg", d / "road.cg"]
    if name == "mainline":
        return ["--mode", "mainline", "--jdx", d / "road.jdx", "--dl", d / "road.dl", "--zdm", d / "road.zdm",
                "--cg", d / "road.cg"]
    return ["--mode", "interchange", "--jdx", d / "ramp.jdx", "--zdm", d / "ramp.zdm", "--cg", d / "ramp.cg"]


def run(args):
    return subprocess.run([cli] + [str(a) for a in args], check=True, capture_output=True).stdout


def off_polyline(p, points):
    """Distance of p from the polyline through points."""
    best = math.inf
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        len2 = dx * dx + dy * dy
        t = 0 if len2 == 0 else max(0.0, min(1.0, ((p[0] - ax) * dx + (p[1] - ay) * dy) / len2))
        best = min(best, math.hypot(p[0] - ax - t * dx, p[1] - ay - t * dy))
    return best


def flattened(polyline):
    """The polyline's points in CAD coordinates, its arc segments flattened to within 1e-5 m by ezdxf."""
    return [(v.x, v.y) for v in ezpath.make_path(polyline).flattening(1e-5)]


def lines_off(stations, polyline):
    """The largest distance of the stations' (y, x) points from a polyline in CAD coordinates."""
    return max(off_polyline((r["y"], r["x"]), polyline) for r in stations)


for name in ["straight", "mainline", "interchange"]:
    with tempfile.TemporaryDirectory() as tmp:
        dxf, js = Path(tmp) / "plan.dxf", Path(tmp) / "plan.json"
        run(["calc"] + road_args(name) + ["--layout", examples / name / "bridge.txt", "--json", js, "--dxf", dxf])
        result = json.loads(js.read_text(encoding="utf-8"))
        doc = ezdxf.readfile(str(dxf))
        auditor = doc.audit()
        check(not auditor.has_errors, f"{name}: audit errors {[str(e) for e in auditor.errors]}")
        check(doc.dxfversion >= "AC1021", f"{name}: version {doc.dxfversion}")
        check(doc.header.get("$INSUNITS") == 6, f"{name}: units are not metres")
        names = [layer.dxf.name for layer in doc.layers]
        for layer in LAYERS:
            check(layer in names, f"{name}: layer {layer} missing")
        check(doc.styles.has_entry("HZ"), f"{name}: no CJK text style")
        msp = doc.modelspace()
        for e in msp:
            check(e.dxf.layer in LAYERS, f"{name}: {e.dxftype()} on layer {e.dxf.layer}")
        texts = msp.query("TEXT")
        check(len(texts) > 0 and all(t.dxf.style == "HZ" for t in texts), f"{name}: texts not in style HZ")
        check(any(t.dxf.text.startswith("K") for t in texts), f"{name}: no station labels")

        # The listed pedestals (the pier's side mark), in pier and pedestal order.
        listed = []
        for pier in result["piers"]:
            for p in pier["pedestals"]:
                mark, dist = pier["sideMark"], p["distance"]
                if mark == "ZY" or (mark == "Z" and dist >= 0) or (mark == "Y" and dist <= 0):
                    listed.append(p)
        points = [e.dxf.location for e in msp.query('POINT[layer=="垫石"]')]
        check(len(points) == len(listed), f"{name}: {len(points)} pedestal points, {len(listed)} listed")
        if result["mode"] != "straight":
            worst = max(max(abs(q.x - p["y"]), abs(q.y - p["x"])) for q, p in zip(points, listed))
            check(worst <= 1e-6, f"{name}: pedestal points off the JSON by {worst} m")
            print(f"{name}: {len(points)} pedestal points, largest difference from the JSON {worst:.3g} m")

            # Centreline and outer deck edges against the station table every 0.1 m over the bridge.
            stations = [p["station"] for pier in result["piers"] for p in pier["pedestals"]]
            lo, hi = min(stations), max(stations)
            centre_line = msp.query('LWPOLYLINE[layer=="中线"]')[0]
            centre = flattened(centre_line)
            edges = [flattened(e) for e in msp.query('LWPOLYLINE[layer=="桥面边线"]')]
            drawn_length = sum(math.dist(a, b) for a, b in zip(centre, centre[1:]))
            check(len(centre_line) < drawn_length, f"{name}: {len(centre_line)} centreline vertices over "
                  f"{drawn_length:.0f} m")
            print(f"{name}: centreline of {drawn_length:.0f} m drawn with {len(centre_line)} vertices")
            cg = (examples / name / ("ramp.cg" if name == "interchange" else "road.cg")).read_bytes()
            widths = [float(v) for v in cg.decode("ascii").splitlines()[0].split(",")]
            for offset in [0.0, widths[0] + widths[1], widths[2] + widths[3]]:
                table = json.loads(run(["stations"] + road_args(name) + [
                    "--from", f"{lo:.3f}", "--to", f"{hi:.3f}", "--step", "0.1", "--offset", f"{offset}",
                    "--json", "-"]))
                drawn = [centre] if offset == 0 else edges
                off = min(lines_off(table, line) for line in drawn)
                check(off < 1e-3, f"{name}: station table at offset {offset} lies {off} m off the drawn line")
                print(f"{name}: offset {offset:6.2f}: {len(table)} station points, farthest {off * 1000:.3f} mm "
                      f"from the drawn line")

if failures:
    sys.exit(1)
print("all DXF checks passed")
