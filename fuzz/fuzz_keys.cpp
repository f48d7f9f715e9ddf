// A key script played by the native player on a fresh session.
#include <stdint.h>

#include <vector>

#include "session/console.h"
#include "session/keys.h"
#include "fuzz/fuzz_session.h"
#include "platform/key_script.h"
#include "platform/seam.h"
#include "shell/native/player.h"

namespace {

// The player's desktop for what ends the play; nothing is started.
struct PlayerQuietDesktop : RecordingDesktop {
    void Quit() override { g_native.desktop.Quit(); }
    void HideWindow() override { g_native.desktop.HideWindow(); }
};

PlayerQuietDesktop g_quiet;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<KeyAction> actions;
    char error[256];
    if (!ParseKeyScript((const char*)data, size, &actions, error, sizeof error)) return 0;
    StartSession(nullptr, nullptr);
    ResetFuzzFiles();
    ResetFuzzDesktop(&g_quiet);
    g_seam.desktop = &g_quiet;
    g_seam.files = &FuzzFiles();
    for (const KeyAction& action : actions) {
        if (g_native.desktop.quitting) break;
        // A dropped path stays inside the session's own files.
        if (action.kind == kActionDrop) continue;
        // A paste pastes the whole input: a clipboard may hold anything.
        if (action.kind == kActionPaste)
            ConsolePaste((const char*)data, (int)size);
        else
            PlayAction(action);
        CheckInvariants(kEndOfText - 1);
    }
    CurrentText();
    return 0;
}
