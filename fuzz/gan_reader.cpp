// The parameter file reader: any bytes as a ".gan" file. A file that is
// refused must leave the render state alone; one that is taken must name one
// of the four attractor types.
#include "files/gan.h"
#include "files/selection.h"
#include "render/state.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// One file per process, rewritten for every input.
const std::string& InputPath() {
    static const std::string path =
        std::string(P_tmpdir) + "/orv-fuzz-gan-" + std::to_string(::getpid()) + ".gan";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    std::FILE* out = std::fopen(InputPath().c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, size, 1, out) != 1) {
        std::abort();
    }
    std::fclose(out);
    std::strcpy(oganfile, InputPath().c_str());

    ResetRenderState();
    const int typeBefore = type;
    const std::uint32_t backBefore = back;
    if (loadgan() != 0) {
        if (type != typeBefore || back != backBefore) {
            std::abort(); // a refused file changed the state
        }
    } else if (type < 0 || type >= kTypes || size < kGanBytes) {
        std::abort(); // a short file or an unknown type was taken
    }
    std::remove(InputPath().c_str());
    return 0;
}
