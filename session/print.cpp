#include "session/print.h"

#include <cfloat>
#include <cmath>

#include "platform/seam.h"
#include "session/console.h"
#include "session/settings.h"
#include "session/script.h"
#include "eval/number_text.h"
#include "mathlib/tolvane_math.h"

namespace {

// Fixed notation holds magnitudes from this one up to kFixedHigh.
const double kFixedLow = 1e-9;
const double kFixedHigh = 1e9;

// The notation names of the settings report, by display mode.
const char* const kModeNames[] = {
    "固定小数点表示\r\n",
    "指数表示\r\n",
    "指数表示(工学的)\r\n",
};

// The display mode, anything unknown read as fixed.
int CurrentDisplayMode() {
    int mode = g_settings.displayMode;
    return mode == kExponent || mode == kEngineering ? mode : kFixed;
}

// Renders the number itself in the current notation into 80 bytes.
void RenderNumber(double value, char* out) {
    int precision = ClampPrecision(g_settings.precision);
    double magnitude = std::fabs(value);
    switch (CurrentDisplayMode()) {
    case kExponent: RenderExponent(value, precision, out, kRenderSize); break;
    case kEngineering:
        // An exact 0 has no engineering exponent: it reads 0 times 10^0.
        if (FormatEngineering(value, out) < 0)
            RenderEngineering(value, 0, precision, out, kRenderSize);
        break;
    default:
        if (magnitude >= kFixedLow && magnitude < kFixedHigh) {
            RenderFixed(value, precision, out, kRenderSize);
            if (DecimalsAllZero(out)) RenderFixed(value, 0, out, kRenderSize);
        } else {
            RenderExponent(value, precision, out, kRenderSize);
        }
        break;
    }
}

} // namespace

// Prints a value in the current notation; a result line adds the
// hexadecimal and binary renderings when switched on, and the line end.
void PrintValue(double value, PrintStyle style) {
    bool newline = style == kPrintResult, plain = style == kPrintTyped;
    // Nothing of it would show: rendering it is wasted work.
    if (g_console.suppress) return;
    // A typed number stands on the input line.
    void (*put)(const char*) = plain ? AppendInput : Append;
    // Written so that not-a-number also prints as 0.
    if (!(std::fabs(value) >= g_settings.zeroThreshold)) {
        put("0");
        if (newline) Append("\r\n");
        return;
    }
    char number[kRenderSize];
    RenderNumber(value, number);
    put(number);

    char hex[kHexTextSize];
    RenderHexText(value, hex);
    if (g_settings.hexFlag && !plain) AppendFormat("\r\n  (0x %s)", hex);
    if (g_settings.binFlag && !plain) {
        char line[kRenderSize];
        RenderBinLine(hex, g_settings.byte2, line, kRenderSize);
        Append(line);
    }
    if (newline) AppendFormat("%s", "\r\n");
}

// Writes the engineering rendering (exponent a multiple of 3) into 80 bytes;
// returns -1 and writes nothing for 0.
int FormatEngineering(double value, char* out) {
    int precision = ClampPrecision(g_settings.precision);
    if (value == 0) return -1;
    if (!std::isfinite(value)) {
        RenderFixed(value, precision, out, kRenderSize);
        return 1;
    }
    bool negative = value < 0;
    double x = negative ? -value : value;
    double l = tolvane_log10(x);
    double t = (l + 1e-12) * 0.3333333333333333;
    int exponent;
    if (l >= 0) {
        exponent = 3 * static_cast<int>(std::trunc(t));
    } else {
        exponent = 3 * static_cast<int>(std::trunc(t - 1));
        if (exponent > -3) exponent = -3;
    }
    double scale = tolvane_pow(10.0, exponent);
    // Past the normal range 10^e loses digits or becomes 0: a scaled-up x is
    // divided by a scaled-up power instead.
    double mantissa =
        scale >= DBL_MIN ? x / scale : (x * 1e100) / tolvane_pow(10.0, exponent + 100);
    if (negative) mantissa = -mantissa;
    RenderEngineering(mantissa, exponent, precision, out, kRenderSize);
    return 1;
}

// Prints precision, notation and zero threshold, and ans when asked for.
void PrintSettingsReport(AnsLine ans) {
    if (g_console.suppress) return;
    AppendFormat(" 小数点以下 %d 桁：", g_settings.precision);
    AppendFormat("%s", kModeNames[CurrentDisplayMode()]);
    char threshold[kRenderSize];
    RenderExponent(g_settings.zeroThreshold, 3, threshold, kRenderSize);
    AppendFormat(" 絶対値が %s 未満の時０と表示\r\n", threshold);
    if (ans == kWithAns) {
        Append(" \r\n ");
        PrintValue(g_console.ans, kPrintResult);
    }
}

// Readies the state for a text with the session's inputs and drain.
void BeginEvaluation(EvalState* s, const char* text) {
    s->ans = g_console.ans;
    s->angleMode = g_settings.angleMode;
    s->record.drain = ShowErrors;
    StartEvaluation(s, text);
}

// Shows each recorded report, in order: its message, and a beep for the
// codes that beep. The record is empty afterwards.
void ShowErrors(ErrorRecord* record) {
    for (int i = 0; i < record->count; ++i) {
        AppendErrorFormat(" %s\r\n", ErrorMessage(record->codes[i]));
        if (ErrorBeeps(record->codes[i])) DesktopBeep();
    }
    record->count = 0;
}
