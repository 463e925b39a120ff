// What a command costs on top of the host calls it makes: each benchmark
// runs a command against the stand-in host with call logging off, so the
// time is the plug-in's arithmetic, its calls through the host table and the
// stand-in's own work.
#include <benchmark/benchmark.h>

#include "../hostsim/basic3d_state.h"
#include "../hostsim/hostsim.h"
#include "../hostsim/memblocks_state.h"
#include "../plugin/commands.h"

namespace {

void quiet_host() {
  hostsim::reset();
  hostsim::load_modules();
  hostsim::set_logging(false);
  ReceiveCoreDataPtr(hostsim::core_record());
}

void GreyscaleColor(benchmark::State& state) {
  quiet_host();
  K colour = 0xFF336699u;
  for (auto _ : state) benchmark::DoNotOptimize(colour = greyscalecolor(colour));
}
BENCHMARK(GreyscaleColor);

void RotateAxis(benchmark::State& state) {
  quiet_host();
  hostsim::make_object(1, "cube", {});
  for (auto _ : state) rotate_axis(1, 0.3f, 1.0f, -0.2f, 1.5f);
}
BENCHMARK(RotateAxis);

void Orbit(benchmark::State& state) {
  quiet_host();
  hostsim::make_object(1, "cube", {}).position = {10, 0, 0};
  for (auto _ : state) orbit(1, 0, 0, 0, 0, 1, 0, 2.0f);
}
BENCHMARK(Orbit);

void GetDistance(benchmark::State& state) {
  quiet_host();
  for (auto _ : state) benchmark::DoNotOptimize(get_distance(1, 2, 3, 4, 6, 8, 1));
}
BENCHMARK(GetDistance);

void DrawGalaxy(benchmark::State& state) {
  quiet_host();
  for (auto _ : state) drawgalaxy(320, 240, 400, 300, 3, 2, 1000, 10, 20, 0xFF8080FFu);
}
BENCHMARK(DrawGalaxy);

void MakeNormalMap(benchmark::State& state) {
  quiet_host();
  hostsim::Image image;
  image.width = image.height = 64;
  for (int i = 0; i < 64 * 64; ++i) image.pixels.push_back(0xFF000000u | K(i * 37 % 256));
  hostsim::storage.images[1] = image;
  for (auto _ : state) makenormalmap(1, 2, 1);
}
BENCHMARK(MakeNormalMap);

}  // namespace

BENCHMARK_MAIN();
