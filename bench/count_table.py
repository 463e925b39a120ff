#!/usr/bin/env python3
"""Tables of the instruction counts of bench/count_commands.cpp.

    count_table.py callgrind SOURCE_ROOT OBJECT_DIR DUMP_DIR
    count_table.py ranges SOURCE_ROOT OBJECT_DIR PROGRAM > RANGES
    count_table.py steps NAMES STEPS

callgrind: DUMP_DIR holds two callgrind runs of the same calls: costs.out.N,
collected only inside each call (instruction counts), and counts.out.N,
zeroed before each call (call counts, which callgrind keeps across calls in
the first mode).  ranges: the function ranges of a statically linked driver
with their owners, for bench/count_steps.cpp; steps: the table from its
output (STEPS) and the driver's list of counted calls (NAMES).

A function is the plug-in's when its symbol is defined only in objects built
from the five plug-in folders, the stand-in host's when only in objects from
hostsim/; anything else (the C and C++ libraries, inline code that both
compile) counts for whoever calls it.  Per dump:

- host calls: calls from plug-in functions into the stand-in host;
- total: every instruction of the call;
- plug-in: the plug-in functions' own instructions, plus everything the
  library functions they call directly execute;
- allocations: malloc-family calls whose nearest caller outside the
  libraries is a plug-in function (the dumps separate these by call chain).
"""
import os
import subprocess
import sys

PLUGIN_FOLDERS = ("plugin", "draw2d", "objects3d", "rotation", "utilities")
HOST_FOLDER = "hostsim"
ALLOCATORS = {"malloc", "calloc", "realloc", "posix_memalign", "aligned_alloc", "memalign"}
CODE_TYPES = set("TtWwi")
PRIORITY = "CAPHDL"  # of two names for one address, the one that says more


def symbol_owners(root, object_dir):
    """Mangled function name -> set of owners ('plugin', 'host', 'other')."""
    prefix = root.replace("/", "_") + "_"
    owners = {}
    for name in sorted(os.listdir(object_dir)):
        source = name[len(prefix):] if name.startswith(prefix) else name
        folder = source.split("_", 1)[0]
        owner = ("plugin" if folder in PLUGIN_FOLDERS else "host" if folder == HOST_FOLDER
                 else "driver" if folder == "bench" else "other")
        listing = subprocess.run(["nm", "--defined-only", "-P", os.path.join(object_dir, name)],
                                 capture_output=True, text=True, check=True).stdout
        for line in listing.splitlines():
            fields = line.split()
            if len(fields) >= 2 and fields[1] in CODE_TYPES:
                owners.setdefault(fields[0], set()).add(owner)
    return owners


def classify(owners, function):
    found = owners.get(function.split("'")[0], set())
    return next(iter(found)) if len(found) == 1 else "library"


def read_dump(path):
    """(name, total, self costs by function, [(caller, callee, count, inclusive)])."""
    name, total = "?", 0
    own, calls = {}, []
    function = callee = None
    pending = None  # call count waiting for its cost line
    with open(path) as dump:
        for line in dump:
            line = line.rstrip("\n")
            if not line:
                continue
            if line.startswith("desc: Trigger: Client Request: "):
                name = line[len("desc: Trigger: Client Request: "):]
            elif line.startswith(("summary:", "totals:")):
                total = max(total, int(line.split()[1]))
            elif line.startswith("fn="):
                function, pending = line[3:], None
            elif line.startswith("cfn="):
                callee = line[4:]
            elif line.startswith("calls="):
                pending = int(line[6:].split()[0])
            elif line[0].isdigit() or line[0] in "+-*":
                fields = line.split()
                cost = int(fields[1]) if len(fields) > 1 else 0
                if pending is not None:
                    calls.append((function, callee, pending, cost))
                    pending = None
                else:
                    own[function] = own.get(function, 0) + cost
    return name, total, own, calls


def allocated_by_plugin(owners, allocator_context):
    for caller in allocator_context.split("'")[1:]:
        owner = classify(owners, caller)
        if owner != "library":
            return owner == "plugin"
    return False


def costs(owners, dump):
    name, total, own, calls = read_dump(dump)
    plugin = sum(cost for function, cost in own.items() if classify(owners, function) == "plugin")
    for caller, callee, _, inclusive in calls:
        if classify(owners, caller) == "plugin" and classify(owners, callee) == "library":
            plugin += inclusive
    return name, total, plugin


def counts(owners, dump):
    name, _, _, calls = read_dump(dump)
    host_calls = allocations = 0
    for caller, callee, times, _ in calls:
        if callee.split("'")[0] in ALLOCATORS and allocated_by_plugin(owners, callee):
            allocations += times
        if classify(owners, caller) == "plugin" and classify(owners, callee) == "host":
            host_calls += times
    return name, host_calls, allocations


def dumps(folder, run):
    found = [f for f in os.listdir(folder) if f.startswith(run + ".out.")]
    return [os.path.join(folder, f) for f in sorted(found, key=lambda f: int(f.rsplit(".", 1)[1]))]


def print_table(rows):
    """rows: (name, host calls, total, plug-in, allocations)."""
    print("| command | host calls | total | plug-in | plug-in per host call | heap allocations |")
    print("|---|---:|---:|---:|---:|---:|")
    for name, host_calls, total, plugin, allocations in rows:
        per_call = f"{plugin / host_calls:.1f}" if host_calls else "–"
        print(f"| {name} | {host_calls} | {total} | {plugin} | {per_call} | {allocations} |")


def callgrind_table(root, object_dir, folder):
    owners = symbol_owners(root, object_dir)
    cost_rows = [costs(owners, dump) for dump in dumps(folder, "costs")]
    count_rows = [counts(owners, dump) for dump in dumps(folder, "counts")]
    if len(cost_rows) != len(count_rows) or not cost_rows:
        sys.exit(f"{len(cost_rows)} cost dumps, {len(count_rows)} count dumps")
    rows = []
    for (name, total, plugin), (same_name, host_calls, allocations) in zip(cost_rows, count_rows):
        if name != same_name:
            sys.exit(f"the two runs differ: {name} / {same_name}")
        rows.append((name, host_calls, total, plugin, allocations))
    print_table(rows)


def ranges(root, object_dir, program):
    owners = symbol_owners(root, object_dir)
    letters = {"plugin": "P", "host": "H", "driver": "D", "library": "L", "other": "L"}
    listing = subprocess.run(["nm", "--defined-only", "-P", "-S", program],
                             capture_output=True, text=True, check=True).stdout
    by_start = {}
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) < 4 or fields[1] not in CODE_TYPES:
            continue
        name, start, size = fields[0], int(fields[2], 16), int(fields[3], 16)
        if size == 0:
            continue
        if name == "ec_counted_call":
            owner = "C"
        elif name in ALLOCATORS:
            owner = "A"
        else:
            owner = letters[classify(owners, name)]
        known = by_start.get(start)
        if known is None or PRIORITY.index(owner) < PRIORITY.index(known[1]):  # aliases
            by_start[start] = (start + size, owner)
    for start, (end, owner) in sorted(by_start.items()):
        print(f"{start:x} {end:x} {owner}")


def steps_table(names_path, steps_path):
    with open(names_path) as f:
        names = [line[len("counted "):].rstrip("\n") for line in f if line.startswith("counted ")]
    with open(steps_path) as f:
        counts_ = [list(map(int, line.split())) for line in f if line.strip()]
    if len(names) != len(counts_) or not names:
        sys.exit(f"{len(names)} calls named, {len(counts_)} counted")
    print_table([(name, host_calls, total, plugin, allocations)
                 for name, (total, plugin, host_calls, allocations) in zip(names, counts_)])


def main():
    mode, arguments = sys.argv[1], sys.argv[2:]
    if mode == "callgrind":
        callgrind_table(*arguments)
    elif mode == "ranges":
        ranges(*arguments)
    elif mode == "steps":
        steps_table(*arguments)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
