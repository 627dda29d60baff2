#!/usr/bin/env python3
"""Checks of the media and default-settings generators.

The figure's geometry, the keyframe timing, the picture and .reg writers, the
rules the shipped exercises and schemes keep, and one small end-to-end run of
make-media.py (with ffmpeg) that must pass, and fail once its size budget is
made too small.

Usage: python3 scripts/test-media.py
"""

import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import types
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(os.path.dirname(HERE), "data")


def load(name, file):
    """A script as a module (their names have dashes, so no import statement)."""
    path = os.path.join(HERE, file)
    module = types.ModuleType(name)
    module.__file__ = path
    with open(path, encoding="utf-8") as f:
        exec(compile(f.read(), path, "exec"), module.__dict__)
    return module


media = load("make_media", "make-media.py")  # re-runs under /usr/bin/python3 if needed
settings = load("make_default_settings", "make-default-settings.py")
cairo = media.cairo


def close(a, b, tol=1e-6):
    return all(abs(x - y) <= tol for x, y in zip(a, b))


def exercise(**fields):
    base = {"file": "x.avi", "title": "X", "seconds": 20, "region": "wrists", "view": "hand",
            "loop": 2.0}
    base.update(fields)
    return base


class Geometry(unittest.TestCase):
    def test_rotation_between_turns_one_vector_into_the_other(self):
        a = media.v_unit((0.2, -1.0, 0.3))
        b = media.v_unit((0.5, 0.4, 0.8))
        self.assertTrue(close(media.m_vec(media.rotation_between(a, b), a), b))

    def test_rotations_keep_lengths(self):
        r = media.m_mul(media.rotation("x", 33), media.m_mul(media.rotation("y", -71),
                                                            media.rotation("z", 12)))
        v = (3.0, -4.0, 12.0)
        self.assertAlmostEqual(media.v_len(media.m_vec(r, v)), 13.0)

    def test_a_pose_for_both_sides_gives_a_mirrored_figure(self):
        dof, _ = media.expand_pose({"shoulder.flex": 40, "shoulder.abd": 25, "elbow.flex": 70,
                                    "elbow.twist": 30, "wrist.flex": 20, "fingers.curl": 35})
        pos, _ = media.solve_skeleton(dof)
        for joint in ("elbow", "wrist", "index4", "pinky4", "thumb2"):
            r, l = pos["r_" + joint], pos["l_" + joint]
            self.assertTrue(close(r, (-l[0], l[1], l[2])), joint)

    def test_elbow_flexion_brings_the_forearm_forward(self):
        dof, _ = media.expand_pose({"r_elbow.flex": 90})
        pos, _ = media.solve_skeleton(dof)
        forearm = media.v_sub(pos["r_wrist"], pos["r_elbow"])
        self.assertTrue(close(media.v_unit(forearm), (0.0, 0.0, 1.0)))

    def test_a_shrug_lifts_the_shoulder_and_leaves_the_arm_hanging(self):
        rest, _ = media.solve_skeleton(media.expand_pose({})[0])
        up, _ = media.solve_skeleton(media.expand_pose({"clav.raise": 20})[0])
        self.assertGreater(up["r_shoulder"][1], rest["r_shoulder"][1] + 4)
        arm = media.v_unit(media.v_sub(up["r_elbow"], up["r_shoulder"]))
        self.assertTrue(close(arm, (0.0, -1.0, 0.0)))

    def test_the_thumb_reaches_the_fingertip_it_is_sent_to(self):
        for finger in ("index", "middle", "ring", "pinky"):
            pose = {"r_elbow.flex": 170, f"r_thumb.reach_{finger}": 1.0, f"r_{finger}.curl": 50}
            dof, extra = media.expand_pose(pose)
            pos, rot = media.solve_skeleton(dof)
            media.place_thumbs(pos, rot, extra)
            tip = media.v_add(pos[f"r_{finger}3"], pos[f"r_{finger}4"])
            gap = media.v_len(media.v_sub(pos["r_thumb4"], media.v_mul(tip, 0.5)))
            self.assertLess(gap, 2.0, finger)

    def test_a_thumb_at_rest_keeps_its_bone_lengths(self):
        pos, rot = media.solve_skeleton({})
        media.place_thumbs(pos, rot, {})
        first = media.v_len(media.v_sub(pos["r_thumb2"], pos["r_thumb1"]))
        self.assertAlmostEqual(first, media.THUMB_LENGTHS[0], places=3)

    def test_unknown_pose_keys_are_refused(self):
        with self.assertRaises(ValueError):
            media.expand_pose({"r_elbow.wobble": 1})
        with self.assertRaises(ValueError):
            media.check_pose_key("hl.tail")

    def test_the_camera_looks_at_the_figure_from_the_side_it_is_told(self):
        front = media.Camera({"yaw": 0}, (0.0, 0.0, 0.0))
        side = media.Camera({"yaw": 90}, (0.0, 0.0, 0.0))
        self.assertGreater(front.view((0.0, 0.0, 1.0))[2], 0.99)
        self.assertGreater(side.view((1.0, 0.0, 0.0))[2], 0.99)
        above = media.Camera({"pitch": 30}, (0.0, 0.0, 0.0))
        self.assertGreater(above.project((0.0, 0.0, 10.0))[1], above.project((0, 0, 0))[1])

    def test_the_hull_of_two_circles_spans_both(self):
        surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, 100, 40)
        ctx = cairo.Context(surface)
        media.circles_path(ctx, [(20, 20, 10), (80, 20, 5)])
        x0, y0, x1, y1 = ctx.path_extents()
        self.assertAlmostEqual(x0, 10, delta=0.2)
        self.assertAlmostEqual(x1, 85, delta=0.2)
        self.assertAlmostEqual(y0, 10, delta=0.2)


class Timing(unittest.TestCase):
    def motion(self, **fields):
        return media.Motion(exercise(**fields))

    def test_keyframes_are_met_and_the_loop_closes(self):
        m = self.motion(loop=4.0, keyframes=[
            {"t": 0.0, "pose": {"r_wrist.flex": 10}},
            {"t": 1.0, "pose": {"r_wrist.flex": 60}},
            {"t": 2.0, "same": True}])
        self.assertAlmostEqual(m.at(1.0)[0]["r_wrist.flex"], 60)
        self.assertAlmostEqual(m.at(1.5)[0]["r_wrist.flex"], 60)
        self.assertAlmostEqual(m.at(3.9999)[0]["r_wrist.flex"], 10, places=3)
        self.assertAlmostEqual(m.at(4.0)[0]["r_wrist.flex"], 10)

    def test_easing_starts_and_ends_slowly(self):
        m = self.motion(keyframes=[{"t": 0.0}, {"t": 1.0, "pose": {"r_wrist.flex": 100}}])
        early = m.at(0.1)[0]["r_wrist.flex"]
        middle = m.at(0.5)[0]["r_wrist.flex"]
        self.assertLess(early, 10)
        self.assertAlmostEqual(middle, 50)

    def test_a_spline_keeps_moving_through_its_keyframes(self):
        m = self.motion(loop=4.0, interpolation="spline", keyframes=[
            {"t": 0.0, "pose": {"r_wrist.flex": 40}}, {"t": 1.0, "pose": {"r_wrist.dev": 30}},
            {"t": 2.0, "pose": {"r_wrist.flex": -40}}, {"t": 3.0, "pose": {"r_wrist.dev": -30}}])
        before, after = m.at(0.95)[0]["r_wrist.dev"], m.at(1.05)[0]["r_wrist.dev"]
        self.assertAlmostEqual(m.at(1.0)[0]["r_wrist.dev"], 30)
        self.assertLess(abs(after - before), 1.0)
        self.assertLess(m.at(1.05)[0]["r_wrist.flex"], m.at(0.95)[0]["r_wrist.flex"])

    def test_a_cue_lasts_until_the_next_one(self):
        m = self.motion(keyframes=[{"t": 0.0, "cue": "Up"}, {"t": 0.5},
                                   {"t": 1.0, "cue": "Down"}])
        self.assertEqual(m.at(0.7)[1], "Up")
        self.assertEqual(m.at(1.5)[1], "Down")

    def test_keyframes_out_of_order_or_past_the_loop_are_refused(self):
        with self.assertRaises(ValueError):
            self.motion(keyframes=[{"t": 0.0}, {"t": 2.5}])
        with self.assertRaises(ValueError):
            self.motion(keyframes=[{"t": 0.0}, {"t": 1.0}, {"t": 0.5}])


class Pictures(unittest.TestCase):
    def test_a_video_frame_at_the_loop_end_is_its_first_frame(self):
        scene = media.Scene(exercise(loop=3.0, highlight=["r_hand"], keyframes=[
            {"t": 0.0}, {"t": 1.5, "pose": {"r_wrist.flex": 50}}]))
        first, last = media.frame_surface(), media.frame_surface()
        scene.render(cairo.Context(first), 0.0)
        scene.render(cairo.Context(last), 3.0)
        self.assertEqual(bytes(first.get_data()), bytes(last.get_data()))

    def test_the_moving_part_wears_the_highlight(self):
        def orange_pixels(highlight):
            scene = media.Scene(exercise(highlight=highlight, show=["r_forearm", "r_hand"],
                                         camera={"target": "r_wrist", "zoom": 6}))
            surface = media.frame_surface()
            scene.render(cairo.Context(surface), 0.0)
            data = bytes(surface.get_data())
            want = tuple(round(c * 255) for c in media.HIGHLIGHT[0])
            return sum(1 for i in range(0, len(data), 4)
                       if abs(data[i + 2] - want[0]) < 6 and abs(data[i + 1] - want[1]) < 6
                       and abs(data[i] - want[2]) < 6)
        self.assertEqual(orange_pixels([]), 0)
        self.assertGreater(orange_pixels(["r_hand"]), 300)

    def test_a_bmp_is_bottom_up_24_bit_with_an_info_header(self):
        surface = media.frame_surface()
        ctx = cairo.Context(surface)
        ctx.set_source_rgb(1, 1, 1)
        ctx.paint()
        ctx.rectangle(0, 0, 1, 1)
        ctx.set_source_rgb(1, 0, 0)
        ctx.fill()
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "x.bmp")
            media.write_bmp(surface, path)
            data = open(path, "rb").read()
        magic, size, _, _, offset = struct.unpack("<2sIHHI", data[:14])
        header, width, height, planes, bits, compression = struct.unpack("<IiiHHI", data[14:34])
        self.assertEqual((magic, size, offset), (b"BM", len(data), 54))
        self.assertEqual((header, width, height, planes, bits, compression),
                         (40, media.WIDTH, media.HEIGHT, 1, 24, 0))
        top_left = offset + (media.HEIGHT - 1) * media.WIDTH * 3
        self.assertEqual(data[top_left:top_left + 3], b"\x00\x00\xff")


class ShippedData(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exercises = media.load_exercises(DATA)
        with open(os.path.join(DATA, "schemes.json"), encoding="utf-8") as f:
            cls.schemes = json.load(f)

    def test_the_exercise_set_is_complete(self):
        files = [e["file"] for e in self.exercises]
        pictures = [f for f in files if f.endswith(".bmp")]
        self.assertIn(media.TITLE_FILE, files)
        self.assertTrue(18 <= len(files) - 1 <= 22, len(files))
        self.assertTrue(3 <= len(pictures) <= 4, pictures)
        titles = [e["title"] for e in self.exercises]
        self.assertEqual(len(set(titles)), len(titles))
        for e in self.exercises:
            if e["file"] != media.TITLE_FILE:
                self.assertTrue(15 <= e["seconds"] <= 40, e["file"])

    def test_the_schemes_pass_their_rules_and_last_as_long_as_promised(self):
        titles = {e["file"]: e["title"] for e in self.exercises}
        self.assertEqual(settings.check(self.schemes, titles), [])
        names = [s["name"] for s in self.schemes["schemes"]]
        self.assertEqual(names, ["*Medium Break", "*Short Break", "*Long Break"])
        minutes = {s["name"]: sum(x[1] for x in s["exercises"]) / 60
                   for s in self.schemes["schemes"]}
        self.assertAlmostEqual(minutes["*Short Break"], 2, delta=0.3)
        self.assertAlmostEqual(minutes["*Medium Break"], 4, delta=0.5)
        self.assertAlmostEqual(minutes["*Long Break"], 8, delta=1.0)

    def test_every_scheme_works_on_many_regions_and_the_eyes(self):
        region = {e["file"]: e["region"] for e in self.exercises}
        for scheme in self.schemes["schemes"]:
            regions = {region[f] for f, _ in scheme["exercises"]}
            self.assertGreaterEqual(len(regions), 6, scheme["name"])
            self.assertIn("eyes", regions, scheme["name"])


class DefaultSettings(unittest.TestCase):
    config = {"current": "*B", "schemes": [
        {"name": "*B", "exercises": [["a.avi", 20], ["b.bmp", 30]]},
        {"name": "*A", "exercises": [["b.bmp", 15]]}]}
    titles = {"a.avi": "Say \"a\"", "b.bmp": "Back\\slash", "title.avi": "Gently"}

    def test_strings_are_quoted_and_escaped(self):
        self.assertEqual(settings.reg_string('a "b" \\c'), '"a \\"b\\" \\\\c"')
        for bad in ("caf\u00e9", "two\nlines"):
            with self.assertRaises(ValueError):
                settings.reg_string(bad)

    def test_the_file_lists_schemes_in_order_with_every_exercise(self):
        text = settings.render(self.config, self.titles)
        self.assertTrue(text.startswith("REGEDIT4\r\n\r\n"))
        self.assertNotIn("\n", text.replace("\r\n", ""))
        lines = text.split("\r\n")
        root = settings.ROOT_KEY
        self.assertEqual(lines[2:6], [f"[{root}\\Schemes]", '"Num"="2"', '"1"="*B"', '"2"="*A"'])
        start = lines.index(f"[{root}\\Scheme*B]")
        self.assertEqual(lines[start + 1:start + 10], [
            '"Num"="2"', '"1"="a.avi"', '"d1"="Say \\"a\\""', '"y1"="1"', '"s1"="20"',
            '"2"="b.bmp"', '"d2"="Back\\\\slash"', '"y2"="1"', '"s2"="30"'])
        self.assertEqual(lines[-3:], [f"[{root}\\Exercise]", '"Scheme"="*B"', ""])

    def test_bad_schemes_are_named(self):
        bad = {"current": "*C", "schemes": [
            {"name": "*A", "exercises": [["title.avi", 20], ["gone.avi", 20], ["a.avi", 50]]},
            {"name": "*a", "exercises": [["a.avi", 20]]}]}
        problems = "\n".join(settings.check(bad, self.titles))
        for expected in ("share a name", "'*C'", "title.avi", "gone.avi", "50 s"):
            self.assertIn(expected, problems)


@unittest.skipUnless(shutil.which("ffmpeg") and shutil.which("ffprobe"), "needs ffmpeg")
class EndToEnd(unittest.TestCase):
    """A two-medium data folder through the real script and ffmpeg."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.data = os.path.join(self.tmp, "data")
        os.makedirs(os.path.join(self.data, "exercises"))
        clips = {
            "title": exercise(file="title.avi", title="Gently now...", loop=2.0,
                              keyframes=[{"t": 0.0}, {"t": 1.0, "pose": {"clav.raise": 8}}]),
            "still": exercise(file="still.bmp", title="Still", keyframes=[{"t": 0.0}]),
        }
        for name, clip in clips.items():
            with open(os.path.join(self.data, "exercises", name + ".json"), "w") as f:
                json.dump(clip, f)
        self.out = os.path.join(self.tmp, "bin")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def run_script(self, *extra):
        return subprocess.run([sys.executable, os.path.join(HERE, "make-media.py"), "--data",
                               self.data, "--out", self.out, "--jobs", "1", *extra],
                              capture_output=True, text=True)

    def test_media_are_made_listed_and_checked(self):
        sheet = os.path.join(self.tmp, "sheet.png")
        result = self.run_script("--sheet", sheet)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.out, "media.txt")) as f:
            self.assertEqual(f.read().split(), ["still.bmp", "title.avi"])
        streams, error = media.probe("ffprobe", os.path.join(self.out, "title.avi"))
        self.assertIsNone(error)
        self.assertEqual([s["codec_name"] for s in streams], ["cinepak"])
        self.assertEqual(int(streams[0]["nb_read_frames"]), 2 * media.FPS)
        self.assertEqual(media.check_video("ffprobe", os.path.join(self.out, "title.avi"), 5),
                         f"{2 * media.FPS} frames decoded, 5 written")
        self.assertGreater(os.path.getsize(sheet), 1000)

    def test_media_over_the_budget_fail_the_run(self):
        result = self.run_script("--budget", "1000")
        self.assertEqual(result.returncode, 1)
        self.assertIn("more than the 1000 allowed", result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=1)
