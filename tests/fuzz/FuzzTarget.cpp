// One libFuzzer target per check: CMake builds this file once for each, naming the check in
// FUZZ_CHECK.
#include "tests/fuzz/FuzzAddressChecks.h"
#include "tests/fuzz/FuzzBookmarkChecks.h"
#include "tests/fuzz/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!FUZZ_CHECK(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::abort();
    return 0;
}
