#!/usr/bin/env python3
"""tools/layers over the real tree, over copies of it with one include planted, and over
small trees made for one rule each."""
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(sys.argv.pop(1) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2])
CHECK = ROOT / "tools" / "layers"


def run_check(root):
    done = subprocess.run([sys.executable, str(CHECK), "--root", str(root)],
                          capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout


def declared_folders():
    folders = []
    for line in (ROOT / "tools" / "layers.order").read_text().splitlines():
        folders += line.split("#", 1)[0].split()
    return folders


def copy_of_product(target):
    for folder in declared_folders():
        shutil.copytree(ROOT / folder, target / folder)
    (target / "tools").mkdir()
    shutil.copy(ROOT / "tools" / "layers.order", target / "tools" / "layers.order")


def plant(path, line):
    """Adds the line after the file's first include; returns its line number."""
    lines = path.read_text().splitlines()
    at = next(i for i, text in enumerate(lines) if text.startswith("#include")) + 1
    lines.insert(at, line)
    path.write_text("\n".join(lines) + "\n")
    return at + 1


def small_tree(root, order, files, every_folder=True):
    (root / "tools").mkdir(parents=True)
    (root / "tools" / "layers.order").write_text(order)
    for folder in order.split() if every_folder else ():
        (root / folder).mkdir(exist_ok=True)
    for name, text in files.items():
        (root / name).parent.mkdir(parents=True, exist_ok=True)
        (root / name).write_text(text)


class RealTree(unittest.TestCase):
    def test_the_tree_keeps_its_order(self):
        code, out = run_check(ROOT)
        self.assertEqual(code, 0, out)
        self.assertRegex(out, r"layers: ok \(\d+ folders in \d+ layers, \d+ includes between folders\)")

    def test_a_planted_upward_include_fails_with_its_file_and_line(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            copy_of_product(root)
            line = plant(root / "installer/core/strbuf.cpp", '#include "installer/ui/wizard.h"')
            code, out = run_check(root)
        self.assertEqual(code, 1, out)
        self.assertIn(f'installer/core/strbuf.cpp:{line}: #include "installer/ui/wizard.h": runs upwards, '
                      "installer/core -> installer/ui", out)
        self.assertIn("layers: 1 wrong", out)

    def test_an_include_of_the_tests_fails(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            copy_of_product(root)
            (root / "tests").mkdir()
            (root / "tests/probe.h").write_text("#pragma once\n")
            line = plant(root / "installer/core/path_text.cpp", '#include "tests/probe.h"')
            code, out = run_check(root)
        self.assertEqual(code, 1, out)
        self.assertIn(f"installer/core/path_text.cpp:{line}:", out)
        self.assertIn("outside the declared order", out)


class Rules(unittest.TestCase):
    ORDER = "low\nmid side\nhigh\n"

    def check(self, files, every_folder=True):
        with tempfile.TemporaryDirectory() as tmp:
            small_tree(Path(tmp), self.ORDER, files, every_folder)
            return run_check(Path(tmp))

    def test_downward_and_own_folder_includes_pass(self):
        code, out = self.check({
            "low/a.h": "#pragma once\n",
            "low/a.cpp": '#include "a.h"\n#include <windows.h>\n#include "generated.h"\n',
            "mid/b.cpp": '#include "low/a.h"\n',
            "high/c.cpp": '#include "mid/b.h"\n#include "low/a.h"\n',
            "mid/b.h": "#pragma once\n",
        })
        self.assertEqual(code, 0, out)
        self.assertIn("layers: ok (4 folders in 3 layers, 3 includes between folders)", out)

    def test_an_upward_include_names_the_circle_it_closes(self):
        code, out = self.check({
            "low/a.h": '#pragma once\n// #include "high/c.h" in a comment does not count\n',
            "low/a.cpp": '#include "a.h"\n\n  #  include "high/c.h"\n',
            "mid/b.h": '#include "low/a.h"\n',
            "high/c.h": '#include "mid/b.h"\n',
        })
        self.assertEqual(code, 1, out)
        self.assertIn('low/a.cpp:3: #  include "high/c.h": runs upwards, low -> high; '
                      "closes a circle: low -> high -> mid -> low", out)
        self.assertIn("layers: 1 wrong", out)

    def test_folders_of_one_layer_include_nothing_of_each_other(self):
        code, out = self.check({
            "mid/b.h": "#pragma once\n",
            "side/s.cpp": '#include "mid/b.h"\n',
        })
        self.assertEqual(code, 1, out)
        self.assertIn('side/s.cpp:1: #include "mid/b.h": runs sideways, side -> mid', out)

    def test_a_subfolder_belongs_to_its_folder(self):
        code, out = self.check({
            "high/c.h": "#pragma once\n",
            "low/deep/d.cpp": '#include "../../high/c.h"\n',
        })
        self.assertEqual(code, 1, out)
        self.assertIn("low/deep/d.cpp:1:", out)
        self.assertIn("runs upwards, low -> high", out)

    def test_a_declared_folder_that_is_missing_stops_the_check(self):
        code, out = self.check({"low/a.h": "", "mid/b.h": ""}, every_folder=False)
        self.assertEqual(code, 2, out)
        self.assertIn("declared folders not found: side high", out)


if __name__ == "__main__":
    unittest.main(verbosity=2)
