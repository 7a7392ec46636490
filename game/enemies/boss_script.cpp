// The boss's movement: the entry slide from the right edge, then the stage's script, a text of
// letter-digit steps (move, stay, circle, attack, jump) read one step at a time.
#include <cstring>

#include "game/enemies/angle_table.h"
#include "game/enemies/boss.h"
#include "game/flow/game_globals.h"

namespace pelko {
namespace {

constexpr int kEntryStopX = 540;   // the slide ends once x0 is below this minus spreadWidth
constexpr int kCircleFrames = 256; // one turn of a circle step, one angle step a frame
constexpr float kDiagonal = 0.70710677f;

struct StepVelocity {
    int dx, dy;    // direction, -1, 0 or +1 on each axis
    bool diagonal; // scaled so that the speed matches the straight steps
};

// The movement letters; any letter not listed (s among them) stays still.
StepVelocity MovementOf(char letter) {
    switch (letter) {
    case 'l':
        return {-1, 0, false};
    case 'r':
        return {1, 0, false};
    case 'u':
        return {0, -1, false};
    case 'd':
        return {0, 1, false};
    case 'q':
        return {-1, -1, true};
    case 'i':
        return {1, -1, true};
    case 'z':
        return {-1, 1, true};
    case 'm':
        return {1, 1, true};
    default:
        return {0, 0, false};
    }
}

} // namespace

void Boss::RunScript() {
    const GameGlobals& g = Globals();
    PlaceParts(parts[0].x, parts[0].y);
    if (!arrived) {
        const bool stop = X0() < kEntryStopX - spreadWidth;
        for (GameObject& part : parts)
            part.SetVelocityX(stop ? 0.0f : -moveSpeed * g.speedFactor);
        if (stop) arrived = 1;
        return;
    }

    waitFrames -= 1;
    if (waitFrames >= 0) {
        if (circleMode) {
            const AngleTable& angles = TheAngles();
            const int angle = g.circleAngle;
            SetPartsVelocity(static_cast<float>(angles.Cos(angle) * moveSpeed),
                             static_cast<float>(angles.Sin(angle) * moveSpeed));
            // The angle counts on through every turn, and later turns read later entries of the
            // table, which differ from the first turn's in their last digits. Only a circle of
            // more than eight turns would run past the table's end; it goes on sixteen turns
            // back, at the table's start.
            int next = angle + 1;
            if (next > AngleTable::kLastAngle) next -= AngleTable::kEntries;
            Globals().circleAngle = next;
        }
        return;
    }
    BeginScriptStep();
}

void Boss::BeginScriptStep() {
    GameGlobals& g = Globals();
    circleMode = 0;
    g.circleAngle = 0;
    const int length = static_cast<int>(strnlen(script, kBossScriptSize - 1));
    if (scriptPos < 0 || scriptPos > length) scriptPos = 0;

    // The buffer need not hold a terminator within its size: nothing is read past the length.
    const char letter = scriptPos < length ? script[scriptPos] : '\0';
    if (letter == '\0') {
        // The end of the text: the script starts over in the next frame.
        scriptPos = 0;
        PlaceParts(static_cast<float>(X0()), static_cast<float>(Y0()));
        return;
    }
    const int n = (scriptPos + 1 < length ? script[scriptPos + 1] : '\0') - '0';
    if (letter == 'e') {
        // Jump to step n; it begins in the next frame.
        scriptPos = 2 * n;
        PlaceParts(static_cast<float>(X0()), static_cast<float>(Y0()));
        return;
    }
    scriptPos += 2;
    if (letter == 'w') {
        // The boss keeps its velocity while the attack charges; other digits start nothing.
        if (n >= 1 && n <= 5) StartAttack(n);
        return;
    }
    if (letter == 'f') {
        // A repeat counter that no script uses: it takes its frame and changes nothing.
        return;
    }
    if (letter == 'c') {
        SetPartsVelocity(0.0f, 0.0f);
        circleMode = 1;
        waitFrames = n * kCircleFrames;
    } else {
        const StepVelocity step = MovementOf(letter);
        const float s = moveSpeed * g.speedFactor;
        const float speed = step.diagonal ? s * kDiagonal : s;
        SetPartsVelocity(step.dx * speed, step.dy * speed);
        waitFrames = n * g.fps;
    }
    PlaceParts(static_cast<float>(X0()), static_cast<float>(Y0()));
}

} // namespace pelko
