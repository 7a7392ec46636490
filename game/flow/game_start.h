// The game's side of the runtime: its start function, the frame function of play and its end.
#pragma once

namespace pelko {

int GameStart();
int InGameFrame();
// The program ends: a best score not yet in the high score file is saved.
void GameEnd();

// The first player earns a life each time the score passes the next threshold: above 20000,
// then every 60000 more. At most one life per call.
void ApplyExtraLife();

} // namespace pelko
