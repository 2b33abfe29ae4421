#pragma once
// What every reader promises, checked after each input: a model it hands
// out keeps the mesh rules, and a refusal is a MeshError. Anything else (a
// crash, another exception, a broken mesh) stops the fuzzer with the input.

#include "mesh_model.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

inline void requireValid(const mesh::Model &model)
{
    for (const mesh::Mesh &m : model.objects) {
        const std::string broken = m.check();
        if (!broken.empty()) {
            std::fprintf(stderr, "reader gave a broken mesh: %s\n", broken.c_str());
            std::abort();
        }
    }
}

} // namespace fuzzcheck
