// The stand-in host's word on a resource that does not exist: a host
// function called on a missing object, limb, mesh, image, memblock, sound,
// file or matrix tells whoever listens (the runner prints it as a warning),
// and then does what it always did.
#pragma once
#include <string>

#include "hostsim.h"

namespace hostsim {

struct Missing {
  const char* function;  // as the host function list names it: "Position", "ImageLock"
  std::string resource;  // "object 1", "limb 2 of object 1"
};

// Called for each missing resource that a host function meets, when set; a
// reset leaves it in place.
HS_API extern void (*on_missing)(const Missing& missing);

}  // namespace hostsim
