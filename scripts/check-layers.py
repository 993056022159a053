#!/usr/bin/env python3
"""Checks that the folders of src/ stay layers.

Every #include "folder/file.h" between folders of src/ must point down the layer order below,
or sideways within one layer without forming a circle. Portable core files (names without the
"_win" ending) must not include <windows.h> or a "_win" header. Prints every fault and exits 1
when there is one. Ends with the shape of the tree: folders, layers, includes between folders
(lines, and the pairs of folders they join), includes that run up, circles.
"""
import os
import re
import sys

# Top to bottom. Folders in one entry form one layer.
LAYERS = [
    ["startup"],
    ["menus", "launch", "audio", "keys", "video", "howtoplay"],
    ["graphics", "captions"],
    ["settings", "input"],
    ["platform", "resources"],
]
RANK = {folder: rank for rank, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def main(src):
    faults = []
    sideways = {}  # folder -> {folder: first place that includes it}
    between, pairs, up = 0, set(), 0
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            folder = rel.split("/")[0]
            if folder not in RANK:
                faults.append(f"{rel}: folder '{folder}' is in no layer (add it to scripts/check-layers.py)")
                continue
            portable = not os.path.splitext(name)[0].endswith("_win")
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{rel}:{number}"
                    if portable and (target.lower() in ("windows.h", "mmsystem.h")
                                     or os.path.splitext(target)[0].endswith("_win")):
                        faults.append(f"{where}: portable core includes {target}")
                    if kind != '"' or "/" not in target:
                        continue
                    to = target.split("/")[0]
                    if to not in RANK:
                        continue
                    if to != folder:
                        between += 1
                        pairs.add((folder, to))
                    if RANK[to] < RANK[folder]:
                        up += 1
                        faults.append(f"{where}: {folder}/ includes {target}, a layer above it")
                    elif RANK[to] == RANK[folder] and to != folder:
                        sideways.setdefault(folder, {}).setdefault(to, where)
    loops = circles(sideways)
    faults += loops
    for fault in faults:
        print(fault)
    print(f"{len(RANK)} folders in {len(LAYERS)} layers; {between} includes between folders, joining "
          f"{len(pairs)} pairs; {up} run up; {len(loops)} circles")
    if faults:
        print(f"{len(faults)} layering fault(s)")
        return 1
    print("layers: every include points down or sideways without a circle")
    return 0


def circles(edges):
    """One message per circle found among sideways includes."""
    found, state = [], {}

    def visit(node, trail):
        state[node] = "open"
        for nxt, where in sorted(edges.get(node, {}).items()):
            if state.get(nxt) == "open":
                loop = trail[trail.index(nxt):] + [nxt] if nxt in trail else [node, nxt]
                found.append("circle: " + " -> ".join(loop) + f" (closed at {where})")
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [node])
    return found


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src")))
