#!/usr/bin/env bash
# The style check: fails when a C++ file of the project drifts from .clang-format (fix with
# clang-format -i), or when a folder includes a header of a layer above it.
# In a git checkout the files are git's; in a source archive, every .cpp and .h of the tree
# outside the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
list_sources() {
  if [ -e .git ] && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h'
  else
    find . \( -path './build*' -o -path './.git' \) -prune -o \
      -type f \( -name '*.cpp' -o -name '*.h' \) -printf '%P\0'
  fi
}
status=0

if list_sources | xargs -0 -r clang-format --dry-run -Werror; then
  echo "format: every C++ file follows .clang-format"
else
  status=1
fi

# The layers, lowest first: each folder with the folders whose headers it may include besides
# its own. The tests may include any folder; nothing includes the tests or the tools.
declare -A may_include=(
  [common]=""
  [io]="common"
  [corona]="io common"
  [fmod]="io common"
  [gfx]="corona io common"
  [sound]="fmod io common"
  [scene]="gfx sound io common"
  [actors]="gfx sound io common"
  [core]="scene actors gfx sound io common"
  [app]="core scene actors gfx sound io common"
  [tools]="fmod corona io common"
)
layer_faults=0
while IFS= read -r -d '' file; do
  folder=${file%%/*}
  [ -n "${may_include[$folder]+set}" ] || continue
  while IFS=: read -r line text; do
    [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"/]*)/ ]] || continue
    dir=${BASH_REMATCH[1]}
    [[ " $folder ${may_include[$folder]} " == *" $dir "* ]] && continue
    echo "layers: $file:$line includes a header of $dir/; $folder may include only its own" \
      "and those of: ${may_include[$folder]:-none}"
    layer_faults=$((layer_faults + 1))
  done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(list_sources)
if [ "$layer_faults" -eq 0 ]; then
  echo "layers: no folder includes a layer above it"
else
  status=1
fi
exit $status
