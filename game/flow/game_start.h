// The game's side of the runtime: its start function and the frame function of play.
#pragma once

namespace pelko {

int GameStart();
int InGameFrame();

// The first player earns a life each time the score passes the next threshold: above 20000,
// then every 60000 more. At most one life per call.
void ApplyExtraLife();

} // namespace pelko
