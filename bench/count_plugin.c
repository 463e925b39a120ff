/* Instruction counts of a build that valgrind cannot run: a plug-in for QEMU's
 * user-mode emulator (qemu-i386, qemu-x86_64), for machines without 32-bit
 * execution, where 32-bit programs run under qemu-i386 and so does
 * valgrind's own 32-bit tool.
 *
 *   qemu-i386 -plugin count_plugin.so,ranges=RANGES,out=OUT PROGRAM ...
 *
 * PROGRAM is the counting driver linked statically and not
 * position-independent, so its functions lie where `nm` says.  RANGES has one
 * line per function, "start end owner" (hex addresses; owner P for the
 * plug-in, H the stand-in host, D the driver, C ec_counted_call itself, A a
 * library allocator such as malloc, L any other library code).  Every call
 * of ec_counted_call, from its first instruction to its final return, writes
 * one line "total plugin host_calls allocations" to OUT, counted as
 * callgrind counts them: an instruction is the plug-in's when it is plug-in
 * code or library code entered from the plug-in, a host call is a step from
 * the plug-in into host code, an allocation an allocator entered from the
 * plug-in.
 *
 * The few declarations of QEMU's plug-in interface (version 1) that this
 * needs are written out below.
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef uint64_t qemu_plugin_id_t;
struct qemu_plugin_tb;
struct qemu_plugin_insn;
enum qemu_plugin_cb_flags { QEMU_PLUGIN_CB_NO_REGS, QEMU_PLUGIN_CB_R_REGS, QEMU_PLUGIN_CB_RW_REGS };
typedef void (*qemu_plugin_vcpu_tb_trans_cb_t)(qemu_plugin_id_t id, struct qemu_plugin_tb* tb);
typedef void (*qemu_plugin_vcpu_udata_cb_t)(unsigned int vcpu_index, void* userdata);
typedef void (*qemu_plugin_udata_cb_t)(qemu_plugin_id_t id, void* userdata);
void qemu_plugin_register_vcpu_tb_trans_cb(qemu_plugin_id_t id, qemu_plugin_vcpu_tb_trans_cb_t cb);
size_t qemu_plugin_tb_n_insns(const struct qemu_plugin_tb* tb);
struct qemu_plugin_insn* qemu_plugin_tb_get_insn(const struct qemu_plugin_tb* tb, size_t idx);
uint64_t qemu_plugin_insn_vaddr(const struct qemu_plugin_insn* insn);
void qemu_plugin_register_vcpu_insn_exec_cb(struct qemu_plugin_insn* insn, qemu_plugin_vcpu_udata_cb_t cb,
                                            enum qemu_plugin_cb_flags flags, void* userdata);
void qemu_plugin_register_atexit_cb(qemu_plugin_id_t id, qemu_plugin_udata_cb_t cb, void* userdata);

__attribute__((visibility("default"))) int qemu_plugin_version = 1;

struct range {
  uint64_t start, end;
  char owner;
};

struct insn {
  char owner;
  char allocator_entry;
  char opens, closes; /* first and last instruction of ec_counted_call */
};

static struct range* ranges;
static size_t range_count;
static FILE* out;

static int window_open;
static char domain;
static long total, plugin, host_calls, allocations;

static int by_start(const void* a, const void* b) {
  uint64_t x = ((const struct range*)a)->start, y = ((const struct range*)b)->start;
  return x < y ? -1 : x > y;
}

static int load_ranges(const char* path) {
  FILE* in = fopen(path, "r");
  if (!in) return 0;
  size_t room = 0;
  unsigned long long start, end;
  char owner;
  while (fscanf(in, "%llx %llx %c", &start, &end, &owner) == 3) {
    if (range_count == room) {
      room = room ? 2 * room : 4096;
      ranges = realloc(ranges, room * sizeof *ranges);
    }
    ranges[range_count++] = (struct range){start, end, owner};
  }
  fclose(in);
  qsort(ranges, range_count, sizeof *ranges, by_start);
  return range_count > 0;
}

static const struct range* range_of(uint64_t address) {
  size_t low = 0, high = range_count;
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (ranges[middle].start <= address)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == 0 || address >= ranges[low - 1].end) return NULL;
  return &ranges[low - 1];
}

static void on_insn(unsigned int vcpu, void* data) {
  const struct insn* i = data;
  (void)vcpu;
  if (!window_open) {
    if (!i->opens) return;
    window_open = 1;
    domain = 'D';
    total = plugin = host_calls = allocations = 0;
  }
  if (i->allocator_entry && domain == 'P') ++allocations;
  if (i->owner == 'H' && domain == 'P') ++host_calls;
  if (i->owner == 'P' || i->owner == 'H' || i->owner == 'D') domain = i->owner;
  if (i->owner == 'C') domain = 'D';
  ++total;
  if (domain == 'P') ++plugin;
  if (i->closes) {
    fprintf(out, "%ld %ld %ld %ld\n", total, plugin, host_calls, allocations);
    fflush(out);
    window_open = 0;
  }
}

static void on_translation(qemu_plugin_id_t id, struct qemu_plugin_tb* tb) {
  (void)id;
  size_t count = qemu_plugin_tb_n_insns(tb);
  for (size_t k = 0; k < count; ++k) {
    struct qemu_plugin_insn* code = qemu_plugin_tb_get_insn(tb, k);
    uint64_t address = qemu_plugin_insn_vaddr(code);
    const struct range* r = range_of(address);
    struct insn* i = calloc(1, sizeof *i); /* lives as long as the translation may */
    i->owner = r ? r->owner : 'L';
    i->allocator_entry = r && r->owner == 'A' && address == r->start;
    i->opens = r && r->owner == 'C' && address == r->start;
    i->closes = r && r->owner == 'C' && address == r->end - 1; /* its one-byte return */
    if (i->owner == 'A') i->owner = 'L';
    qemu_plugin_register_vcpu_insn_exec_cb(code, on_insn, QEMU_PLUGIN_CB_NO_REGS, i);
  }
}

static void at_exit(qemu_plugin_id_t id, void* data) {
  (void)id, (void)data;
  if (out) fclose(out);
}

__attribute__((visibility("default"))) int qemu_plugin_install(qemu_plugin_id_t id, const void* info, int argc,
                                                               char** argv) {
  (void)info;
  const char* ranges_path = NULL;
  const char* out_path = NULL;
  for (int k = 0; k < argc; ++k) {
    if (strncmp(argv[k], "ranges=", 7) == 0) ranges_path = argv[k] + 7;
    if (strncmp(argv[k], "out=", 4) == 0) out_path = argv[k] + 4;
  }
  if (!ranges_path || !out_path || !load_ranges(ranges_path) || !(out = fopen(out_path, "w"))) {
    fprintf(stderr, "count_plugin: needs ranges=FILE (readable, not empty) and out=FILE\n");
    return -1;
  }
  qemu_plugin_register_vcpu_tb_trans_cb(id, on_translation);
  qemu_plugin_register_atexit_cb(id, at_exit, NULL);
  return 0;
}
