// The best score between runs, kept in "GameData\HighScore.dat".
#pragma once

namespace pelko {

void LoadHighScore();
void SaveHighScore();

} // namespace pelko
