// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/fluid/FluidApi.h"

#include <dlfcn.h>

#include <mutex>

namespace miminomi {

namespace {

FluidApi loaded;
const FluidApi *available = nullptr;
std::string loadProblem;

void loadOnce() {
    // The library this program was built against; its soname names the ABI version.
    void *library = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char *error = dlerror();
        loadProblem = "the FluidSynth library could not be loaded (" +
                      std::string(error ? error : "unknown error") + ")";
        return;
    }
#define MIMINOMI_FLUID_LOOKUP(name)                                                                \
    loaded.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                      \
    if (loaded.name == nullptr) {                                                                  \
        loadProblem = "the FluidSynth library has no " #name;                                      \
        return;                                                                                    \
    }
    MIMINOMI_FLUID_FUNCTIONS(MIMINOMI_FLUID_LOOKUP)
#undef MIMINOMI_FLUID_LOOKUP
    // The library stays loaded for the rest of the run.
    available = &loaded;
}

} // namespace

const FluidApi *FluidApi::load(std::string &why) {
    static std::once_flag once;
    std::call_once(once, loadOnce);
    if (available == nullptr)
        why = loadProblem;
    return available;
}

const FluidApi &fluid() {
    return loaded;
}

} // namespace miminomi
