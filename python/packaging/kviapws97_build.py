"""The PEP 517 build backend of the Python module kviapws97: it runs the CMake
build of this repository (the one description of the build) for the target
kviapws97_python, installs its component `python` into a staging directory,
and packs that one file into a wheel. The version is the one of
`project(kviapws97 VERSION ...)` in the top CMakeLists.txt, which the C++
library and the program carry too.

Config settings (pip -C KEY=VALUE, python3 -m build -C KEY=VALUE):
  build-dir   a CMake build directory to use; one already configured is built
              as it is (its own options and interpreter), else it is
              configured here. Without it, a temporary one is used.
  jobs        parallel build jobs (default: CMAKE_BUILD_PARALLEL_LEVEL, or 2).
"""
import base64
import hashlib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import sysconfig
import tarfile
import tempfile
import tomllib
import zipfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
NAME = "kviapws97"


def version():
    text = (ROOT / "CMakeLists.txt").read_text()
    found = re.search(r"project\(\s*kviapws97\s+VERSION\s+([0-9.]+)", text)
    if not found:
        raise RuntimeError("no `project(kviapws97 VERSION ...)` in CMakeLists.txt")
    return found.group(1)


def metadata():
    project = tomllib.loads((ROOT / "pyproject.toml").read_text())["project"]
    lines = ["Metadata-Version: 2.1", f"Name: {NAME}", f"Version: {version()}",
             f"Summary: {project['description']}", f"Requires-Python: {project['requires-python']}"]
    lines += [f"License: {project['license']['text']}"] if "license" in project else []
    lines += [f"Requires-Dist: {d}" for d in project.get("dependencies", [])]
    for extra, deps in project.get("optional-dependencies", {}).items():
        lines.append(f"Provides-Extra: {extra}")
        lines += [f'Requires-Dist: {d}; extra == "{extra}"' for d in deps]
    return "\n".join(lines) + "\n"


def tag():
    python = f"cp{sys.version_info.major}{sys.version_info.minor}"
    return f"{python}-{python}-{re.sub(r'[-.]', '_', sysconfig.get_platform())}"


def dist_info():
    return f"{NAME}-{version()}.dist-info"


def write_dist_info(directory):
    info = pathlib.Path(directory) / dist_info()
    info.mkdir(parents=True, exist_ok=True)
    (info / "METADATA").write_text(metadata())
    (info / "WHEEL").write_text(f"Wheel-Version: 1.0\nGenerator: {NAME}_build\nRoot-Is-Purelib: false\nTag: {tag()}\n")
    (info / "top_level.txt").write_text(f"{NAME}\n")
    return info.name


def cmake(*args, env=None):
    print("+ cmake", " ".join(map(str, args)), flush=True)
    subprocess.run(["cmake", *map(str, args)], check=True, env=env)


def built_module(build_dir, config, stage):
    """The module built by CMake in build_dir, installed into stage."""
    build_dir = pathlib.Path(build_dir).resolve()
    if not (build_dir / "CMakeCache.txt").exists():
        options = ["-DCMAKE_BUILD_TYPE=Release", f"-DPython3_EXECUTABLE={sys.executable}",
                   "-DKVIAPWS97_TESTS=OFF", "-DKVIAPWS97_BENCHMARKS=OFF"]
        try:
            import pybind11
            options.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass
        cmake("-S", ROOT, "-B", build_dir, *options)
    jobs = config.get("jobs") or os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or "2"
    cmake("--build", build_dir, "--target", "kviapws97_python", "-j", jobs)
    cmake("--install", build_dir, "--component", "python", env={**os.environ, "DESTDIR": str(stage)})
    found = [p for p in pathlib.Path(stage).rglob(f"{NAME}*.so")]
    if len(found) != 1:
        raise RuntimeError(f"the CMake install gave {found}, not one module")
    suffix = sysconfig.get_config_var("EXT_SUFFIX")
    if not found[0].name.endswith(suffix):
        raise RuntimeError(f"{found[0].name} was built for another interpreter than {sys.executable} ({suffix})")
    return found[0]


def record_line(path, data):
    digest = base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b"=").decode()
    return f"{path},sha256={digest},{len(data)}"


# --- the PEP 517 hooks -------------------------------------------------------

def system_pybind11():
    """Whether CMake finds pybind11 without Python's package (Debian: pybind11-dev)."""
    prefixes = [pathlib.Path(p) for p in os.environ.get("CMAKE_PREFIX_PATH", "").split(os.pathsep) if p]
    prefixes += [pathlib.Path(p) for p in ("/usr", "/usr/local", sys.prefix)]
    return any(list(p.glob("lib*/cmake/pybind11/pybind11Config.cmake")) + list(p.glob("share/cmake/pybind11/pybind11Config.cmake"))
               for p in prefixes)


def get_requires_for_build_wheel(config_settings=None):
    # NumPy is in [build-system] requires; pybind11's Python package only
    # where no system one is found.
    return [] if system_pybind11() else ["pybind11"]


def get_requires_for_build_sdist(config_settings=None):
    return []


def prepare_metadata_for_build_wheel(metadata_directory, config_settings=None):
    return write_dist_info(metadata_directory)


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    config = config_settings or {}
    with tempfile.TemporaryDirectory(prefix=f"{NAME}-wheel-") as scratch:
        scratch = pathlib.Path(scratch)
        module = built_module(config.get("build-dir") or scratch / "build", config, scratch / "stage")
        write_dist_info(scratch / "meta")
        files = [(module.name, module.read_bytes())]
        files += [(f"{dist_info()}/{p.name}", p.read_bytes()) for p in sorted((scratch / "meta" / dist_info()).iterdir())]
        wheel = pathlib.Path(wheel_directory) / f"{NAME}-{version()}-{tag()}.whl"
        with zipfile.ZipFile(wheel, "w", zipfile.ZIP_DEFLATED) as z:
            for path, data in files:
                z.writestr(path, data)
            record = f"{dist_info()}/RECORD"
            z.writestr(record, "\n".join([record_line(p, d) for p, d in files] + [f"{record},,"]) + "\n")
    return wheel.name


def build_sdist(sdist_directory, config_settings=None):
    """The files git tracks (or, outside git, the tree without build directories)."""
    try:
        names = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True, capture_output=True).stdout
        files = [ROOT / n for n in names.decode().split("\0") if n]
    except (OSError, subprocess.CalledProcessError):
        files = [p for p in ROOT.rglob("*") if p.is_file() and not any(
            part.startswith((".git", "build")) for part in p.relative_to(ROOT).parts)]
    base = f"{NAME}-{version()}"
    sdist = pathlib.Path(sdist_directory) / f"{base}.tar.gz"
    with tarfile.open(sdist, "w:gz") as tar:
        for f in files:
            if f.is_file():
                tar.add(f, arcname=f"{base}/{f.relative_to(ROOT)}")
        with tempfile.TemporaryDirectory() as scratch:
            info = pathlib.Path(scratch) / "PKG-INFO"
            info.write_text(metadata())
            tar.add(info, arcname=f"{base}/PKG-INFO")
    return sdist.name
