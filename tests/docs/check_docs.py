#!/usr/bin/env python3
"""Checks that the docs cannot drift from the source without a test failing.

    check_docs.py reference <source dir>
        docs/automation.md names, in backticks, every member of IHumichartCtl
        and ICalID and every event (their DISPIDs read from the type
        libraries' descriptions, 1 to the last without a gap), and names every
        example file; every line
        of its VBScript blocks (```vb), and of the README's, is a line of an
        example under docs/examples, which the test command runs (VBA-only
        code is fenced ```vba and not checked).
    check_docs.py layout <source dir>
        the table of docs/layout.md names folders that exist, every folder at
        the top of the source, and every sub-folder of a folder whose
        sub-folders it lists. Build trees, dot folders and out/ are not the
        source.
"""
import pathlib
import re
import sys


def reference(source):
    text = (source / "docs/automation.md").read_text(encoding="utf-8")
    problems = []
    for idl in ("Humichart.idl", "Humicalc.idl"):
        members = {}  # interface -> {DISPID: name}
        interface = None
        for line in (source / "resources" / idl).read_text(encoding="utf-8").splitlines():
            opening = re.match(r"\s*(?:disp)?interface\s+(\w+)\s*(?::|$)", line)
            if opening:
                interface = opening.group(1)
            member = re.search(r"\bid\((\d+)\)[^\]]*\]\s*(?:HRESULT|void)\s+([A-Za-z_]\w*)\s*\(", line)
            if member and interface:
                members.setdefault(interface, {})[int(member.group(1))] = member.group(2)
        for interface, names in members.items():
            # DISPIDs run from 1 without a gap: a declaration this reading
            # missed shows as a gap rather than as a member never checked.
            problems += [f"{interface} has no DISPID {number} as read from {idl}"
                         for number in range(1, max(names) + 1) if number not in names]
            problems += [f"{name} ({interface}, DISPID {number}) is not named"
                         for number, name in sorted(names.items()) if f"`{name}`" not in text]
        if not members:
            problems.append(f"no member read from {idl}")
    examples = sorted((source / "docs/examples").glob("*.vbs"))
    problems += [f"{path.name} is not named" for path in examples if path.name not in text]
    example_lines = set()
    for path in examples:
        example_lines.update(line.strip() for line in path.read_text(encoding="utf-8").splitlines())
    for doc in ("docs/automation.md", "README.md"):
        in_block = False
        for number, line in enumerate((source / doc).read_text(encoding="utf-8").splitlines(), 1):
            if line.strip().startswith("```"):
                in_block = line.strip() == "```vb" if not in_block else False
                continue
            if in_block and line.strip() and line.strip() not in example_lines:
                problems.append(f"{doc}, line {number}, is in no example: {line.strip()}")
    return problems


def layout(source):
    listed = set()
    for row in (source / "docs/layout.md").read_text(encoding="utf-8").splitlines():
        if row.startswith("| `"):
            listed.update(name.rstrip("/") for name in re.findall(r"`([^`]+)`", row.split("|")[1]))
    problems = [f"listed but not there: {name}" for name in sorted(listed)
                if not (source / name).is_dir()]
    parents = {name.split("/")[0] for name in listed if "/" in name}
    listed |= parents
    required = {path.name for path in source.iterdir()
                if path.is_dir() and not path.name.startswith((".", "build")) and path.name != "out"
                and not (path / "CMakeCache.txt").exists()}
    for parent in parents:
        required |= {f"{parent}/{path.name}" for path in (source / parent).iterdir() if path.is_dir()}
    problems += [f"there but not listed: {name}" for name in sorted(required - listed)]
    return problems


if __name__ == "__main__":
    check, source = sys.argv[1], pathlib.Path(sys.argv[2])
    found = {"reference": reference, "layout": layout}[check](source)
    for problem in found:
        print(problem)
    sys.exit(1 if found else 0)
