#!/bin/sh
# Starts the settings editor in the player's own GameData folder, so that the Game.ini it writes
# is the one the game reads (see pelko-settings(6)).
set -eu
pelko_bindir=$(dirname "$(readlink -f "$0")")
. "$pelko_bindir/../lib/pelko/user-folder.sh"
pelko_prepare_user_folder
cd "$pelko_user_dir/GameData"
exec "$pelko_libdir/PelkoGameOptionEditer" "$@"
