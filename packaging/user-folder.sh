# Sourced by the launchers `pelko` and `pelko-settings`: finds the installed game and prepares the
# player's own game folder, whose GameData links to the installed pictures, sounds, music and
# stage files and holds the player's own Game.ini and HighScore.dat. The game reads and writes
# its files below its current directory, so it runs from this folder.

pelko_here=$(dirname "$(readlink -f "$0")")
pelko_prefix=$(dirname "$pelko_here")
pelko_libdir="$pelko_prefix/lib/pelko"
pelko_datadir="$pelko_prefix/share/pelko"

# XDG_DATA_HOME counts only when it is an absolute path.
case "${XDG_DATA_HOME:-}" in
  /*) pelko_user_dir="$XDG_DATA_HOME/pelko" ;;
  *) pelko_user_dir="${HOME:?HOME is not set}/.local/share/pelko" ;;
esac

# Links one installed entry into the user's folder. A real file or folder of the player's own
# under the same name is left alone; a link is pointed at the installed entry again, so a newer
# installed version takes over. A link that already leads there is kept: every start passes here,
# and each program run would add to the time the game takes to appear.
pelko_link() {
  if [ -L "$2" ] && [ "$2" -ef "$1" ]; then
    return
  fi
  if [ -L "$2" ] || [ ! -e "$2" ]; then
    ln -sfn "$1" "$2"
  fi
}

pelko_prepare_user_folder() {
  if [ ! -d "$pelko_datadir/GameData" ]; then
    echo "pelko: the game data is missing ($pelko_datadir/GameData)" >&2
    exit 1
  fi
  mkdir -p "$pelko_user_dir/GameData"
  # Links left by an older version whose file is gone.
  for entry in "$pelko_user_dir/GameData"/* "$pelko_user_dir"/*; do
    if [ -L "$entry" ] && [ ! -e "$entry" ]; then
      rm -f "$entry"
    fi
  done
  for entry in "$pelko_datadir/GameData"/*; do
    name=${entry##*/}
    case "$name" in
      Game.ini | HighScore.dat) continue ;; # the player's own, never linked
    esac
    pelko_link "$entry" "$pelko_user_dir/GameData/$name"
  done
  for entry in "$pelko_datadir"/*; do
    name=${entry##*/}
    case "$name" in
      GameData | screenshots) continue ;; # the game data itself; the store screenshot
    esac
    pelko_link "$entry" "$pelko_user_dir/$name"
  done
}
