#!/bin/sh
# Starts Pelko from the player's own game folder (see pelko(6)).
set -eu
pelko_bindir=$(dirname "$(readlink -f "$0")")
. "$pelko_bindir/../lib/pelko/user-folder.sh"
pelko_prepare_user_folder
cd "$pelko_user_dir"
exec "$pelko_libdir/pelkogame" "$@"
