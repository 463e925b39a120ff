// The runner's own directives, in lower case to set them apart from the
// commands and the host functions: screen, load image, screenshot, record,
// mouse, frames, print, expect, ...  Each is listed once, in directives.cpp,
// with the ways it is written and what it does; docs/runner.md's table is
// that list (the runner's tests compare them).
#pragma once
#include <string>
#include <vector>

#include "callees.h"

namespace runner {

void add_directives(std::vector<Callee>& list);

// The table of directives in docs/runner.md, one row a directive.
std::string directive_table();

}  // namespace runner
