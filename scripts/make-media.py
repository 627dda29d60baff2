#!/usr/bin/env python3
"""Draws the exercise media of the built-in schemes from data/exercises/.

Each exercise file poses a simple seated figure (or just the part of it in
view) through a loop of keyframes. The figure is a small 3-D skeleton whose
limbs are spheres and capsules: under an orthographic camera the outline of
such a shape is the 2-D convex hull of circles, so Cairo can draw every limb
as a filled, anti-aliased outline, and a painter's sort by depth puts each in
front of or behind the others. That one figure covers close-ups of a hand as
well as the whole upper body from any side.

Videos are piped to ffmpeg as raw frames and stored as AVI with Cinepak, which
the Windows video device (and Wine's) plays; Cinepak keeps the thin outlines
that MS Video 1 smears at this size. Pictures are plain 24-bit BMPs for
LoadImage. The script also writes media.txt (the media names, one a
line), a contact sheet PNG with one frame of every exercise, and fails when
the media together exceed the size budget or a video does not decode.

Usage:
  make-media.py --data data --out build/windows/bin --sheet build/screenshots/exercises.png
  make-media.py --data data --out /tmp/m --only wristcircles.avi --frames /tmp/frames
"""

import argparse
import glob
import hashlib
import json
import math
import os
import struct
import subprocess
import sys
import time

from cairo_import import import_cairo

cairo = import_cairo("make-media")

WIDTH, HEIGHT = 320, 240
FPS = 12
BUDGET_BYTES = 15 * 1000 * 1000
MIN_LOOP, MAX_LOOP = 2.0, 6.0
TITLE_FILE = "title.avi"

FONT = "DejaVu Sans"

# Colours: fill and outline, 0..1.
def rgb(hex_colour):
    h = hex_colour.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


BACKGROUND = rgb("#EAF1F4")
TEXT = rgb("#2C3A47")
CUE_TEXT = rgb("#3F6E8C")
PALETTE = {
    "skin": (rgb("#F2C7A1"), rgb("#A8724E")),
    "palm": (rgb("#FADAD0"), rgb("#A8724E")),
    "nail": (rgb("#FBE3D6"), rgb("#C38F70")),
    "shirt": (rgb("#5E97C6"), rgb("#336289")),
    "blade": (rgb("#4E86B5"), rgb("#2C5679")),
    "trousers": (rgb("#58627A"), rgb("#363E52")),
    "shoes": (rgb("#4A4440"), rgb("#2A2522")),
    "hair": (rgb("#70503C"), rgb("#47301F")),
    "chair": (rgb("#C9AE8E"), rgb("#8E7152")),
    "desk": (rgb("#C4D1D9"), rgb("#8797A3")),
    "screen": (rgb("#55606B"), rgb("#2F363D")),
}
HIGHLIGHT = (rgb("#F5962F"), rgb("#B3600E"))
TRAIL = rgb("#E07B12")


# ----------------------------------------------------------------------------
# Small vector and rotation helpers (3-vectors and row-major 3x3 tuples).

def v_add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def v_sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def v_mul(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def v_dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def v_cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def v_len(a):
    return math.sqrt(v_dot(a, a))


def v_unit(a):
    n = v_len(a)
    return (a[0] / n, a[1] / n, a[2] / n) if n > 1e-9 else (0.0, 0.0, 0.0)


def m_mul(a, b):
    return tuple(tuple(sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3))
                 for i in range(3))


def m_vec(m, v):
    return (m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2])


IDENTITY = ((1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0))


def rotation(axis, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    if axis == "x":
        return ((1.0, 0.0, 0.0), (0.0, c, -s), (0.0, s, c))
    if axis == "y":
        return ((c, 0.0, s), (0.0, 1.0, 0.0), (-s, 0.0, c))
    return ((c, -s, 0.0), (s, c, 0.0), (0.0, 0.0, 1.0))


def rotation_between(a, b):
    """The rotation that turns unit vector a into unit vector b."""
    axis = v_cross(a, b)
    s, c = v_len(axis), v_dot(a, b)
    if s < 1e-9:
        return IDENTITY
    x, y, z = v_mul(axis, 1.0 / s)
    t = 1.0 - c
    return ((t * x * x + c, t * x * y - s * z, t * x * z + s * y),
            (t * x * y + s * z, t * y * y + c, t * y * z - s * x),
            (t * x * z - s * y, t * y * z + s * x, t * z * z + c))


MIRROR = ((-1.0, 0.0, 0.0), (0.0, 1.0, 0.0), (0.0, 0.0, 1.0))


# ----------------------------------------------------------------------------
# The figure. World axes: x to the viewer's right when the figure faces the
# camera, y up, z from the figure towards the viewer. "r_" is the figure's own
# right side, at negative x. Lengths are roughly centimetres (a large, friendly
# head). Each joint lists its offset in its parent's frame and its degrees of
# freedom as (name, axis, sign); the rotations apply in the order listed, the
# first outermost. Left-side joints mirror the right ones: the x rotations stay,
# the y and z rotations change sign, so a pose means the same on both sides.

SPINE_DOFS = [("bend", "x", 1), ("side", "z", 1), ("twist", "y", 1)]
FINGERS = {
    # knuckle in the wrist frame, bone lengths, spread direction, radius
    "index": ((0.0, -8.6, 2.75), (4.4, 2.6, 2.1), 1.0, 0.98),
    "middle": ((0.0, -8.9, 0.9), (4.8, 2.9, 2.2), 0.0, 1.0),
    "ring": ((0.0, -8.6, -0.95), (4.5, 2.7, 2.1), -0.6, 0.95),
    "pinky": ((0.0, -7.9, -2.7), (3.6, 2.1, 1.9), -1.25, 0.86),
}
THUMB_BASE = (0.9, -1.7, 2.5)
THUMB_LENGTHS = (4.4, 3.3, 2.7)
THUMB_REST = rotation_between((0.0, -1.0, 0.0), v_unit((0.35, -0.72, 0.6)))


def _side_joints():
    j = [
        ("r_clav", "chest", (-2.0, 17.5, 0.0), [("fwd", "y", 1), ("raise", "z", -1)], None),
        ("r_shoulder", "r_clav", (-15.5, 0.0, 0.0),
         [("flex", "x", -1), ("abd", "z", -1), ("twist", "y", 1)], None),
        ("r_elbow", "r_shoulder", (0.0, -27.0, 0.0), [("flex", "x", -1), ("twist", "y", 1)], None),
        ("r_wrist", "r_elbow", (0.0, -24.0, 0.0), [("flex", "z", 1), ("dev", "x", -1)], None),
        ("r_thumb1", "r_wrist", THUMB_BASE, [("flex", "z", 1), ("abd", "x", -1)], THUMB_REST),
        ("r_thumb2", "r_thumb1", (0.0, -THUMB_LENGTHS[0], 0.0), [("curl", "z", 1)], None),
        ("r_thumb3", "r_thumb2", (0.0, -THUMB_LENGTHS[1], 0.0), [("curl", "z", 1)], None),
        ("r_thumb4", "r_thumb3", (0.0, -THUMB_LENGTHS[2], 0.0), [], None),
        ("r_hip", "waist", (-9.0, -3.0, 0.0), [("flex", "x", -1), ("abd", "z", -1)], None),
        ("r_knee", "r_hip", (0.0, -40.0, 0.0), [("flex", "x", 1)], None),
        ("r_ankle", "r_knee", (0.0, -40.0, 0.0), [("flex", "x", -1)], None),
    ]
    for finger, (knuckle, bones, _, _) in FINGERS.items():
        j.append((f"r_{finger}1", "r_wrist", knuckle, [("curl", "z", 1), ("spread", "x", -1)], None))
        j.append((f"r_{finger}2", f"r_{finger}1", (0.0, -bones[0], 0.0), [("curl", "z", 1)], None))
        j.append((f"r_{finger}3", f"r_{finger}2", (0.0, -bones[1], 0.0), [("curl", "z", 1)], None))
        j.append((f"r_{finger}4", f"r_{finger}3", (0.0, -bones[2], 0.0), [], None))
    return j


def build_joints():
    joints = [
        ("waist", None, (0.0, 0.0, 0.0), SPINE_DOFS, None),
        ("chest", "waist", (0.0, 20.0, 0.0), SPINE_DOFS, None),
        ("neck", "chest", (0.0, 21.0, -1.0), [("bend", "x", 1), ("side", "z", 1), ("turn", "y", 1)],
         None),
        ("head", "neck", (0.0, 7.0, 0.0), [("nod", "x", 1), ("tilt", "z", 1), ("turn", "y", 1)],
         None),
    ]
    for name, parent, offset, dofs, rest in _side_joints():
        joints.append((name, parent, offset, dofs, rest))
        left_parent = "l_" + parent[2:] if parent.startswith("r_") else parent
        left_rest = m_mul(m_mul(MIRROR, rest), MIRROR) if rest else None
        joints.append(("l_" + name[2:], left_parent, (-offset[0], offset[1], offset[2]),
                       [(d, a, s if a == "x" else -s) for d, a, s in dofs], left_rest))
    return joints


JOINTS = build_joints()
JOINT_NAMES = {j[0] for j in JOINTS}
DOFS = {f"{name}.{d}" for name, _, _, dofs, _ in JOINTS for d, _, _ in dofs}


class Shape:
    """Spheres fixed in joint frames; drawn as the outline of their hull."""

    def __init__(self, tags, colour, spheres, bias=0.0, kind=None):
        self.tags = tags
        self.colour = colour
        self.spheres = spheres  # [(joint, offset, radius)]
        self.bias = bias
        self.kind = kind


def _mirror_spheres(spheres):
    out = []
    for joint, offset, radius in spheres:
        if joint.startswith("r_"):
            joint = "l_" + joint[2:]
        out.append((joint, (-offset[0], offset[1], offset[2]), radius))
    return out


def _side_shapes():
    o = (0.0, 0.0, 0.0)
    shapes = [
        # The shoulder itself, drawn only while it is marked.
        Shape({"shoulder", "shoulders"}, "shirt", [("r_shoulder", (0.8, 0.6, 0.0), 6.4)], bias=1.5,
              kind="cap"),
        Shape({"upperarm", "arm", "arms"}, "shirt",
              [("r_shoulder", (0.0, -1.0, 0.0), 5.6), ("r_elbow", o, 4.5)]),
        Shape({"forearm", "arm", "arms", "forearms"}, "skin",
              [("r_elbow", o, 3.9), ("r_wrist", o, 2.7)]),
        Shape({"palm", "hand", "arm", "hands"}, "skin",
              [("r_wrist", (0.2, -0.9, 1.9), 1.9), ("r_wrist", (0.2, -0.9, -1.7), 1.9),
               ("r_wrist", (0.1, -8.4, 2.6), 1.25), ("r_wrist", (0.1, -7.9, -2.55), 1.2),
               ("r_wrist", (0.6, -3.2, 2.6), 1.6)], kind="palm"),
        Shape({"ear", "head"}, "skin", [("head", (-10.0, 8.5, 0.5), 2.4)]),
        Shape({"blade", "shoulders", "blades"}, "blade",
              [("r_clav", (-8.5, -7.5, -9.6), 2.4), ("r_clav", (-3.5, -8.0, -9.8), 2.2),
               ("r_clav", (-5.0, -15.5, -9.0), 1.8)], bias=1.0),
        Shape({"thigh", "leg", "legs"}, "trousers", [("r_hip", o, 8.5), ("r_knee", o, 6.3)]),
        Shape({"shin", "leg", "legs"}, "trousers", [("r_knee", o, 5.8), ("r_ankle", o, 4.3)]),
        Shape({"foot", "leg", "legs"}, "shoes",
              [("r_ankle", (0.0, -1.5, 0.0), 3.8), ("r_ankle", (0.0, -3.0, 10.0), 3.4)]),
    ]
    for finger, (_, _, _, radius) in FINGERS.items():
        tags = {finger, "fingers", "hand", "arm", "hands"}
        shapes.append(Shape(tags, "skin", [(f"r_{finger}1", o, radius),
                                           (f"r_{finger}2", o, radius * 0.95)]))
        shapes.append(Shape(tags, "skin", [(f"r_{finger}2", o, radius * 0.95),
                                           (f"r_{finger}3", o, radius * 0.88)]))
        shapes.append(Shape(tags, "skin", [(f"r_{finger}3", o, radius * 0.88),
                                           (f"r_{finger}4", (0.0, radius * 0.8, 0.0), radius * 0.82)]))
        shapes.append(Shape(tags, "nail", [(f"r_{finger}3", (-0.42 * radius, -1.3, 0.0),
                                            0.5 * radius)], bias=0.6, kind="nail"))
    tags = {"thumb", "fingers", "hand", "arm", "hands"}
    shapes.append(Shape(tags, "skin", [("r_thumb1", o, 1.55), ("r_thumb2", o, 1.2)]))
    shapes.append(Shape(tags, "skin", [("r_thumb2", o, 1.2), ("r_thumb3", o, 1.1)]))
    shapes.append(Shape(tags, "skin", [("r_thumb3", o, 1.1), ("r_thumb4", (0.0, 0.9, 0.0), 1.0)]))
    return shapes


def fringe():
    """Hair over the forehead: small spheres sunk into the top of the head along
    an arc, so that the outline follows the skull from any side."""
    centre = (0.0, 9.0, 1.0)
    spheres = []
    for azimuth in (-62, -38, -14, 14, 38, 62):
        a = math.radians(azimuth)
        e = math.radians(50 - abs(azimuth) * 0.25)
        d = (math.sin(a) * math.cos(e), math.sin(e), math.cos(a) * math.cos(e))
        spheres.append(("head", v_add(centre, v_mul(d, 8.6)), 2.4))
    spheres.append(("head", v_add(centre, (0.0, 8.4, -1.0)), 2.8))
    return spheres


def build_shapes():
    o = (0.0, 0.0, 0.0)
    shapes = [
        Shape({"hips", "body"}, "trousers",
              [("waist", (0.0, 1.0, -1.0), 11.0), ("r_hip", o, 9.0), ("l_hip", o, 9.0)], bias=-4.0),
        Shape({"torso", "body", "back"}, "shirt",
              [("waist", (0.0, 5.0, 0.0), 11.0), ("chest", (-7.0, 7.0, 0.0), 10.5),
               ("chest", (7.0, 7.0, 0.0), 10.5), ("r_shoulder", (2.5, 0.5, 0.0), 6.0),
               ("l_shoulder", (-2.5, 0.5, 0.0), 6.0), ("neck", (0.0, 0.0, 0.0), 6.5)]),
        Shape({"neck", "head"}, "skin", [("neck", o, 4.4), ("head", (0.0, 1.5, 0.0), 4.4)],
              bias=-3.0),
        Shape({"head", "face"}, "skin", [("head", (0.0, 9.0, 1.0), 10.0)], kind="head"),
        Shape({"hair", "head"}, "hair", [("head", (0.0, 10.6, -1.4), 10.6)], bias=-1.0),
        Shape({"hair", "head"}, "hair", fringe(), bias=0.5),
        Shape({"nose", "head", "face"}, "skin", [("head", (0.0, 7.4, 11.0), 1.5)]),
    ]
    for shape in _side_shapes():
        shapes.append(Shape({"r_" + t for t in shape.tags} | shape.tags, shape.colour,
                            shape.spheres, shape.bias, shape.kind))
        shapes.append(Shape({"l_" + t for t in shape.tags} | shape.tags, shape.colour,
                            _mirror_spheres(shape.spheres), shape.bias, shape.kind))
    return shapes


SHAPES = build_shapes()
ALL_TAGS = set().union(*(s.tags for s in SHAPES))

# Pose keys beyond the joints' own: whole-finger and whole-hand curls, the
# thumb's reach towards a fingertip, the eyes, highlight amounts.
FINGER_CURL_SHARE = (1.0, 1.1, 0.8)
THUMB_TARGETS = ("index", "middle", "ring", "pinky", "fist")
EXTRA_KEYS = {"eyes.x", "eyes.y", "eyes.lid", "mouth.smile"}


def expand_pose(pose):
    """Per-dof angles from the keys of an exercise file (sides and composites)."""
    dof = {}
    extra = {}

    def put(key, value):
        dof[key] = dof.get(key, 0.0) + value

    for key, value in pose.items():
        name, _, what = key.partition(".")
        if name in JOINT_NAMES and f"{name}.{what}" in DOFS:
            put(key, value)
            if what == "raise" and name.endswith("clav"):
                # A shrug lifts the shoulder, not the arm: the arm keeps hanging.
                put(name[:2] + "shoulder.abd", -value)
            continue
        if name in ("hl", "arrow") or key in EXTRA_KEYS or ".reach_" in key:
            extra[key] = value
            continue
        sides = [name[:2]] if name[:2] in ("r_", "l_") else ["r_", "l_"]
        bare = name[2:] if name[:2] in ("r_", "l_") else name
        for side in sides:
            if f"{side}{bare}.{what}" in DOFS:
                put(f"{side}{bare}.{what}", value)
                if bare == "clav" and what == "raise":
                    put(f"{side}shoulder.abd", -value)
            elif bare == "fingers" and what in ("curl", "spread"):
                for finger, (_, _, spread, _) in FINGERS.items():
                    if what == "curl":
                        for i, share in enumerate(FINGER_CURL_SHARE):
                            put(f"{side}{finger}{i + 1}.curl", value * share)
                    else:
                        put(f"{side}{finger}1.spread", value * spread)
            elif bare in FINGERS and what == "curl":
                for i, share in enumerate(FINGER_CURL_SHARE):
                    put(f"{side}{bare}{i + 1}.curl", value * share)
            elif bare == "thumb" and what.startswith("reach_") and what[6:] in THUMB_TARGETS:
                extra[f"{side}thumb.{what}"] = extra.get(f"{side}thumb.{what}", 0.0) + value
            else:
                raise ValueError(f"unknown pose key {key!r}")
    return dof, extra


def check_pose_key(key):
    if key.startswith("hl."):
        if key[3:] not in ALL_TAGS:
            raise ValueError(f"highlight of unknown part {key[3:]!r}")
        return
    expand_pose({key: 0.0})


def solve_skeleton(dof):
    """World position and rotation of every joint."""
    pos, rot = {}, {}
    for name, parent, offset, dofs, rest in JOINTS:
        local = rest or IDENTITY
        for d, axis, sign in dofs:
            angle = dof.get(f"{name}.{d}", 0.0)
            if angle:
                local = m_mul(local, rotation(axis, sign * angle))
        if parent is None:
            pos[name], rot[name] = offset, local
        else:
            pos[name] = v_add(pos[parent], m_vec(rot[parent], offset))
            rot[name] = m_mul(rot[parent], local)
    return pos, rot


def place_thumbs(pos, rot, extra):
    """Bends each thumb towards its reach target with a two-bone solve.

    The thumb always goes through the solve, even at rest, so that a reach
    that starts from zero moves it smoothly."""
    for side in ("r_", "l_"):
        mirror = -1.0 if side == "l_" else 1.0
        base, mcp_fk, tip_fk = pos[side + "thumb1"], pos[side + "thumb2"], pos[side + "thumb4"]
        palm_normal = m_vec(rot[side + "wrist"], (mirror, 0.0, 0.0))
        target = tip_fk
        for what in THUMB_TARGETS:
            weight = extra.get(f"{side}thumb.reach_{what}", 0.0)
            if not weight:
                continue
            if what == "fist":
                # Across the middle bones of index and middle finger.
                goal = v_add(v_mul(v_add(pos[side + "index2"], pos[side + "middle2"]), 0.5),
                             v_mul(palm_normal, 2.2))
            else:
                pad = v_mul(palm_normal, 0.9)
                goal = v_add(v_mul(v_add(pos[f"{side}{what}3"], pos[f"{side}{what}4"]), 0.5), pad)
                goal = v_add(goal, v_mul(v_sub(pos[f"{side}{what}4"], pos[f"{side}{what}3"]), 0.3))
            target = v_add(target, v_mul(v_sub(goal, tip_fk), weight))
        a = THUMB_LENGTHS[0]
        b = THUMB_LENGTHS[1] + THUMB_LENGTHS[2]
        to_target = v_sub(target, base)
        d = max(abs(a - b) + 0.05, min(v_len(to_target), a + b - 0.05))
        u = v_unit(to_target)
        pole = v_sub(mcp_fk, base)
        if v_len(v_sub(pole, v_mul(u, v_dot(pole, u)))) < 1e-3:
            pole = palm_normal  # a straight thumb bends towards the palm
        pole = v_unit(v_sub(pole, v_mul(u, v_dot(pole, u))))
        cos_a = (a * a + d * d - b * b) / (2 * a * d)
        sin_a = math.sqrt(max(0.0, 1.0 - cos_a * cos_a))
        mcp = v_add(base, v_add(v_mul(u, a * cos_a), v_mul(pole, a * sin_a)))
        tip = v_add(base, v_mul(u, d))
        along = v_sub(tip, mcp)
        ip = v_add(mcp, v_mul(along, THUMB_LENGTHS[1] / b))
        ip = v_add(ip, v_mul(pole, 0.35))
        pos[side + "thumb2"], pos[side + "thumb3"], pos[side + "thumb4"] = mcp, ip, tip
        # Orient the last bones along the solved chain, so offsets stay on the thumb.
        for j, a_pt, b_pt in (("thumb2", mcp, ip), ("thumb3", ip, tip), ("thumb4", ip, tip)):
            old_axis = m_vec(rot[side + j], (0.0, -1.0, 0.0))
            turn = rotation_between(old_axis, v_unit(v_sub(b_pt, a_pt)))
            rot[side + j] = m_mul(turn, rot[side + j])


# ----------------------------------------------------------------------------
# Keyframes and timing.

def ease(u):
    return 0.5 - 0.5 * math.cos(math.pi * u)


class Motion:
    """The pose at any time of a looping exercise."""

    def __init__(self, exercise):
        self.loop = float(exercise.get("loop", 0.0)) or 1.0
        base = exercise.get("base", {})
        frames = exercise.get("keyframes") or [{"t": 0.0}]
        self.times = []
        self.poses = []
        self.cues = []
        previous = dict(base)
        cue = ""
        for kf in frames:
            pose = dict(previous) if kf.get("same") else dict(base)
            pose.update(kf.get("pose", {}))
            previous = pose
            cue = kf.get("cue", cue)
            self.times.append(float(kf["t"]))
            self.poses.append(pose)
            self.cues.append(cue)
        if len(self.times) > 1 and self.times[-1] >= self.loop:
            raise ValueError("keyframe times must lie within the loop")
        if self.times != sorted(self.times) or self.times[0] != 0.0:
            raise ValueError("keyframes must start at 0 and be in time order")
        self.keys = sorted(set().union(*(p.keys() for p in self.poses)))
        self.spline = exercise.get("interpolation", "ease") == "spline"
        for key in self.keys:
            check_pose_key(key)

    def _value(self, pose, key):
        return float(pose.get(key, 0.0))

    def at(self, t):
        """(pose dict, cue) at time t, looping."""
        n = len(self.times)
        if n == 1:
            return dict(self.poses[0]), self.cues[0]
        t = t % self.loop
        i = max(k for k in range(n) if self.times[k] <= t)
        j = (i + 1) % n
        t0 = self.times[i]
        t1 = self.times[j] if j else self.loop
        u = (t - t0) / (t1 - t0)
        out = {}
        for key in self.keys:
            p0 = self._value(self.poses[i], key)
            p1 = self._value(self.poses[j], key)
            if self.spline:
                # Periodic Catmull-Rom through the keyframes: circles keep moving.
                h = (i - 1) % n
                k = (j + 1) % n
                th = self.times[h] - (self.loop if h > i else 0.0)
                tk = self.times[k] + (self.loop if k <= i else 0.0)
                t1k = t1
                m0 = (p1 - self._value(self.poses[h], key)) / (t1k - th) * (t1 - t0)
                m1 = (self._value(self.poses[k], key) - p0) / (tk - t0) * (t1 - t0)
                u2, u3 = u * u, u * u * u
                out[key] = ((2 * u3 - 3 * u2 + 1) * p0 + (u3 - 2 * u2 + u) * m0
                            + (-2 * u3 + 3 * u2) * p1 + (u3 - u2) * m1)
            else:
                out[key] = p0 + (p1 - p0) * ease(u)
        return out, self.cues[i]


# ----------------------------------------------------------------------------
# Camera and drawing.

class Camera:
    def __init__(self, settings, target_point):
        self.rot = m_mul(rotation("x", settings.get("pitch", 0.0)), rotation("y", -settings.get("yaw", 0.0)))
        self.target = target_point
        self.zoom = settings.get("zoom", 2.4)
        self.cx = WIDTH / 2 + settings.get("shift", [0, 0])[0]
        self.cy = HEIGHT / 2 + settings.get("shift", [0, 0])[1]

    def view(self, p):
        return m_vec(self.rot, v_sub(p, self.target))

    def project(self, p):
        c = self.view(p)
        return (self.cx + c[0] * self.zoom, self.cy - c[1] * self.zoom, c[2])


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hull(points):
    points = sorted(set(points))
    if len(points) <= 2:
        return points

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def circles_path(ctx, circles):
    """Outline of the convex hull of 2-D circles [(x, y, r)]."""
    if len(circles) == 1:
        x, y, r = circles[0]
        ctx.new_path()
        ctx.arc(x, y, r, 0, 2 * math.pi)
        ctx.close_path()
        return
    pts = []
    for x, y, r in circles:
        n = max(20, min(72, int(r * 1.6)))
        for k in range(n):
            a = 2 * math.pi * k / n
            pts.append((round(x + r * math.cos(a), 3), round(y + r * math.sin(a), 3)))
    outline = hull(pts)
    ctx.new_path()
    ctx.move_to(*outline[0])
    for p in outline[1:]:
        ctx.line_to(*p)
    ctx.close_path()


def fill_and_outline(ctx, colours, width=1.5):
    fill, line = colours
    ctx.set_source_rgb(*fill)
    ctx.fill_preserve()
    ctx.set_source_rgb(*line)
    ctx.set_line_width(width)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()


def shape_colours(shape, highlight, facing_palm):
    name = shape.colour
    if shape.kind == "palm" and facing_palm:
        name = "palm"
    fill, line = PALETTE[name]
    # A face or hair in the highlight colour looks ill, and a whole shirt in it
    # swamps the picture: those only glow.
    if highlight > 0.0 and not shape.tags & {"face", "hair", "ear", "torso", "hips"}:
        fill = mix(fill, HIGHLIGHT[0], highlight)
        line = mix(line, HIGHLIGHT[1], highlight)
    return fill, line


def draw_eye(ctx, cam, centre, normal, right, up, zoom, gaze, lid):
    """An eye on the head's surface: white, iris following the gaze, upper lid."""
    n = m_vec(cam.rot, normal)
    if n[2] < 0.2:
        return
    sx, sy, _ = cam.project(centre)
    r_cam = m_vec(cam.rot, right)
    u_cam = m_vec(cam.rot, up)
    roll = math.atan2(-r_cam[1], r_cam[0])
    squash_x = max(0.25, math.sqrt(max(0.0, 1.0 - r_cam[2] ** 2)))
    squash_y = max(0.25, math.sqrt(max(0.0, 1.0 - u_cam[2] ** 2)))
    rx, ry = 2.5 * zoom * squash_x, 1.75 * zoom * squash_y
    ctx.save()
    ctx.translate(sx, sy)
    ctx.rotate(roll)
    outline = PALETTE["skin"][1]
    if lid < 0.97:
        ctx.save()
        ctx.scale(rx, ry)
        ctx.arc(0, 0, 1, 0, 2 * math.pi)
        ctx.restore()
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill_preserve()
        ctx.save()
        ctx.clip()
        # Iris and pupil, moved towards the gaze.
        ix = gaze[0] * 1.15 * zoom * squash_x
        iy = -gaze[1] * 0.75 * zoom
        ctx.arc(ix, iy, 1.3 * zoom, 0, 2 * math.pi)
        ctx.set_source_rgb(*rgb("#5B7F4E"))
        ctx.fill()
        ctx.arc(ix, iy, 0.62 * zoom, 0, 2 * math.pi)
        ctx.set_source_rgb(*rgb("#1E2328"))
        ctx.fill()
        ctx.arc(ix + 0.35 * zoom, iy - 0.4 * zoom, 0.22 * zoom, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
        # The upper lid comes down over the eye.
        edge = -ry + 2 * ry * lid
        ctx.rectangle(-rx - 2, -ry - 2, 2 * rx + 4, edge + ry + 2)
        ctx.set_source_rgb(*PALETTE["skin"][0])
        ctx.fill()
        ctx.restore()
        ctx.save()
        ctx.scale(rx, ry)
        ctx.arc(0, 0, 1, 0, 2 * math.pi)
        ctx.restore()
        ctx.set_source_rgb(*outline)
        ctx.set_line_width(max(1.0, 0.18 * zoom))
        ctx.stroke()
        if lid > 0.03:
            # The lid's edge, as a line across the eye.
            half = rx * math.sqrt(max(0.0, 1.0 - (edge / ry) ** 2))
            ctx.move_to(-half, edge)
            ctx.line_to(half, edge)
            ctx.set_source_rgb(*rgb("#3A2A20"))
            ctx.set_line_width(max(1.2, 0.3 * zoom))
            ctx.stroke()
    else:
        # Closed: a soft downward curve with lashes.
        ctx.move_to(-rx, 0)
        ctx.curve_to(-rx * 0.5, ry * 0.9, rx * 0.5, ry * 0.9, rx, 0)
        ctx.set_source_rgb(*rgb("#3A2A20"))
        ctx.set_line_width(max(1.2, 0.3 * zoom))
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.stroke()
    ctx.restore()


def draw_face(ctx, cam, pos, rot, extra, zoom):
    head_rot = rot["head"]
    centre = v_add(pos["head"], m_vec(head_rot, (0.0, 9.0, 1.0)))
    right = m_vec(head_rot, (1.0, 0.0, 0.0))
    up = m_vec(head_rot, (0.0, 1.0, 0.0))
    gaze = (extra.get("eyes.x", 0.0), extra.get("eyes.y", 0.0))
    lid = min(1.0, max(0.0, extra.get("eyes.lid", 0.12)))

    def on_surface(dx, dy):
        local = v_unit((dx, dy, math.sqrt(max(0.0, 100.0 - dx * dx - dy * dy))))
        return v_add(centre, m_vec(head_rot, v_mul(local, 10.0))), m_vec(head_rot, local)

    for side in (-1, 1):
        p, n = on_surface(3.7 * side, 1.0)
        draw_eye(ctx, cam, p, n, right, up, zoom, gaze, lid)
        # Brow.
        p, n = on_surface(3.7 * side, 4.3)
        if m_vec(cam.rot, n)[2] > 0.2:
            a = cam.project(v_add(p, v_mul(right, -1.9)))
            b = cam.project(v_add(p, v_mul(right, 1.9)))
            m = cam.project(v_add(p, v_mul(up, 0.6)))
            ctx.move_to(a[0], a[1])
            ctx.curve_to(m[0], m[1], m[0], m[1], b[0], b[1])
            ctx.set_source_rgb(*PALETTE["hair"][1])
            ctx.set_line_width(max(1.2, 0.45 * zoom))
            ctx.set_line_cap(cairo.LINE_CAP_ROUND)
            ctx.stroke()
    p, n = on_surface(0.0, -4.6)
    if m_vec(cam.rot, n)[2] > 0.2:
        smile = extra.get("mouth.smile", 1.0)
        a = cam.project(v_add(p, v_mul(right, -2.2)))
        b = cam.project(v_add(p, v_mul(right, 2.2)))
        m = cam.project(v_add(p, v_mul(up, -1.2 * smile)))
        ctx.move_to(a[0], a[1])
        ctx.curve_to(m[0], m[1], m[0], m[1], b[0], b[1])
        ctx.set_source_rgb(*rgb("#9C4A3C"))
        ctx.set_line_width(max(1.2, 0.35 * zoom))
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.stroke()


def box_faces(lo, hi):
    (x0, y0, z0), (x1, y1, z1) = lo, hi
    c = [(x, y, z) for x in (x0, x1) for y in (y0, y1) for z in (z0, z1)]
    # Corner index bits: x<<2 | y<<1 | z; normal, corners in order, shade.
    return [
        ((0, 1, 0), (c[2], c[3], c[7], c[6]), 1.08),
        ((0, -1, 0), (c[0], c[4], c[5], c[1]), 0.8),
        ((0, 0, 1), (c[1], c[5], c[7], c[3]), 0.94),
        ((0, 0, -1), (c[0], c[2], c[6], c[4]), 0.94),
        ((1, 0, 0), (c[4], c[6], c[7], c[5]), 0.88),
        ((-1, 0, 0), (c[0], c[1], c[3], c[2]), 0.88),
    ]


def draw_box(ctx, cam, prop):
    lo, hi = prop["box"]
    fill, line = PALETTE[prop.get("colour", "desk")]
    for normal, corners, shade in box_faces(lo, hi):
        if m_vec(cam.rot, normal)[2] <= 1e-6:
            continue
        pts = [cam.project(p) for p in corners]
        ctx.move_to(pts[0][0], pts[0][1])
        for p in pts[1:]:
            ctx.line_to(p[0], p[1])
        ctx.close_path()
        fill_and_outline(ctx, (tuple(min(1.0, c * shade) for c in fill), line), 1.2)


def arrow_head(ctx, tip, direction, size, colour):
    dx, dy = direction
    n = math.hypot(dx, dy)
    if n < 1e-6:
        return
    dx, dy = dx / n, dy / n
    ctx.move_to(tip[0], tip[1])
    ctx.line_to(tip[0] - size * dx - size * 0.6 * dy, tip[1] - size * dy + size * 0.6 * dx)
    ctx.line_to(tip[0] - size * dx + size * 0.6 * dy, tip[1] - size * dy - size * 0.6 * dx)
    ctx.close_path()
    ctx.set_source_rgb(*colour)
    ctx.fill()


def draw_arrow(ctx, arrow, pose=None):
    """A fixed arrow in frame coordinates: a straight one or an arc, one or two heads.
    A named arrow shows as strongly as the pose's "arrow.<name>" says."""
    ctx.save()
    if "name" in arrow:
        strength = (pose or {}).get("arrow." + arrow["name"], 0.0)
        if strength < 0.02:
            ctx.restore()
            return
        ctx.push_group()
    ctx.set_line_width(arrow.get("width", 3.0))
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    colour = TRAIL
    size = arrow.get("head", 9.0)
    both = arrow.get("both", False)
    if "arc" in arrow:
        cx, cy, r, a0, a1 = arrow["arc"]
        sweep = math.radians(a1 - a0)
        back = size * 0.8 / r * (1 if sweep > 0 else -1)
        start = math.radians(a0) + (back if both else 0.0)
        end = math.radians(a1) - back
        if sweep > 0:
            ctx.arc(cx, cy, r, start, end)
        else:
            ctx.arc_negative(cx, cy, r, start, end)
        ctx.set_source_rgb(*colour)
        ctx.stroke()
        for angle, sign in ((math.radians(a1), 1),) + (((math.radians(a0), -1),) if both else ()):
            tip = (cx + r * math.cos(angle), cy + r * math.sin(angle))
            d = (-math.sin(angle), math.cos(angle))
            s = sign * (1 if sweep > 0 else -1)
            arrow_head(ctx, tip, (d[0] * s, d[1] * s), size, colour)
    else:
        (x0, y0), (x1, y1) = arrow["line"]
        d = (x1 - x0, y1 - y0)
        n = math.hypot(*d)
        ux, uy = d[0] / n, d[1] / n
        sx, sy = (x0 + ux * size * 0.8, y0 + uy * size * 0.8) if both else (x0, y0)
        ctx.move_to(sx, sy)
        ctx.line_to(x1 - ux * size * 0.8, y1 - uy * size * 0.8)
        ctx.set_source_rgb(*colour)
        ctx.stroke()
        arrow_head(ctx, (x1, y1), d, size, colour)
        if both:
            arrow_head(ctx, (x0, y0), (-d[0], -d[1]), size, colour)
    if "name" in arrow:
        ctx.pop_group_to_source()
        ctx.paint_with_alpha(min(1.0, strength))
    ctx.restore()


def draw_scenery(ctx, item, cam, pos, rot):
    kind = item["kind"]
    if kind == "window":
        x, y, w, h = item["rect"]
        ctx.rectangle(x, y, w, h)
        ctx.set_source_rgb(*rgb("#CFE8F7"))
        ctx.fill()
        ctx.save()
        ctx.rectangle(x, y, w, h)
        ctx.clip()
        ctx.arc(x + w * 0.72, y + h * 0.28, h * 0.1, 0, 2 * math.pi)
        ctx.set_source_rgb(*rgb("#FFE08A"))
        ctx.fill()
        ctx.move_to(x, y + h * 0.78)
        ctx.curve_to(x + w * 0.25, y + h * 0.52, x + w * 0.45, y + h * 0.62, x + w * 0.6, y + h * 0.66)
        ctx.curve_to(x + w * 0.78, y + h * 0.48, x + w * 0.9, y + h * 0.55, x + w, y + h * 0.6)
        ctx.line_to(x + w, y + h)
        ctx.line_to(x, y + h)
        ctx.close_path()
        ctx.set_source_rgb(*rgb("#9CC79A"))
        ctx.fill()
        ctx.move_to(x, y + h * 0.9)
        ctx.curve_to(x + w * 0.4, y + h * 0.74, x + w * 0.7, y + h * 0.86, x + w, y + h * 0.8)
        ctx.line_to(x + w, y + h)
        ctx.line_to(x, y + h)
        ctx.close_path()
        ctx.set_source_rgb(*rgb("#7FB07C"))
        ctx.fill()
        ctx.restore()
        ctx.rectangle(x, y, w, h)
        ctx.move_to(x + w / 2, y)
        ctx.line_to(x + w / 2, y + h)
        ctx.set_source_rgb(*rgb("#FFFFFF"))
        ctx.set_line_width(4)
        ctx.stroke()
        ctx.rectangle(x - 2, y - 2, w + 4, h + 4)
        ctx.set_source_rgb(*rgb("#A9B7C0"))
        ctx.set_line_width(1.2)
        ctx.stroke()
    elif kind == "sightline":
        head = v_add(pos["head"], m_vec(rot["head"], (0.0, 10.0, 10.0)))
        sx, sy, _ = cam.project(head)
        tx, ty = item["to"]
        ctx.save()
        ctx.set_dash([5, 5])
        ctx.set_line_width(2)
        ctx.move_to(sx + 6, sy)
        ctx.line_to(tx, ty)
        ctx.set_source_rgb(*TRAIL)
        ctx.stroke()
        ctx.restore()
        arrow_head(ctx, (tx, ty), (tx - sx, ty - sy), 9, TRAIL)
    elif kind == "plumbline":
        # A vertical line through a joint: the line that ear, shoulder and hip share.
        x0 = x1 = cam.project(pos[item["joint"]])[0]
        y0, y1 = item["from"], item["to"]
        ctx.save()
        ctx.set_dash([6, 4])
        ctx.set_line_width(2)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.set_source_rgb(*TRAIL)
        ctx.stroke()
        ctx.restore()
    elif kind == "text":
        draw_text(ctx, item["text"], item["at"][0], item["at"][1], item.get("size", 12),
                  CUE_TEXT, bold=False)
    elif kind == "arrow":
        draw_arrow(ctx, item)
    else:
        raise ValueError(f"unknown scenery {kind!r}")


def draw_text(ctx, text, x, y, size, colour, bold=True, centre=True):
    ctx.select_font_face(FONT, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    left = x - ext.width / 2 - ext.x_bearing if centre else x
    # A halo in the background colour keeps text readable over the figure.
    ctx.move_to(left, y)
    ctx.text_path(text)
    ctx.set_source_rgb(*BACKGROUND)
    ctx.set_line_width(3.0)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()
    ctx.move_to(left, y)
    ctx.set_source_rgb(*colour)
    ctx.show_text(text)


class Scene:
    """Everything that stays the same through an exercise's frames."""

    def __init__(self, exercise):
        self.exercise = exercise
        self.motion = Motion(exercise)
        show = set(exercise.get("show", [])) or None
        hide = set(exercise.get("hide", []))
        for tag in (show or set()) | hide:
            if tag not in ALL_TAGS:
                raise ValueError(f"unknown part {tag!r}")
        self.shapes = [s for s in SHAPES
                       if (show is None or s.tags & show) and not (s.tags & hide)]
        camera = exercise.get("camera", {})
        pose0, _ = self.motion.at(0.0)
        pos, rot, _ = self.solve(pose0)
        target = camera.get("target", "chest")
        if isinstance(target, str):
            point = pos[target]
        else:
            point = tuple(target)
        self.camera = Camera(camera, point)
        self.highlight = {tag: 1.0 for tag in exercise.get("highlight", [])}
        for tag in self.highlight:
            if tag not in ALL_TAGS:
                raise ValueError(f"highlight of unknown part {tag!r}")
        self.trails = []
        for trail in exercise.get("trail", []):
            if trail["joint"] not in JOINT_NAMES:
                raise ValueError(f"trail of unknown joint {trail['joint']!r}")
            self.trails.append((trail, self.trail_path(trail)))

    def solve(self, pose):
        """Joint positions and rotations, and the pose values that are no angles."""
        dof, extra = expand_pose({k: v for k, v in pose.items() if not k.startswith("hl.")})
        pos, rot = solve_skeleton(dof)
        place_thumbs(pos, rot, extra)
        return pos, rot, extra

    def trail_point(self, trail, pose, pos, rot):
        offset = tuple(trail.get("offset", (0.0, 0.0, 0.0)))
        if "gaze" in trail:
            # Where the eyes look: a point in front of the face, moved with the gaze.
            reach = trail["gaze"]
            offset = v_add(offset, (pose.get("eyes.x", 0.0) * reach, pose.get("eyes.y", 0.0) * reach,
                                    0.0))
        p = v_add(pos[trail["joint"]], m_vec(rot[trail["joint"]], offset))
        return self.camera.project(p)[:2]

    def trail_path(self, trail):
        samples = 72
        path = []
        for k in range(samples):
            pose, _ = self.motion.at(self.motion.loop * k / samples)
            pos, rot, _ = self.solve(pose)
            path.append(self.trail_point(trail, pose, pos, rot))
        return path

    def render(self, ctx, t, title=True):
        pose, cue = self.motion.at(t)
        pos, rot, extra = self.solve(pose)
        highlight = dict(self.highlight)
        for key, value in pose.items():
            if key.startswith("hl."):
                highlight[key[3:]] = max(highlight.get(key[3:], 0.0), value)
        cam = self.camera
        ctx.set_source_rgb(*BACKGROUND)
        ctx.paint()
        for item in self.exercise.get("scenery", []):
            if item.get("layer", "back") == "back":
                draw_scenery(ctx, item, cam, pos, rot)
        items = []
        for prop in self.exercise.get("props", []):
            centre = v_mul(v_add(tuple(prop["box"][0]), tuple(prop["box"][1])), 0.5)
            depth = -1e9 if prop.get("layer") == "back" else cam.view(centre)[2] + prop.get("bias", 0)
            items.append((depth, "box", prop))
        palm_facing = {}
        for side, sign in (("r_", 1.0), ("l_", -1.0)):
            normal = m_vec(rot[side + "wrist"], (sign, 0.0, 0.0))
            palm_facing[side] = m_vec(cam.rot, normal)[2] > 0.0
        for shape in self.shapes:
            if shape.kind == "nail":
                # A nail shows only on the back of its finger, facing the camera.
                joint, offset, _ = shape.spheres[0]
                back = m_vec(rot[joint], (math.copysign(1.0, offset[0]), 0.0, 0.0))
                if m_vec(cam.rot, back)[2] < 0.25:
                    continue
            circles = []
            depth = 0.0
            for joint, offset, radius in shape.spheres:
                p = v_add(pos[joint], m_vec(rot[joint], offset))
                x, y, z = cam.project(p)
                circles.append((x, y, radius * cam.zoom))
                depth += z
            depth = depth / len(circles) + shape.bias
            items.append((depth, "shape", (shape, circles)))
        items.sort(key=lambda item: item[0])
        for depth, what, payload in items:
            if what == "box":
                draw_box(ctx, cam, payload)
                if payload.get("shadow"):
                    self.draw_shadows(ctx, payload["box"][1][1], pos, rot)
                continue
            shape, circles = payload
            h = max([highlight.get(tag, 0.0) for tag in shape.tags] + [0.0])
            if shape.kind == "cap" and h < 0.02:
                continue
            side = "l_" if any(t.startswith("l_") for t in shape.tags) else "r_"
            if h > 0.02 and shape.kind != "nail":
                circles_path(ctx, circles)
                ctx.set_source_rgba(*HIGHLIGHT[0], 0.35 * h)
                ctx.set_line_width(7.0)
                ctx.set_line_join(cairo.LINE_JOIN_ROUND)
                ctx.stroke()
            circles_path(ctx, circles)
            width = 1.2 if shape.kind == "nail" else 1.5
            fill_and_outline(ctx, shape_colours(shape, h, palm_facing[side]), width)
            if shape.kind == "head":
                draw_face(ctx, cam, pos, rot, extra, cam.zoom)
        for item in self.exercise.get("scenery", []):
            if item.get("layer") == "front":
                draw_scenery(ctx, item, cam, pos, rot)
        for trail, path in self.trails:
            self.draw_trail(ctx, trail, path, t)
        for arrow in self.exercise.get("arrows", []):
            draw_arrow(ctx, arrow, pose)
        if title:
            text = self.exercise.get("caption", self.exercise["title"])
            draw_text(ctx, text, WIDTH / 2, 24, self.exercise.get("title_size", 17), TEXT)
            if cue:
                draw_text(ctx, cue, WIDTH / 2, HEIGHT - 12, 14, CUE_TEXT, bold=False)

    def draw_shadows(self, ctx, top, pos, rot):
        """Soft shadows straight down on a surface: a lifted finger leaves its own."""
        ctx.save()
        ctx.push_group()
        for shape in self.shapes:
            if shape.kind == "nail":
                continue
            circles = []
            for joint, offset, radius in shape.spheres:
                p = v_add(pos[joint], m_vec(rot[joint], offset))
                x, y, _ = self.camera.project((p[0], top, p[2]))
                circles.append((x, y, radius * self.camera.zoom))
            circles_path(ctx, circles)
            ctx.set_source_rgb(0.0, 0.0, 0.0)
            ctx.fill()
        ctx.pop_group_to_source()
        ctx.paint_with_alpha(0.16)
        ctx.restore()

    def draw_trail(self, ctx, trail, path, t):
        """The path the marked point takes through the loop, and where it goes next."""
        ctx.save()
        ctx.set_dash([3, 4])
        ctx.set_line_width(2.0)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.move_to(*path[0])
        for p in path[1:]:
            ctx.line_to(*p)
        ctx.close_path()
        ctx.set_source_rgba(*TRAIL, 0.75)
        ctx.stroke()
        ctx.restore()
        loop = self.motion.loop
        lead = trail.get("lead", 0.3)
        n = len(path)
        i = int(round((t % loop) / loop * n)) % n
        j = int(round(((t + lead) % loop) / loop * n)) % n
        span = [path[(i + k) % n] for k in range(((j - i) % n) + 1)]
        length = sum(math.dist(a, b) for a, b in zip(span, span[1:]))
        if length < 5:
            return
        ctx.save()
        ctx.set_line_width(3.2)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.move_to(*span[0])
        for p in span[1:]:
            ctx.line_to(*p)
        ctx.set_source_rgb(*TRAIL)
        ctx.stroke()
        end = span[-1]
        back = span[-2]
        arrow_head(ctx, (end[0] + (end[0] - back[0]) * 0.5, end[1] + (end[1] - back[1]) * 0.5),
                   (end[0] - back[0], end[1] - back[1]), 9, TRAIL)
        ctx.restore()


# ----------------------------------------------------------------------------
# Output.

def frame_surface():
    return cairo.ImageSurface(cairo.FORMAT_ARGB32, WIDTH, HEIGHT)


def frame_count(exercise):
    return max(1, int(round(float(exercise["loop"]) * FPS)))


def render_frame(scene, index, n):
    surface = frame_surface()
    ctx = cairo.Context(surface)
    scene.render(ctx, scene.motion.loop * index / n)
    surface.flush()
    return surface


def write_bmp(surface, path):
    """A bottom-up 24-bit BMP with a BITMAPINFOHEADER, as LoadImage reads."""
    data = bytes(surface.get_data())
    stride = surface.get_stride()
    row_bytes = WIDTH * 3
    pad = (4 - row_bytes % 4) % 4
    rows = []
    for y in range(HEIGHT - 1, -1, -1):
        row = data[y * stride:y * stride + WIDTH * 4]
        bgr = bytearray(row_bytes)
        bgr[0::3] = row[0::4]
        bgr[1::3] = row[1::4]
        bgr[2::3] = row[2::4]
        rows.append(bytes(bgr) + b"\0" * pad)
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_video(scene, path, ffmpeg, frames_dir=None):
    n = frame_count(scene.exercise)
    cmd = [ffmpeg, "-v", "error", "-y", "-f", "rawvideo", "-pix_fmt", "bgra",
           "-s", f"{WIDTH}x{HEIGHT}", "-r", str(FPS), "-i", "-", "-an",
           "-c:v", "cinepak", "-max_extra_cb_iterations", "0", "-max_strips", "1",
           "-map_metadata", "-1",
           "-fflags", "+bitexact", "-flags:v", "+bitexact", path]
    proc = subprocess.Popen(cmd, stdin=subprocess.PIPE)
    try:
        for i in range(n):
            surface = render_frame(scene, i, n)
            if frames_dir:
                surface.write_to_png(os.path.join(
                    frames_dir, f"{os.path.splitext(os.path.basename(path))[0]}-{i:03d}.png"))
            proc.stdin.write(bytes(surface.get_data()))
    finally:
        proc.stdin.close()
    if proc.wait() != 0:
        raise RuntimeError(f"ffmpeg failed on {path}")
    return n


def poster_surface(exercise):
    scene = Scene(exercise)
    surface = frame_surface()
    ctx = cairo.Context(surface)
    t = float(exercise.get("poster", 0.0))
    scene.render(ctx, t)
    surface.flush()
    return surface


def make_one(job):
    exercise, out_dir, ffmpeg, frames_dir = job
    path = os.path.join(out_dir, exercise["file"])
    scene = Scene(exercise)
    os.makedirs(out_dir, exist_ok=True)
    if exercise["file"].lower().endswith(".bmp"):
        surface = frame_surface()
        scene.render(cairo.Context(surface), float(exercise.get("poster", 0.0)))
        surface.flush()
        write_bmp(surface, path)
        if frames_dir:
            surface.write_to_png(os.path.join(frames_dir, exercise["file"][:-4] + ".png"))
        frames = 1
    else:
        frames = write_video(scene, path, ffmpeg, frames_dir)
    return exercise["file"], frames, os.path.getsize(path)


def cache_key(exercise, ffmpeg_version):
    """What a medium depends on: this script, its exercise file and the encoder."""
    h = hashlib.sha256()
    with open(os.path.abspath(__file__), "rb") as f:
        h.update(f.read())
    data = {k: v for k, v in exercise.items() if k != "source"}
    h.update(json.dumps(data, sort_keys=True).encode())
    h.update(ffmpeg_version.encode())
    return h.hexdigest()


def ffmpeg_version(ffmpeg):
    result = subprocess.run([ffmpeg, "-version"], capture_output=True, text=True, check=True)
    return result.stdout.splitlines()[0] if result.stdout else ""


REQUIRED = ("file", "title", "seconds", "region", "view")


def load_exercises(data_dir):
    exercises = []
    for path in sorted(glob.glob(os.path.join(data_dir, "exercises", "*.json"))):
        with open(path, encoding="utf-8") as f:
            exercise = json.load(f)
        for key in REQUIRED:
            if key not in exercise:
                raise ValueError(f"{path}: {key!r} missing")
        name = exercise["file"]
        if os.path.basename(name) != name or not name.islower() or not name.isascii():
            raise ValueError(f"{path}: file must be a bare lower-case ASCII name")
        if name.endswith(".avi"):
            loop = float(exercise.get("loop", 0))
            if not MIN_LOOP <= loop <= MAX_LOOP:
                raise ValueError(f"{path}: loop of {loop} s, outside {MIN_LOOP}..{MAX_LOOP} s")
        elif not name.endswith(".bmp"):
            raise ValueError(f"{path}: media must be .avi or .bmp")
        try:
            Scene(exercise)
        except (ValueError, KeyError) as e:
            raise ValueError(f"{path}: {e}") from e
        exercise["source"] = path
        exercises.append(exercise)
    names = [e["file"] for e in exercises]
    dupes = {n for n in names if names.count(n) > 1}
    if dupes:
        raise ValueError(f"media named twice: {sorted(dupes)}")
    if TITLE_FILE not in names:
        raise ValueError(f"no exercise file makes {TITLE_FILE}")
    return exercises


def probe(ffprobe, path):
    """Codec, size and decoded frame count of a video, or an error text."""
    cmd = [ffprobe, "-v", "error", "-count_frames", "-show_entries",
           "stream=codec_type,codec_name,width,height,nb_read_frames", "-of", "json", path]
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0 or result.stderr.strip():
        return None, result.stderr.strip() or "ffprobe failed"
    return json.loads(result.stdout).get("streams", []), None


def check_video(ffprobe, path, frames):
    streams, error = probe(ffprobe, path)
    if error:
        return error
    if len(streams) != 1 or streams[0].get("codec_type") != "video":
        return f"expected one video stream, found {streams}"
    s = streams[0]
    if s.get("codec_name") != "cinepak":
        return f"codec {s.get('codec_name')}"
    if (s.get("width"), s.get("height")) != (WIDTH, HEIGHT):
        return f"size {s.get('width')}x{s.get('height')}"
    if int(s.get("nb_read_frames", 0)) != frames:
        return f"{s.get('nb_read_frames')} frames decoded, {frames} written"
    return None


def write_sheet(exercises, path):
    """One frame of each exercise with its title and file under it."""
    cols = 4
    scale = 0.75
    cw, ch = int(WIDTH * scale), int(HEIGHT * scale)
    label = 34
    gap = 10
    rows = (len(exercises) + cols - 1) // cols
    sheet = cairo.ImageSurface(cairo.FORMAT_RGB24, gap + cols * (cw + gap),
                               gap + rows * (ch + label + gap))
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(1, 1, 1)
    ctx.paint()
    for k, exercise in enumerate(exercises):
        x = gap + (k % cols) * (cw + gap)
        y = gap + (k // cols) * (ch + label + gap)
        ctx.save()
        ctx.translate(x, y)
        ctx.scale(scale, scale)
        ctx.set_source_surface(poster_surface(exercise), 0, 0)
        ctx.paint()
        ctx.restore()
        ctx.rectangle(x + 0.5, y + 0.5, cw - 1, ch - 1)
        ctx.set_source_rgb(0.7, 0.74, 0.78)
        ctx.set_line_width(1)
        ctx.stroke()
        ctx.set_source_rgb(*TEXT)
        ctx.select_font_face(FONT, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
        ctx.set_font_size(12)
        ctx.move_to(x + 2, y + ch + 14)
        ctx.show_text(exercise["title"])
        ctx.select_font_face(FONT, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
        ctx.set_font_size(10)
        ctx.save()
        ctx.rectangle(x, y + ch, cw, label)
        ctx.clip()
        ctx.move_to(x + 2, y + ch + 28)
        ctx.show_text(f"{exercise['file']}  ·  {exercise['seconds']} s  ·  {exercise['region']}")
        ctx.restore()
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    sheet.write_to_png(path)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", required=True, help="the data folder (holds exercises/)")
    parser.add_argument("--out", required=True, help="folder for the media and media.txt")
    parser.add_argument("--sheet", help="contact sheet PNG to write")
    parser.add_argument("--ffmpeg", default="ffmpeg")
    parser.add_argument("--ffprobe", default="ffprobe")
    # One more worker than cores: each worker waits on its encoder now and then.
    parser.add_argument("--jobs", type=int, default=(os.cpu_count() or 1) + 1)
    parser.add_argument("--only", action="append", help="make just this media file (repeatable)")
    parser.add_argument("--frames", help="also save every frame as PNG in this folder")
    parser.add_argument("--cache", help="folder that remembers which media are up to date")
    parser.add_argument("--budget", type=int, default=BUDGET_BYTES,
                        help="most bytes all media may take together")
    args = parser.parse_args(argv)

    started = time.monotonic()
    exercises = load_exercises(args.data)
    todo = [e for e in exercises if not args.only or e["file"] in args.only]
    os.makedirs(args.out, exist_ok=True)
    if args.frames:
        os.makedirs(args.frames, exist_ok=True)
    # A medium whose sources did not change since the last run is kept; it is
    # touched so that the build sees it as newer than its sources.
    keys = {}
    kept = []
    if args.cache and not args.frames:
        os.makedirs(args.cache, exist_ok=True)
        version = ffmpeg_version(args.ffmpeg)
        for e in todo:
            keys[e["file"]] = cache_key(e, version)
            key_file = os.path.join(args.cache, e["file"] + ".key")
            path = os.path.join(args.out, e["file"])
            if os.path.exists(path) and os.path.exists(key_file):
                with open(key_file, encoding="ascii") as f:
                    if f.read().strip() == keys[e["file"]]:
                        os.utime(path)
                        kept.append(e)
    jobs = [(e, args.out, args.ffmpeg, args.frames) for e in todo if e not in kept]
    # Longest first, so the pool is not left waiting for one late video.
    jobs.sort(key=lambda j: -float(j[0].get("loop", 0)))
    if args.jobs > 1 and len(jobs) > 1:
        from multiprocessing import Pool
        with Pool(args.jobs) as pool:
            results = pool.map(make_one, jobs, chunksize=1)
    else:
        results = [make_one(j) for j in jobs]
    for e in kept:
        results.append((e["file"], frame_count(e) if e["file"].endswith(".avi") else 1,
                        os.path.getsize(os.path.join(args.out, e["file"]))))
    results.sort()

    failures = []
    total = 0
    for name, frames, size in results:
        total += size
        if name.endswith(".avi"):
            problem = check_video(args.ffprobe, os.path.join(args.out, name), frames)
            if problem:
                failures.append(f"{name}: {problem}")
        print(f"  {name:24} {frames:3d} frame(s) {size / 1024:8.1f} KiB")
    print(f"make-media: {len(results)} media files ({len(kept)} unchanged), "
          f"{total / 1e6:.2f} MB (budget {args.budget / 1e6:g} MB), "
          f"{time.monotonic() - started:.1f} s")
    if not args.only:
        with open(os.path.join(args.out, "media.txt"), "w", encoding="ascii", newline="\n") as f:
            for e in exercises:
                f.write(e["file"] + "\n")
        if total > args.budget:
            failures.append(f"the media take {total} bytes, more than the {args.budget} allowed")
    if args.sheet:
        # The title clip first, as the program shows it.
        write_sheet(sorted(todo, key=lambda e: (e["file"] != TITLE_FILE, e["file"])), args.sheet)
    for failure in failures:
        print(f"make-media: error: {failure}", file=sys.stderr)
    if args.cache and not args.frames:
        # Only media that passed every check are remembered as done.
        for name, key in keys.items():
            key_file = os.path.join(args.cache, name + ".key")
            if failures:
                if os.path.exists(key_file):
                    os.remove(key_file)
            else:
                with open(key_file, "w", encoding="ascii") as f:
                    f.write(key + "\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
