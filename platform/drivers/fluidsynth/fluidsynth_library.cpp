// FluidSynth loaded at run time (fluidsynth_library.h).
#include "platform/drivers/fluidsynth/fluidsynth_library.h"

#include <dlfcn.h>

#include <mutex>

static_assert(FLUIDSYNTH_VERSION_MAJOR == 2, "libfluidsynth.so.3 is FluidSynth 2's library");

namespace synth {

namespace {

FluidSynthLibrary library;
bool loaded = false;

template <typename Function>
bool find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool loadLibrary() {
    void* handle = dlopen(FluidSynthLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
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

}  // namespace synth
