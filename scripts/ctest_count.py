#!/usr/bin/env python3
"""Counts one ctest run from its JUnit file (ctest --output-junit).

    ctest_count.py NAME JUNIT

Prints one line per failure, saying which test and why, then the summary
"NAME: P passed, F failed".  Each ctest test is judged by ctest's verdict
and, when it is a googletest program, by its own summary as well:

- a test whose output holds a googletest summary counts the tests that the
  summary reports passed and failed; if ctest marked it failed (a crash
  while unloading, say) while the summary reports no failure, it is one
  failure more;
- a googletest program that started but printed no summary (a crash ends
  the whole program) counts the tests it reported as ended, and one failure
  more, naming the test it was running;
- any other test (an example script, the corpus replay) is one test, as
  ctest judged it.

No result at all (no JUnit file, or no test in it) is one failure.
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

STARTED = re.compile(r"^\[==========\] Running ", re.M)
FINISHED = re.compile(r"^\[==========\] \d+ tests? from \d+ test suites? ran\.", re.M)
PASSED = re.compile(r"^\[  PASSED  \] (\d+) tests?\.", re.M)
FAILED = re.compile(r"^\[  FAILED  \] (\d+) tests?, listed below", re.M)
RUN = re.compile(r"^\[ RUN      \] (.+)", re.M)
TEST_PASSED = re.compile(r"^\[       OK \] ", re.M)
TEST_FAILED = re.compile(r"^\[  FAILED  \] ", re.M)


def ended_early(output):
    """(passed, failed, reason) of a googletest program that ended before its
    summary: the tests it saw end, and the one it was in (or had just left)."""
    passed = len(TEST_PASSED.findall(output))
    failed = len(TEST_FAILED.findall(output))
    started = [name.strip() for name in RUN.findall(output)]
    where = "before its first test"
    if started:
        where = ("in " if len(started) > passed + failed else "after ") + started[-1]
    return passed, failed + 1, f"googletest printed no summary (the program ended early, {where})"


def judge(case):
    """(passed, failed, reason for the failure or None) of one ctest test."""
    ctest_failed = case.get("status") == "fail" or case.find("failure") is not None
    output = case.findtext("system-out") or ""
    if not STARTED.search(output):
        return (0, 1, "failed") if ctest_failed else (1, 0, None)
    if not FINISHED.search(output):
        return ended_early(output)
    passed = sum(int(n) for n in PASSED.findall(output))
    failed = sum(int(n) for n in FAILED.findall(output))
    if ctest_failed and failed == 0:
        return passed, 1, f"googletest reported {passed} passed, but the program failed"
    return passed, failed, f"{failed} googletest failures" if failed else None


def main():
    name, path = sys.argv[1], sys.argv[2]
    try:
        cases = ElementTree.parse(path).getroot().iter("testcase")
        verdicts = [(case.get("name"), judge(case)) for case in cases]
    except (OSError, ElementTree.ParseError) as error:
        verdicts = [("ctest", (0, 1, f"no result ({error})"))]
    if not verdicts:
        verdicts = [("ctest", (0, 1, "no test ran"))]
    for test, (_, _, reason) in verdicts:
        if reason:
            print(f"{name}: FAILED {test}: {reason}")
    passed = sum(v[0] for _, v in verdicts)
    failed = sum(v[1] for _, v in verdicts)
    print(f"{name}: {passed} passed, {failed} failed")


if __name__ == "__main__":
    main()
