// Binding of the host function table (native: the table is inspected directly).
#include <set>
#include <type_traits>
#include <utility>

#include "../plugin/exports.h"
#include "../plugin/host.h"
#include "../plugin/platform_native.h"
#include "plugin.h"

namespace {

const host::Entry* entry(const char* field) {
  for (int i = 0; i < host::entry_count(); ++i)
    if (std::string(host::entries()[i].field) == field) return &host::entries()[i];
  return nullptr;
}

bool missing(const char* field) { return *entry(field)->slot == entry(field)->missing; }

}  // namespace

TEST(Binding, TheTableHasOneEntryPerHostFunction) { EXPECT_EQ(host::entry_count(), 127); }

TEST(Binding, NothingIsBoundBeforeTheFirstGuardedCommand) {
  hostsim::reset();
  hostsim::load_modules();
  cmd::GetNumDependencies();
  cmd::ReceiveCoreDataPtr(hostsim::core_record());
  cmd::frontink(1);
  cmd::backink(1);
  EXPECT_FALSE(host::bound);
  for (int i = 0; i < host::entry_count(); ++i) EXPECT_EQ(*host::entries()[i].slot, nullptr);
  cmd::getfileextension(nullptr, const_cast<char*>("a"));
  EXPECT_TRUE(host::bound);
  EXPECT_FALSE(missing("Len"));
}

TEST(Binding, AMissingModuleLeavesOnlyItsEntriesUnbound) {
  // Every module the plug-in binds from, by the file name the host gives it.
  const std::pair<const char*, host::Module> modules[] = {
      {EC_HOST_PREFIX "Basic2DDebug.dll", host::Module::Basic2D},
      {EC_HOST_PREFIX "Basic3DDebug.dll", host::Module::Basic3D},
      {EC_HOST_PREFIX "BitmapDebug.dll", host::Module::Bitmap},
      {EC_HOST_PREFIX "CameraDebug.dll", host::Module::Camera},
      {EC_HOST_PREFIX "Core.dll", host::Module::Core},
      {EC_HOST_PREFIX "FileDebug.dll", host::Module::File},
      {EC_HOST_PREFIX "ImageDebug.dll", host::Module::Image},
      {EC_HOST_PREFIX "InputDebug.dll", host::Module::Input},
      {EC_HOST_PREFIX "LightDebug.dll", host::Module::Light},
      {EC_HOST_PREFIX "MatrixDebug.dll", host::Module::Matrix},
      {EC_HOST_PREFIX "MemblocksDebug.dll", host::Module::Memblocks},
      {EC_HOST_PREFIX "SetupDebug.dll", host::Module::Setup},
      {EC_HOST_PREFIX "SoundDebug.dll", host::Module::Sound},
      {EC_HOST_PREFIX "SystemDebug.dll", host::Module::System},
      {EC_HOST_PREFIX "TextDebug.dll", host::Module::Text},
  };
  for (auto [file, module] : modules) {
    plugin::load_fresh();
    hostsim::reset();
    hostsim::load_modules({{file}, {}});
    host::ensure_bound();
    for (int i = 0; i < host::entry_count(); ++i) {
      const host::Entry& e = host::entries()[i];
      EXPECT_EQ(*e.slot == e.missing, e.module == module) << file << " " << e.field;
    }
  }
}

TEST(Binding, AMissingExportLeavesThatEntryAloneUnbound) {
  hostsim::reset();
  hostsim::load_modules({{}, {"?Len@@YAHK@Z"}});
  cmd::ReceiveCoreDataPtr(hostsim::core_record());
  EXPECT_EQ(plugin::text(cmd::getfileextension(nullptr, const_cast<char*>("a.bc"))), "");
  EXPECT_TRUE(missing("Len"));
  EXPECT_FALSE(missing("Right"));
  // Len yields 0, so Right is asked for 0 - (2 - 1) characters.
  EXPECT_EQ(hostsim::log_of("Right"), std::vector<std::string>{"Text.Right(0,\"a.bc\",-1)"});
}

TEST(Binding, BindingNeverRunsAgain) {
  hostsim::reset();
  platform::native::clear_modules();  // nothing loaded at the first call
  cmd::ReceiveCoreDataPtr(hostsim::core_record());
  cmd::getfileextension(nullptr, const_cast<char*>("a.b"));
  hostsim::load_modules();
  cmd::getfileextension(nullptr, const_cast<char*>("a.b"));
  EXPECT_TRUE(missing("Len"));
  EXPECT_TRUE(hostsim::log_of("Len").empty());
}

namespace {

char empty_text[1] = "";

template <class T>
T plain_argument() {
  if constexpr (std::is_pointer_v<T>)
    return empty_text;
  else
    return T{};
}

// Calls a command with zeros, empty texts, as the first call of a freshly
// loaded plug-in, and tells whether that call bound the table.
template <class R, class... Args>
bool binds_on_first_call(const plugin::Export<R(Args...)>& command) {
  plugin::load_fresh();
  hostsim::reset();
  hostsim::load_modules();
  cmd::ReceiveCoreDataPtr(hostsim::core_record());
  command(plain_argument<Args>()...);
  return host::bound && !missing("Sync");
}

struct FirstCall {
  const char* name;
  bool binds;
};

#define EC_COMMAND(id, function, row) FirstCall{#function, binds_on_first_call(cmd::function)},
std::vector<FirstCall> first_calls() {
  return {
#include "../plugin/command_list.inc"
  };
}
#undef EC_COMMAND

}  // namespace

TEST(Binding, EveryGuardedCommandBindsAsTheFirstCall) {
  const std::set<std::string> unguarded = {"rndminmax", "frontink", "backink", "bezierfunction"};
  std::vector<FirstCall> calls = first_calls();
  EXPECT_EQ(calls.size(), std::size_t(command_count));
  for (const FirstCall& call : calls) EXPECT_EQ(call.binds, !unguarded.count(call.name)) << call.name;
}
