// The game's side of the runtime: its start function and the frame function of play.
#pragma once

namespace pelko {

int GameStart();
int InGameFrame();

} // namespace pelko
