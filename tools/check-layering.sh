#!/usr/bin/env bash
# Fails when a source file includes a header against the direction of the folders:
#   app, ui, player -> render -> project -> engine;  music and export beside them.
# Listed per folder: the folders its files must not include.
set -u
root=${1:-.}
rules=(
  "engine:project|render|app|ui|music|export|player"
  "project:render|app|ui|music|export|player"
  "render:app|ui|export|player"
  "music:engine|project|render|app|ui|export|player"
  "export:render|app|ui|player"
  "app:ui|player"
  "player:app|ui"
)
bad=0
for rule in "${rules[@]}"; do
  dir=${rule%%:*}
  forbidden=${rule#*:}
  [ -d "$root/$dir" ] || continue
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"($forbidden)/" "$root/$dir" \
           --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' | sed "s|^$root/||")
  # The toolkit code of the shell lives in app/wx and may use ui/.
  [ "$dir" = app ] && hits=$(printf '%s\n' "$hits" | grep -v '^app/wx/' || true)
  if [ -n "$hits" ]; then
    printf 'Include against the dependency direction (%s must not include %s):\n%s\n' \
      "$dir" "$forbidden" "$hits" >&2
    bad=1
  fi
done
exit $bad
