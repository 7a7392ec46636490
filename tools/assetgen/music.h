// The three pieces of music, composed here and written as standard MIDI files.
#pragma once
#include "byte_writer.h"

namespace assetgen {

Bytes LogoJingle(); // the maker's logo: a short bright fanfare
Bytes StageTheme(); // the stages and the staff roll: an upbeat loop of about a minute
Bytes BossTheme();  // from the boss warning on: a driving minor-key loop

} // namespace assetgen
