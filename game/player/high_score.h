// The best score between runs, kept in "GameData\HighScore.dat".
#pragma once

namespace pelko {

// Reads the best score, or 10000 without a readable file. A file that is there but cannot be
// read is never saved over.
void LoadHighScore();
// Writes the best score, or says in one line why it was not written.
void SaveHighScore();
// Writes the best score only when it beats the one the file holds: whenever a run or the program
// ends, however it ends, so that no new best is lost.
void SaveHighScoreIfBeaten();

} // namespace pelko
