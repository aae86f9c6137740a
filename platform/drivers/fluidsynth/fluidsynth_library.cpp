// FluidSynth loaded at run time (fluidsynth_library.h).
#include "platform/drivers/fluidsynth/fluidsynth_library.h"

#include <dlfcn.h>

#include <mutex>

static_assert(FLUIDSYNTH_VERSION_MAJOR == 2, "libfluidsynth.so.3 is FluidSynth 2's library");

namespace synth {

namespace {

FluidSynthLibrary library;
bool loaded = false;

// GLib's g_log_set_default_handler, found among FluidSynth's own libraries:
// GLib's headers are not needed for one function.
using GLibLogHandler = void (*)(const char* domain, int level, const char* message, void* data);
using SetDefaultLogHandler = GLibLogHandler (*)(GLibLogHandler handler, void* data);
SetDefaultLogHandler setDefaultLogHandler = nullptr;

void dropMessage(const char*, int, const char*, void*) {}

template <typename Function>
bool find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool loadLibrary() {
    void* handle = dlopen(FluidSynthLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    setDefaultLogHandler = reinterpret_cast<SetDefaultLogHandler>(dlsym(handle, "g_log_set_default_handler"));
#define TONVISOR_FLUIDSYNTH_FIND(name) &&find(handle, #name, library.name)
    return true TONVISOR_FLUIDSYNTH_FUNCTIONS(TONVISOR_FLUIDSYNTH_FIND);
#undef TONVISOR_FLUIDSYNTH_FIND
}

}  // namespace

bool fluidSynthLoaded() {
    static std::once_flag once;
    std::call_once(once, [] { loaded = loadLibrary(); });
    return loaded;
}

const FluidSynthLibrary& fluid() { return library; }

QuietGLib::QuietGLib() : previous_(nullptr) {
    if (setDefaultLogHandler) previous_ = reinterpret_cast<void*>(setDefaultLogHandler(dropMessage, nullptr));
}

QuietGLib::~QuietGLib() {
    if (setDefaultLogHandler && previous_)
        setDefaultLogHandler(reinterpret_cast<GLibLogHandler>(previous_), nullptr);
}

}  // namespace synth
