#!/bin/sh
# Measures how much the native tests notice: makes each small change of the
# list below to a copy of the tree, one at a time, builds the native preset
# there and runs its tests.  A change that some test fails with is caught;
# one that every test passes with survived.  A change marked "(equivalent)"
# cannot be told apart by any input and does not count.  Not run by CI: a
# whole run takes an hour or more.
#
#   sh scripts/mutate.sh            every change
#   sh scripts/mutate.sh NAME...    only the named changes
#   sh scripts/mutate.sh --check    only whether every change still applies
#
# The copy and its build live in build/mutate; the results go to
# build/mutate/results.txt, a log per change beside it.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
work=$root/build/mutate
copy=$work/src
jobs=${JOBS:-2}

# name | file | sed program | what it changes  (fields apart by " | ")
changes() {
  cat <<'EOF'
sum-of-products | plugin/fmath.h | s/return f32(double(a) \* b + double(c) \* d);/return f32(a * b + c * d);/ | a·b + c·d formed in floats
text-nul | plugin/core_data.cpp | s/std::memcpy(buffer, text, length + 1);/std::memcpy(buffer, text, length);/ | a text result copied without its NUL
dependency-order | plugin/protocol.cpp | s/host::Module::Camera,  host::Module::Sound,/host::Module::Sound,  host::Module::Camera, / | two dependencies swapped
module-name | plugin/host_modules.inc | s/"CameraDebug.dll"/"CamreaDebug.dll"/ | a declared module's file name misspelt
undeclared-module-name | plugin/host_modules.inc | s/"BitmapDebug.dll"/"BitmapDbg.dll"/ | an undeclared module's file name misspelt
short-name-empty | plugin/text_commands.cpp | s/if (length <= 0) return/if (length < 0) return/ | GET SHORT FILENAME scans an empty name
galaxy-star-y | draw2d/shapes.cpp | s/int star_y = trunc_int(y + scale_y \* radius \* cosine);/int star_y = trunc_int(y - scale_y * radius * cosine);/ | DRAW GALAXY's star y offset subtracted
alignment-product | objects3d/alignment.cpp | s|float cosine = f32(double(dot) / product(t_length, d_length));|float cosine = f32(double(dot) / (double(t_length) * d_length));| | the lengths' product not stored as a float
capsule-middle | objects3d/primitives.cpp | s/float y = v.y > 0 ?/float y = v.y >= 0 ?/ | capsule vertices at height 0 move up
angle-squares | objects3d/queries.cpp | s/H.SqrtFF(sum(sum(square(u.y), square(u.x)), square(u.z)))/H.SqrtFF(sum(sum(square(u.x), square(u.z)), square(u.y)))/ | ANGLEBETWEENPOINTS's squares summed x, z, y
randomize-range | utilities/terrain.cpp | s/int range = trunc_int(high - low);/int range = trunc_int(double(high) - low);/ | RANDOMIZE MATRIX's range in double
smooth-order | utilities/terrain.cpp | s/float total = below + right;/float total = below + left;/;s/total = total + left;/total = total + right;/ | SMOOTH MATRIX adds below, left, right, above
angle-dot-order | objects3d/queries.cpp | s/float dot = sum(sum(product(v.y, u.y), product(v.x, u.x)), product(v.z, u.z));/float dot = sum(sum(product(v.x, u.x), product(v.z, u.z)), product(v.y, u.y));/ | ANGLEBETWEENPOINTS's products summed x, z, y
angle-squares-xyz | objects3d/queries.cpp | s/H.SqrtFF(sum(sum(square(u.y), square(u.x)), square(u.z)))/H.SqrtFF(sum(sum(square(u.x), square(u.y)), square(u.z)))/ | (equivalent) the first two squares swapped: a sum of two does not depend on their order
collision-bound | objects3d/queries.cpp | s/return d < range \&\& d > negative_range;/return d <= range \&\& d > negative_range;/ | the collision cube's upper bound included
distance-root-flag | objects3d/queries.cpp | s/root_wanted == root_flag ?/root_wanted >= root_flag ?/ | GET DISTANCE roots for any flag above 1
greyscale-rounding | draw2d/colour.cpp | s|(red + green + blue) / 3|(red + green + blue + 1) / 3| | GREYSCALE COLOR rounds up
brighten-blue | draw2d/colour.cpp | s/long long blue = H.RgbB(colour) + static_cast<long long>(amount);/long long blue = H.RgbB(colour) - static_cast<long long>(amount);/ | BRIGHTEN COLOR darkens blue
bezier-cubic | draw2d/bezier.cpp | s/float a = p3 - p0 - c - b;/float a = p3 - p0 - c + b;/ | a wrong cubic coefficient
shadow-offset | draw2d/text_effects.cpp | s/H.BasicText(wrap_add(x, 2), wrap_add(y, 1), t);/H.BasicText(wrap_add(x, 2), wrap_add(y, 2), t);/ | TEXT SHADOW one pixel lower
typewriter-end | draw2d/text_effects.cpp | s/if (trunc_int(progress) <= length)/if (trunc_int(progress) < length)/ | TYPEWRITER TEXT stops one step early
underline-height | draw2d/text_effects.cpp | s|int end_y = wrap_add(y, H.TextHeight(t));  // the height is asked again on purpose|int end_y = start_y;| | TEXT UNDERLINE asks the height once
key-range | utilities/input.cpp | s/if (key < 0 || key >= input::key_count) return 0;/if (key < 0 || key > input::key_count) return 0;/ | SINGLE KEYCHECK takes key 255
double-click-deadline | utilities/input.cpp | s/if (H.TimerL() > wrap_add(double_click.first_click_time, interval))/if (H.TimerL() >= wrap_add(double_click.first_click_time, interval))/ | the double-click deadline one millisecond shorter
swap-zero | utilities/input.cpp | s/if (value == 0.0f) return float_bits(0.0f);/if (value == 0.0f) return float_bits(value);/ | SWAP of -0 gives -0
health-band | draw2d/widgets.cpp | s/if (v >= maximum - q) colour = c1;/if (v > maximum - q) colour = c1;/ | MAKE HEALTH BAR's top band without its lower bound (the band below takes it, but for a negative maximum)
loading-cap | draw2d/widgets.cpp | s/if (percent >= 100) percent = 100;/if (percent > 100) percent = 100;/ | (equivalent) 100 capped to 100
slider-zone | draw2d/widgets.cpp | s/constexpr int slider_zone = 10;/constexpr int slider_zone = 11;/ | GUI SLIDER's zone one pixel taller
fade-top | draw2d/fades.cpp | s/step_alpha(object, delay, 0, opaque - 1);/step_alpha(object, delay, 0, opaque);/ | the fades run up to 100
plane-tilt | draw2d/fades.cpp | s/constexpr float plane_tilt = 16.0f;/constexpr float plane_tilt = 15.0f;/ | the fade plane tilted by 15
sound-header | utilities/sound.cpp | s/return size < sound_header_bytes ? 0/return size <= sound_header_bytes ? 0/ | (equivalent) a 28-byte block has 0 sample bytes either way
end-sound | utilities/sound.cpp | s/if (H.GetSoundPlaying(sound) == 0) H.StopSound(sound);/if (H.GetSoundPlaying(sound) != 0) H.StopSound(sound);/ | END SOUND stops a playing sound
normal-map-sense | utilities/images.cpp | s/if (sense == falling_sense)/if (sense >= falling_sense)/ | MAKE NORMAL MAP's sense 2 taken as 1
mouse-move-scale | objects3d/facing.cpp | s/constexpr double mouse_counts_per_degree = 3.5;/constexpr double mouse_counts_per_degree = 3.0;/ | MOUSE MOVE turns faster
finite-guard | rotation/frame.cpp | s/return double(value) + 1.0 > double(value);/return double(value) + 1.0 >= double(value);/ | (equivalent) infinite Euler angles pass the guard: arc tangents are never infinite
circle-empty | draw2d/shapes.cpp | s/if (rx <= 0 || ry <= 0) return;/if (rx < 0 || ry <= 0) return;/ | (equivalent) a radius of 0 draws nothing either way
pyramid-scratch | objects3d/pyramid.cpp | s/for (int number = 1; number <= highest_scratch_number; ++number)/for (int number = 2; number <= highest_scratch_number; ++number)/ | free numbers searched from 2
pyramid-apex | objects3d/pyramid.cpp | s/add_face(build, 4, {p, n, p}, {p, n, n}, apex);/add_face(build, 4, {p, n, n}, {p, n, p}, apex);/ | a four-sided pyramid face wound the other way
rotate-gz | rotation/single_axis.cpp | s/H.Rotate(object, a.x, a.y, sum(a.z, degrees));/H.Rotate(object, a.x, a.y, difference(a.z, degrees));/ | ROTATE_GZ turns the other way
bind-once | plugin/host.cpp | s/bound = true;  \/\/ set first/bound = false;  \/\/ set first/ | the table is bound on every call
EOF
}

field() { printf '%s\n' "$1" | awk -F' [|] ' -v n="$2" '{print $n}'; }

# The copy: the tracked files as they are in the tree, each rewritten only
# when it differs (a fresh time, so that the build sees it).
sync_copy() {
  mkdir -p "$copy"
  git ls-files | while read -r file; do
    if ! cmp -s "$file" "$copy/$file"; then
      mkdir -p "$copy/$(dirname "$file")"
      cp "$file" "$copy/$file"
    fi
  done
}

# Applies change $1's sed program to the copy; false if it changes nothing.
apply() {
  file=$(field "$1" 2)
  program=$(field "$1" 3)
  sed -e "$program" "$root/$file" >"$work/mutant"
  ! cmp -s "$root/$file" "$work/mutant" || return 1
  cp "$work/mutant" "$copy/$file"
}

restore() { cp "$root/$(field "$1" 2)" "$copy/$(field "$1" 2)"; }

wanted() {
  [ $# -le 1 ] && return 0
  name=$1
  shift
  for pick in "$@"; do [ "$pick" = "$name" ] && return 0; done
  return 1
}

mkdir -p "$work"
changes >"$work/changes.txt"
if [ "$1" = --check ]; then
  while read -r line; do
    file=$(field "$line" 2)
    sed -e "$(field "$line" 3)" "$file" | cmp -s "$file" - && echo "does not apply: $(field "$line" 1)"
  done <"$work/changes.txt" | tee "$work/check.txt"
  ! grep -q . "$work/check.txt"
  exit
fi

sync_copy
(cd "$copy" && cmake --preset native >/dev/null && cmake --build --preset native -j"$jobs" >"$work/build.log" 2>&1) ||
  { echo "the unchanged tree does not build: $work/build.log"; exit 1; }
(cd "$copy" && ctest --preset native -j"$jobs" >"$work/baseline.log" 2>&1) ||
  { echo "the unchanged tree fails its tests: $work/baseline.log"; exit 1; }

results=$work/results.txt
: >"$results"
while read -r line <&3; do
  name=$(field "$line" 1)
  wanted "$name" "$@" || continue
  what=$(field "$line" 4)
  log=$work/$name.log
  if ! apply "$line"; then
    outcome="not applied"
  elif ! (cd "$copy" && cmake --build --preset native -j"$jobs" >"$log" 2>&1); then
    outcome="no build"
  elif (cd "$copy" && ctest --preset native -j"$jobs" --stop-on-failure >>"$log" 2>&1); then
    outcome="SURVIVED"
  else
    caught_by=$(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) .*\*\*\*.*/\1/p' "$log" | head -n 1)
    outcome="caught by ${caught_by:-the build's test discovery}"
  fi
  restore "$line"
  printf '%-24s %s  (%s)\n' "$name" "$outcome" "$what" | tee -a "$results"
done 3<"$work/changes.txt"
(cd "$copy" && cmake --build --preset native -j"$jobs" >/dev/null 2>&1) || true

total=$(grep -vc "not applied\|no build" "$results" || true)
equivalent=$(grep -v "not applied\|no build" "$results" | grep -c "(equivalent)" || true)
caught=$(grep -c " caught by " "$results" || true)
echo "$total changes made, $equivalent of them equivalent: $caught of $((total - equivalent)) caught"
