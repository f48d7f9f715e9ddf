// A script file run by call: the input is the file, which may call itself,
// the endless file or other scripts.
#include <stdint.h>

#include <string>

#include "session/console.h"
#include "session/statement.h"
#include "fuzz/fuzz_session.h"
#include "platform/seam.h"

namespace {

size_t g_printed = 0; // bytes appended to the console while counted

// Counts what reaches the console.
void CountPrinted(const char* text, AppendKind) {
    g_printed += std::char_traits<char>::length(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartFuzzSession();
    FuzzFiles().files["f.tvs"] = std::string((const char*)data, size);
    RunStatement("call f");
    CheckInvariants();
    // Output is on again and the next statement prints its result. The
    // result is counted as it is appended, not by the transcript's length:
    // a console near its limit drops its oldest lines to make room for it.
    g_printed = 0;
    g_appendObserver = CountPrinted;
    RunStatement("7");
    g_appendObserver = nullptr;
    CheckInvariants();
    Require(g_printed > 0, "no output after the script");
    return 0;
}
