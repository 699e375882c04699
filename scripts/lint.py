#!/usr/bin/env python3
"""Runs clang-tidy over the translation units of a build folder, remembering
which ones it found clean.

clang-tidy takes about five minutes over the whole tree on two cores, while a
typical change touches a few files. A unit found clean is remembered under a key
made of everything its result depends on: clang-tidy's version, .clang-tidy,
the compile command and the contents of every file the compiler read for it
(the dependency file the build wrote). A later run lints only the units whose
key is new. Paths inside the checkout are keyed relative to it, so another
clone of the same sources reuses the entries. Findings are never remembered.

Usage: lint.py BUILD_FOLDER PATTERN (the units to lint and the headers whose findings count)
"""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys


def dependencies(entry):
    """The files the compiler read for one unit, from the build's .d file (None without one)."""
    arguments = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
    if "-o" not in arguments:
        return None
    depfile = os.path.join(entry["directory"], arguments[arguments.index("-o") + 1] + ".d")
    try:
        with open(depfile, encoding="utf-8") as text:
            body = text.read().replace("\\\n", " ")
    except OSError:
        return None
    _, _, listed = body.partition(": ")
    return sorted(set(listed.split()))


class KeyMaker:
    def __init__(self, root, tidy):
        self.root = root
        self.digests = {}
        version = subprocess.run([tidy, "--version"], capture_output=True, text=True).stdout
        with open(os.path.join(root, ".clang-tidy"), "rb") as config:
            self.base = hashlib.sha256(version.encode() + config.read()).digest()

    def relative(self, text):
        return text.replace(self.root, "<checkout>")

    def digest(self, path):
        if path not in self.digests:
            with open(path, "rb") as data:
                self.digests[path] = hashlib.sha256(data.read()).hexdigest()
        return self.digests[path]

    def key(self, entry):
        files = dependencies(entry)
        if files is None:
            return None
        sha = hashlib.sha256(self.base)
        sha.update(self.relative(entry.get("command", " ".join(entry.get("arguments", [])))).encode())
        try:
            for path in files:
                full = os.path.normpath(os.path.join(entry["directory"], path))
                sha.update(f"{self.relative(full)}\0{self.digest(full)}\0".encode())
        except OSError:
            return None  # a file is gone: the build is stale, lint the unit
        return sha.hexdigest()


def main():
    build, pattern = sys.argv[1:3]
    root = os.getcwd()
    tidy = os.environ.get("CLANG_TIDY", "clang-tidy")
    cache = os.path.join(os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")), "vantor-lint")
    os.makedirs(cache, exist_ok=True)

    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as text:
        entries = [e for e in json.load(text) if re.search(pattern, e["file"])]
    keys = KeyMaker(root, tidy)
    pending = []
    for entry in entries:
        key = keys.key(entry)
        if key is None or not os.path.exists(os.path.join(cache, key)):
            pending.append((entry, key))
    print(f"lint: {len(entries) - len(pending)} of {len(entries)} units unchanged since a clean run; "
          f"clang-tidy runs over {len(pending)}")

    def lint(job):
        entry, key = job
        # The commands are GCC's; clang does not know all of its warnings.
        run = subprocess.run(
            [tidy, "-quiet", "-p", build, f"-header-filter={pattern}",
             "-extra-arg=-Wno-unknown-warning-option", entry["file"]],
            capture_output=True, text=True)
        clean = run.returncode == 0 and not re.search(r"(warning|error):", run.stdout)
        if clean and key is not None:
            open(os.path.join(cache, key), "w").close()
        return clean, run.stdout + run.stderr

    findings = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        for clean, output in pool.map(lint, pending):
            if not clean:
                findings.append(output)
    if findings:
        log = os.path.join(build, "clang-tidy.log")
        with open(log, "w", encoding="utf-8") as text:
            text.write("\n".join(findings))
        lines = sorted({line for output in findings for line in output.splitlines()
                        if re.search(r"(warning|error):", line)})
        print("\n".join(lines) or "\n".join(findings), file=sys.stderr)
        print(f"lint: clang-tidy found problems (full output: {log})", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
