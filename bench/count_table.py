#!/usr/bin/env python3
"""Instruction counts of bench/count_commands.cpp, and their budget.

    count_table.py callgrind OBJECT_DIR DUMP_DIR > COUNTS
    count_table.py ranges OBJECT_DIR PROGRAM > RANGES
    count_table.py steps NAMES STEPS > COUNTS
    count_table.py table COUNTS
    count_table.py check BUDGET DOC BUILD=COUNTS...
    count_table.py update BUDGET DOC BUILD=COUNTS...

callgrind: DUMP_DIR holds two callgrind runs of the same calls: costs.out.N,
collected only inside each call (instruction counts), and counts.out.N,
zeroed before each call (call counts, which callgrind keeps across calls in
the first mode).  ranges: the function ranges of a statically linked driver
with their owners, for bench/count_plugin.c; steps: the counts from its
output (STEPS) and the driver's list of counted calls (NAMES).  OBJECT_DIR is
the driver's object folder, one object per source at the source's path.

COUNTS is one line per counted call: name, host calls, total, plug-in,
allocations, separated by tabs; table prints it as a Markdown table.
check compares the counts of each BUILD (native, i686) with the committed
BUDGET: a command fails when its host calls or heap allocations differ at
all, or its plug-in instructions rise by more than 2 %; DOC's generated
tables must be those of the budget.  It prints one line per failure and the
summary "counts: P passed, F failed".  update writes the counts into BUDGET
and DOC's tables.

A function is the plug-in's when its symbol is defined only in objects built
from the five plug-in folders, the stand-in host's when only in objects from
hostsim/; anything else (the C and C++ libraries, inline code that both
compile) counts for whoever calls it.  Per counted call:

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


def objects(object_dir):
    """(source folder, object path) of every object under OBJECT_DIR."""
    for folder, _, names in sorted(os.walk(object_dir)):
        for name in sorted(names):
            if name.endswith(".o"):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, object_dir).split(os.sep)[0], path


def symbol_owners(object_dir):
    """Mangled function name -> set of owners ('plugin', 'host', 'driver', 'other')."""
    owners = {}
    for folder, path in objects(object_dir):
        owner = ("plugin" if folder in PLUGIN_FOLDERS else "host" if folder == HOST_FOLDER
                 else "driver" if folder == "bench" else "other")
        listing = subprocess.run(["nm", "--defined-only", "-P", path],
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


def print_counts(rows):
    """rows: (name, host calls, total, plug-in, allocations)."""
    for row in rows:
        print("\t".join(map(str, row)))


def read_counts(path):
    with open(path) as f:
        return [(name, int(calls), int(total), int(plugin), int(allocations))
                for name, calls, total, plugin, allocations in (line.rstrip("\n").split("\t") for line in f)]


def markdown_table(rows):
    lines = ["| command | host calls | total | plug-in | plug-in per host call | heap allocations |",
             "|---|---:|---:|---:|---:|---:|"]
    for name, host_calls, total, plugin, allocations in rows:
        per_call = f"{plugin / host_calls:.1f}" if host_calls else "–"
        lines.append(f"| {name} | {host_calls} | {total} | {plugin} | {per_call} | {allocations} |")
    return "\n".join(lines) + "\n"


def callgrind_counts(object_dir, folder):
    owners = symbol_owners(object_dir)
    cost_rows = [costs(owners, dump) for dump in dumps(folder, "costs")]
    count_rows = [counts(owners, dump) for dump in dumps(folder, "counts")]
    if len(cost_rows) != len(count_rows) or not cost_rows:
        sys.exit(f"{len(cost_rows)} cost dumps, {len(count_rows)} count dumps")
    rows = []
    for (name, total, plugin), (same_name, host_calls, allocations) in zip(cost_rows, count_rows):
        if name != same_name:
            sys.exit(f"the two runs differ: {name} / {same_name}")
        rows.append((name, host_calls, total, plugin, allocations))
    print_counts(rows)


def ranges(object_dir, program):
    owners = symbol_owners(object_dir)
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


def steps_counts(names_path, steps_path):
    with open(names_path) as f:
        names = [line[len("counted "):].rstrip("\n") for line in f if line.startswith("counted ")]
    with open(steps_path) as f:
        counts_ = [list(map(int, line.split())) for line in f if line.strip()]
    if len(names) != len(counts_) or not names:
        sys.exit(f"{len(names)} calls named, {len(counts_)} counted")
    print_counts([(name, host_calls, total, plugin, allocations)
                  for name, (total, plugin, host_calls, allocations) in zip(names, counts_)])


BUDGET_HEADER = "build\tcommand\thost calls\ttotal\tplug-in\theap allocations\n"
ALLOWED_RISE = 0.02  # plug-in instructions may grow by 2 % before the check fails
DOC_NAME = "docs/performance.md"
BUILD_TITLES = {"native": "native (callgrind)", "i686": "i686 (qemu-i386 plug-in)"}


def read_budget(path):
    """build -> [(name, host calls, total, plug-in, allocations)], in the file's order."""
    budget = {}
    with open(path) as f:
        for line in list(f)[1:]:
            build, name, *numbers = line.rstrip("\n").split("\t")
            budget.setdefault(build, []).append((name, *map(int, numbers)))
    return budget


def generated_tables(budget):
    """The tables of DOC, between the markers that name each build."""
    return {build: f"<!-- counts {build} -->\n### {BUILD_TITLES[build]}\n\n{markdown_table(rows)}<!-- end -->"
            for build, rows in budget.items()}


def doc_with_tables(doc, budget):
    for build, table in generated_tables(budget).items():
        start = doc.find(f"<!-- counts {build} -->")
        end = doc.find("<!-- end -->", start)
        if start < 0 or end < 0:
            sys.exit(f"{DOC_NAME}: no markers for the {build} table")
        doc = doc[:start] + table + doc[end + len("<!-- end -->"):]
    return doc


def row_failures(build, row, budgeted):
    name, host_calls, _, plugin, allocations = row
    if budgeted is None:
        return [f"{name} ({build}): not in the budget"]
    _, budget_calls, _, budget_plugin, budget_allocations = budgeted
    failures = []
    if host_calls != budget_calls:
        failures.append(f"{name} ({build}): {host_calls} host calls, budget {budget_calls}")
    if allocations != budget_allocations:
        failures.append(f"{name} ({build}): {allocations} heap allocations, budget {budget_allocations}")
    if plugin > budget_plugin * (1 + ALLOWED_RISE):
        rise = 100.0 * (plugin - budget_plugin) / max(budget_plugin, 1)
        failures.append(f"{name} ({build}): {plugin} plug-in instructions, budget {budget_plugin} (+{rise:.1f} %)")
    return failures


def check(budget_path, doc_path, counted):
    budget = read_budget(budget_path)
    passed = failed = 0
    for build, rows in counted.items():
        budgeted = {row[0]: row for row in budget.get(build, [])}
        for row in rows:
            failures = row_failures(build, row, budgeted.pop(row[0], None))
            for failure in failures:
                print(f"FAILED {failure}")
            passed, failed = passed + (not failures), failed + bool(failures)
        for name in budgeted:
            print(f"FAILED {name} ({build}): in the budget, not counted")
            failed += 1
    with open(doc_path) as f:
        doc = f.read()
    if doc_with_tables(doc, budget) == doc:
        passed += 1
    else:
        print(f"FAILED {DOC_NAME}: its tables are not the budget's (sh scripts/count.sh --update)")
        failed += 1
    print(f"counts: {passed} passed, {failed} failed")
    if failed:
        sys.exit(1)


def update(budget_path, doc_path, counted):
    budget = read_budget(budget_path) if os.path.exists(budget_path) else {}
    budget.update(counted)
    with open(budget_path, "w") as f:
        f.write(BUDGET_HEADER)
        for build in sorted(budget, key=list(BUILD_TITLES).index):
            for row in budget[build]:
                f.write("\t".join(map(str, (build, *row))) + "\n")
    with open(doc_path) as f:
        doc = f.read()
    with open(doc_path, "w") as f:
        f.write(doc_with_tables(doc, read_budget(budget_path)))


def main():
    mode, arguments = sys.argv[1], sys.argv[2:]
    if mode == "callgrind":
        callgrind_counts(*arguments)
    elif mode == "ranges":
        ranges(*arguments)
    elif mode == "steps":
        steps_counts(*arguments)
    elif mode == "table":
        print(markdown_table(read_counts(arguments[0])), end="")
    elif mode in ("check", "update"):
        counted = {build: read_counts(path) for build, path in (a.split("=", 1) for a in arguments[2:])}
        (check if mode == "check" else update)(arguments[0], arguments[1], counted)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
