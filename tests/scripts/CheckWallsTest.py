#!/usr/bin/env python3
"""The folder-wall check on small planted trees: a tree that keeps the walls (with
every allowed crossing) passes, and each wrong include planted into it is named."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-walls.py")

# Every crossing the walls allow: the load hook knows the editor, the editor and the
# LV2 edition know the effect, the bridge in the GUI library includes the GUI
# framework, the tools include anything, system and generated headers are skipped.
GOOD_TREE = {
    "framework/basics/String.hpp": "#include <string>\n",
    "framework/basics/String.cpp": '#include "framework/basics/String.hpp"\n#include "ProductVersion.hpp"\n',
    "framework/vst/AudioEffect.hpp": '#include "framework/basics/String.hpp"\n',
    "framework/vst/AudioEffect.cpp": '#include "framework/vst/AudioEffect.hpp"\n',
    "framework/vst/VstWindow.cpp": '#include "framework/gui/windowing/Window.hpp"\n',
    "framework/gui/windowing/Window.hpp": '#include "framework/vst/AudioEffect.hpp"\n',
    "plugin/Quellor.hpp": '#include "framework/vst/AudioEffect.hpp"\n',
    "plugin/ModuleHooks.cpp": '#include "editor/EditorModule.hpp"\n#include "plugin/Quellor.hpp"\n',
    "editor/EditorModule.hpp": '#include "plugin/Quellor.hpp"\n#include "framework/gui/windowing/Window.hpp"\n',
    "lv2/Lv2Entry.cpp": '#include "plugin/Quellor.hpp"\n#include "editor/EditorModule.hpp"\n',
    "tools/host/Host.cpp": '#include "plugin/Quellor.hpp"\n#include "editor/EditorModule.hpp"\n',
}
NON_GUI_SOURCES = ["framework/basics/String.cpp", "framework/vst/AudioEffect.cpp"]

# One wrong include per wall: (file, line added to it, words the report must hold).
WRONG = [
    ("plugin/Quellor.hpp", '#include "editor/EditorModule.hpp"', "only the module's load hook"),
    ("plugin/Quellor.hpp", '#include "tools/host/Host.hpp"', "plugin/ never includes tools/"),
    ("editor/EditorModule.hpp", '#include "lv2/Lv2Entry.hpp"', "editor/ never includes lv2/"),
    ("framework/basics/String.hpp", '#include "plugin/Quellor.hpp"', "framework/ never includes plugin/"),
    ("framework/vst/VstWindow.cpp", '#include "editor/EditorModule.hpp"', "framework/ never includes editor/"),
    ("framework/basics/String.cpp", '#include "tools/host/Host.hpp"', "framework/ never includes tools/"),
    ("framework/gui/windowing/Window.hpp", '#  include <lv2/Lv2Entry.hpp>', "framework/ never includes lv2/"),
    # In a header that a source of the non-GUI library includes.
    ("framework/basics/String.hpp", '#include "framework/gui/windowing/Window.hpp"', "non-GUI"),
]


def plant(root, files):
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as out:
            out.write(text)


def check(root):
    listing = os.path.join(root, "non-gui-sources.txt")
    with open(listing, "w", encoding="utf-8") as out:
        out.write("\n".join(os.path.join(root, source) for source in NON_GUI_SOURCES) + "\n")
    return subprocess.run([sys.executable, CHECKER, root, listing], capture_output=True, text=True)


class CheckWallsTest(unittest.TestCase):
    def test_a_tree_that_keeps_the_walls_passes(self):
        with tempfile.TemporaryDirectory() as root:
            plant(root, GOOD_TREE)
            result = check(root)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_each_wrong_include_is_named(self):
        for path, include, words in WRONG:
            with self.subTest(path=path, include=include), tempfile.TemporaryDirectory() as root:
                plant(root, dict(GOOD_TREE, **{path: GOOD_TREE[path] + include + "\n"}))
                result = check(root)
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                self.assertIn(path + ":", result.stdout)
                self.assertIn(words, result.stdout)
                self.assertEqual(len(result.stdout.splitlines()), 1, result.stdout)


if __name__ == "__main__":
    unittest.main()
