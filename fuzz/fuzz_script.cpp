// A script file run by call: the input is the file, which may call itself,
// the endless file or other scripts.
#include <stdint.h>

#include <string>

#include "console/console.h"
#include "console/statement.h"
#include "fuzz/fuzz_session.h"
#include "platform/seam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzSession();
    Desktop* desktop = g_seam.desktop;
    FuzzFiles().files["f.tvs"] = std::string((const char*)data, size);
    EnterStatement("  call f");
    CheckInvariants(desktop);
    // Output is on again and the next statement prints its result.
    int before = g_seam.edit->GetTextLength();
    EnterStatement("  7");
    CheckInvariants(desktop);
    Require(g_seam.edit->GetTextLength() > before || before > kTranscriptLimit - 64,
            "no output after the script");
    return 0;
}
