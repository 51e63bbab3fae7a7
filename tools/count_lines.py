#!/usr/bin/env python3
"""Lines of code in the repository, tests against the rest.

Counts the lines of the tracked source, build and script files (C, C++,
Fortran, CMake, shell, Python). Test code is everything under tests/ (test
programs, the fuzz target and its corpus generator, test scripts, the Python
tests); the rest is the library, the host, the program, the Python module,
the examples and the benchmarks. The fuzz corpus is data, not code.
"""

import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp", ".f90", ".cmake", ".sh", ".py", ".in"}


def main():
    files = subprocess.run(["git", "ls-files"], cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
    tests = rest = 0
    for name in files:
        path = ROOT / name
        if "/corpus/" in name or not path.is_file():
            continue
        if path.suffix not in SUFFIXES and path.name != "CMakeLists.txt":
            continue
        lines = len(path.read_text(errors="replace").splitlines())
        if name.startswith("tests/"):
            tests += lines
        else:
            rest += lines
    total = tests + rest
    print(f"test code {tests} lines, other code {rest} lines: tests are {100 * tests / total:.1f} % of {total}")


if __name__ == "__main__":
    main()
