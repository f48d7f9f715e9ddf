// One statement, as a line typed behind the prompt, on a fresh session.
#include <stdint.h>
#include <string.h>

#include "session/console.h"
#include "session/statement.h"
#include "fuzz/fuzz_session.h"
#include "platform/seam.h"

// The input's first line (at most a caret line's 511 bytes) is the statement.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzSession();
    char line[kLineSize + 2] = "  ";
    size_t n = 0;
    while (n < size && n < kLineSize - 1 && data[n] != '\n' && data[n] != '\0') {
        line[2 + n] = (char)data[n];
        ++n;
    }
    line[2 + n] = '\0';
    RunStatement(line + 2);
    CheckInvariants();
    // The session goes on as usual after it.
    RunStatement("1+1");
    CheckInvariants();
    return 0;
}
