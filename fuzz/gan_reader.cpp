// The parameter file reader: any bytes as a ".gan" file. A file that is
// refused must leave the render state alone; one that is taken must name one
// of the four attractor types.
#include "files/gan.h"
#include "files/selection.h"
#include "render/state.h"

#include "input_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    const std::string& input = fuzz::WriteInputFile("gan", data, size);
    std::strcpy(oganfile, input.c_str());

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
    std::remove(input.c_str());
    return 0;
}
