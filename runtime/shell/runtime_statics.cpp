// Every static object of the runtime, in one place and in construction order. Reset rebuilds them
// all, which is what a fresh process would have.
#include "runtime/graphics/display.h"
#include "runtime/graphics/image_slots.h"
#include "runtime/graphics/text.h"
#include "runtime/graphics/transitions.h"
#include "runtime/input/input_state.h"
#include "runtime/shell/diagnostics.h"
#include "runtime/shell/frame_hold.h"
#include "runtime/shell/main_window.h"
#include "runtime/shell/runtime_state.h"
#include "runtime/sound/music.h"
#include "runtime/sound/wave_bank.h"

namespace tessary {
namespace {

struct RuntimeStatics {
    RuntimeState state;
    WindowState window;
    DiagnosticsState diagnostics;
    InputState input;
    Display display;
    DisplayGlobals displayGlobals;
    TextState text;
    TextColorSteps textColorSteps;
    TransitionState transitions;
    ImageSlotTable imageSlots;
    WaveBank waves;
    MusicState music;
    HoldState hold;
};

RuntimeStatics& Statics() {
    static RuntimeStatics statics;
    return statics;
}

} // namespace

RuntimeState& Runtime() {
    return Statics().state;
}
WindowState& TheWindowState() {
    return Statics().window;
}
DiagnosticsState& TheDiagnostics() {
    return Statics().diagnostics;
}
InputState& TheInput() {
    return Statics().input;
}
Display& TheDisplay() {
    return Statics().display;
}
DisplayGlobals& TheDisplayGlobals() {
    return Statics().displayGlobals;
}
TextState& TheTextState() {
    return Statics().text;
}
TextColorSteps& TheTextColorSteps() {
    return Statics().textColorSteps;
}
TransitionState& TheTransitions() {
    return Statics().transitions;
}
ImageSlotTable& TheImageSlots() {
    return Statics().imageSlots;
}
WaveBank& TheWaveBank() {
    return Statics().waves;
}
MusicState& TheMusic() {
    return Statics().music;
}
HoldState& TheHold() {
    return Statics().hold;
}

void ResetRuntimeStatics() {
    Statics() = RuntimeStatics{};
    SineTable.fill(0);
}

} // namespace tessary
