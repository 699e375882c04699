#!/usr/bin/env python3
"""Fails when an include crosses a folder wall the wrong way.

The walls:
- framework/ includes nothing of plugin/, editor/, tools/ or lv2/;
- plugin/ and editor/ include nothing of tools/ or lv2/;
- in plugin/ only the module's load hook (plugin/ModuleHooks.cpp), which hands
  the effect its editor factory, includes editor/;
- no file built into the non-GUI framework libraries includes framework/gui/:
  from each of their sources the project's includes are followed to the end
  (the host editor bridge, framework/vst/VstWindow.*, is built into the GUI library).
lv2/ may include plugin/ and editor/; tools/, bench/ and tests/ may include anything.

Usage: check-walls.py ROOT [NON_GUI_SOURCES]
  ROOT             the source tree; project includes are written from it ("plugin/Quellor.hpp")
  NON_GUI_SOURCES  a file naming the sources of the non-GUI framework libraries, one a
                   line (as the build lists them: absolute, or relative to ROOT)
Prints every wrong include as FILE:LINE and the wall it crosses; exit status 1 if any.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')
SOURCE_SUFFIXES = (".cpp", ".hpp", ".h")
LOAD_HOOK = "plugin/ModuleHooks.cpp"
GUI_FOLDER = "framework/gui/"

# Per product folder: the top folders its files must not include.
FORBIDDEN = {
    "framework": ("plugin", "editor", "tools", "lv2"),
    "plugin": ("editor", "tools", "lv2"),
    "editor": ("tools", "lv2"),
}


def top_folder(path):
    return path.split("/", 1)[0]


def includes_of(root, relative):
    """(line number, included path as written) of one file's includes."""
    found = []
    with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if match:
                found.append((number, match.group(1)))
    return found


def resolve(root, including, written):
    """The project file an include names (relative to ROOT), or None for system and generated headers."""
    for candidate in (written, os.path.join(os.path.dirname(including), written)):
        candidate = os.path.normpath(candidate).replace(os.sep, "/")
        if not candidate.startswith("../") and os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def folder_walls(root):
    """Wrong includes between the product folders."""
    wrong = []
    for folder, forbidden in FORBIDDEN.items():
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                relative = os.path.relpath(os.path.join(directory, name), root).replace(os.sep, "/")
                for number, written in includes_of(root, relative):
                    target = top_folder(written)
                    if target not in forbidden:
                        continue
                    if relative == LOAD_HOOK and target == "editor":
                        continue
                    if folder == "plugin" and target == "editor":
                        why = f"in plugin/ only the module's load hook ({LOAD_HOOK}) may include editor/"
                    else:
                        why = f"{folder}/ never includes {target}/"
                    wrong.append(f"{relative}:{number}: includes {written}: {why}")
    return wrong


def gui_wall(root, sources):
    """Files reached from the non-GUI libraries' sources that include framework/gui/."""
    wrong = []
    reached_from = {}
    pending = []
    for source in sources:
        relative = os.path.relpath(os.path.abspath(os.path.join(root, source)), root).replace(os.sep, "/")
        if relative.startswith("../"):
            continue  # generated or outside the tree
        if relative.startswith(GUI_FOLDER):
            wrong.append(f"{relative}: is built into a non-GUI framework library")
        if relative not in reached_from:
            reached_from[relative] = None
            pending.append(relative)
    while pending:
        current = pending.pop()
        for number, written in includes_of(root, current):
            target = resolve(root, current, written)
            if target is None:
                continue
            if target.startswith(GUI_FOLDER):
                chain = [current]
                while reached_from[chain[-1]] is not None:
                    chain.append(reached_from[chain[-1]])
                via = " <- ".join(chain)
                wrong.append(f"{current}:{number}: includes {written}: a non-GUI framework library "
                             f"never includes {GUI_FOLDER} (reached: {via})")
            elif target not in reached_from:
                reached_from[target] = current
                pending.append(target)
    return wrong


def main(arguments):
    if len(arguments) not in (1, 2):
        print(__doc__, file=sys.stderr)
        return 2
    root = os.path.abspath(arguments[0])
    wrong = folder_walls(root)
    if len(arguments) == 2:
        with open(arguments[1], encoding="utf-8") as listing:
            sources = [line.strip() for line in listing if line.strip()]
        if not sources:
            print(f"check-walls: {arguments[1]} names no source", file=sys.stderr)
            return 2
        wrong += gui_wall(root, sources)
    for line in sorted(wrong):
        print(line)
    if wrong:
        print(f"Folder walls: {len(wrong)} include(s) go the wrong way", file=sys.stderr)
        return 1
    print("Folder walls: every include goes the right way")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
