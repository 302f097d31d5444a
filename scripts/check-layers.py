#!/usr/bin/env python3
"""Checks that src/ keeps its layering, from the libraries the CMakeLists declare.

A source file belongs to the library whose quorlin_library or target_sources call names it (a
header to the library of its .cpp); a file named nowhere belongs to the first library of its
folder, the plain one where a folder holds a plain and a window library. Then:
  - every #include "dir/file.h" reaches only the including library itself or a library it
    depends on, directly or through others;
  - every #include <Q...> comes from a Qt module the library depends on (Core through
    quorlin_resources, Widgets only from quorlin_platform up);
  - the libraries listed in PLAIN depend on no Qt module beyond Core;
  - src/tools2d and src/plot3d never include each other, and src/core includes no Qt header.
With --graph FILE (the target graph a configure wrote with cmake --graphviz=FILE) it also reads
what the build really links: each plain library, and each test on the plain test support, must
reach no Qt module beyond Core and no library that is not plain. That is what a build with
-DQUORLIN_GUI=OFF would show, read from the one build CI compiles anyway.
Prints each violation with its file and line and exits 1 if there was any.
"""
import argparse
import glob
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SRC = os.path.join(ROOT, "src")

# Libraries that must stay plain C++ (Qt Core value types at most), testable without windows.
PLAIN = {"quorlin_core", "quorlin_resources", "quorlin_shell_records", "quorlin_metafile_format",
         "quorlin_canvas_records", "quorlin_formula", "quorlin_examples",
         "quorlin_example_operations", "quorlin_diagram_body", "quorlin_dynamics", "quorlin_plot2d",
         "quorlin_tools2d", "quorlin_plot3d"}
# Plain libraries that still link the widget stack, each with its reason; printed on every run.
KNOWN = {}
# Folders that stand side by side and never include each other.
APART = [("tools2d", "plot3d")]
# The Qt header folders each CMake target lets a library include.
QT_MODULES = {"Qt6::Core": {"QtCore"}, "Qt6::Gui": {"QtCore", "QtGui"},
              "Qt6::Widgets": {"QtCore", "QtGui", "QtWidgets"}, "Qt6::Svg": {"QtSvg"},
              "Qt6::PrintSupport": {"QtPrintSupport"}, "Qt6::Network": {"QtNetwork"}}
CALL = re.compile(r"\b(quorlin_library|target_sources)\(\s*(\w+)(.*?)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)


def read_libraries():
    """Each library's folder, direct dependencies, and the files of each folder it owns."""
    libs, owner, first = {}, {}, {}
    for cmake in sorted(glob.glob(os.path.join(SRC, "**", "CMakeLists.txt"), recursive=True)):
        folder = os.path.relpath(os.path.dirname(cmake), SRC)
        text = re.sub(r"#.*", "", open(cmake, encoding="utf-8").read())
        for call, name, args in CALL.findall(text):
            lib = libs.setdefault(name, {"folder": folder, "depends": set()})
            first.setdefault(folder, name)
            words, part = args.split(), "SOURCES"
            for word in words:
                if word in ("SOURCES", "DEPENDS", "PRIVATE", "PUBLIC"):
                    part = word
                elif part == "DEPENDS":
                    lib["depends"].add(word)
                elif word.endswith(".cpp") or word.endswith(".h"):
                    # A header without a source of its own is listed under the library it
                    # belongs to.
                    owner[os.path.join(folder, os.path.splitext(word)[0])] = name
    return libs, owner, first


def closure(libs, name):
    """The library and everything it depends on, Qt targets included."""
    seen, todo = set(), [name]
    while todo:
        lib = todo.pop()
        if lib not in seen:
            seen.add(lib)
            todo.extend(libs.get(lib, {}).get("depends", ()))
    return seen


def qt_header_modules():
    """The Qt module folder of each Qt header name (QString -> QtCore)."""
    modules = {}
    for root in glob.glob("/usr/include/*/qt6") + glob.glob("/usr/include/qt6"):
        for path in glob.glob(os.path.join(root, "Qt*", "Q*")):
            modules.setdefault(os.path.basename(path), os.path.basename(os.path.dirname(path)))
    return modules


def library_of(path, owner, first):
    stem = os.path.splitext(path)[0]
    return owner.get(stem) or first.get(os.path.dirname(path))


# Targets of the graph that a plain target may reach besides plain libraries: Qt Core with what
# it brings, Qt's code generators (build tools, never linked) and the test frameworks.
GRAPH_ALLOWED = {"quorlin_options", "quorlin_plain_test_support", "Qt6::Core", "Qt::Core",
                 "Qt6::Platform", "Qt6::moc", "Qt6::uic", "Qt6::rcc", "Threads::Threads",
                 "WrapAtomic::WrapAtomic", "GTest::gtest", "GTest::gtest_main", "GTest::gmock",
                 "GTest::gmock_main"}
NODE = re.compile(r'^\s*"(\w+)" \[ label = "([^"]+)"', re.M)
EDGE = re.compile(r'^\s*"(\w+)" -> "(\w+)"', re.M)


def check_graph(path):
    """The problems of the linked graph: plain targets that reach the windowing stack."""
    text = open(path, encoding="utf-8").read()
    label = dict(NODE.findall(text))
    edges = {}
    for a, b in EDGE.findall(text):
        edges.setdefault(label[a], set()).add(label[b])
    targets = set(label.values())

    def reach(name):
        seen, todo = set(), [name]
        while todo:
            node = todo.pop()
            if node not in seen:
                seen.add(node)
                todo.extend(edges.get(node, ()))
        return seen - {name}

    problems = [f"{path}: the plain library {name} is not in the build graph"
                for name in sorted(PLAIN - targets)]
    plain_tests = {t for t in targets if "quorlin_plain_test_support" in edges.get(t, ())}
    if not plain_tests:
        problems.append(f"{path}: no test on quorlin_plain_test_support in the build graph")
    for name in sorted((PLAIN & targets) | plain_tests):
        # qt_add_resources compiles a library's resources into object libraries of its own
        # (quorlin_resources_resources_1): they count as their plain library.
        beyond = sorted(t for t in reach(name) - PLAIN - GRAPH_ALLOWED
                        if t.rsplit("_resources_", 1)[0] not in PLAIN)
        if beyond:
            kind = "test" if name in plain_tests else "library"
            problems.append(f"{name}: a plain {kind}, yet the build links it with "
                            f"{', '.join(beyond)}")
    if not problems:
        print(f"check-layers: build graph: {len(PLAIN & targets)} plain libraries and "
              f"{len(plain_tests)} plain tests reach Qt Core at most")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--graph", metavar="FILE",
                        help="also check the target graph written by cmake --graphviz=FILE")
    args = parser.parse_args()
    libs, owner, first = read_libraries()
    qt_headers = qt_header_modules()
    if not qt_headers:
        print("check-layers: no Qt headers found under /usr/include", file=sys.stderr)
        return 1
    reach = {name: closure(libs, name) for name in libs}
    allowed_qt = {name: set().union(*(QT_MODULES.get(t, set()) for t in reach[name]))
                  for name in libs}
    problems = []
    for name in sorted(PLAIN & set(libs)):
        beyond = allowed_qt[name] - {"QtCore"}
        if name in KNOWN:
            state = "still links the widget stack" if beyond else "is plain now: drop it from KNOWN"
            print(f"check-layers: known: {name} {state} ({KNOWN[name]})")
        elif beyond:
            problems.append(f"{name}: a plain library, yet it links {', '.join(sorted(beyond))}")

    for path in sorted(glob.glob(os.path.join(SRC, "**", "*.[ch]*"), recursive=True)):
        rel = os.path.relpath(path, SRC)
        folder, lib = os.path.dirname(rel), library_of(rel, owner, first)
        if lib is None:
            continue  # a folder without a library: the program's main
        text = open(path, encoding="utf-8").read()
        for match in INCLUDE.finditer(text):
            where = f"src/{rel}:{text.count(chr(10), 0, match.start()) + 1}"
            kind, target = match.groups()
            if kind == '"':
                other = library_of(target, owner, first)
                top = target.split("/")[0]
                if other is None:
                    problems.append(f'{where}: "{target}" is in no library')
                elif other not in reach[lib]:
                    problems.append(f'{where}: {lib} includes "{target}" of {other}, '
                                    "which it does not depend on")
                for a, b in APART:
                    if {folder.split("/")[0], top} == {a, b}:
                        problems.append(f'{where}: {a} and {b} never include each other')
            elif target.startswith("Q"):
                module = qt_headers.get(target.split("/")[-1])
                if folder == "core" or module not in allowed_qt[lib]:
                    problems.append(f"{where}: {lib} includes <{target}> of "
                                    f"{module or 'no Qt module'}, which it does not link")
    if args.graph:
        problems += check_graph(args.graph)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
