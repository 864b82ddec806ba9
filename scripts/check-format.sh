#!/usr/bin/env bash
# Fails when a C++ file of the project drifts from .clang-format (fix with clang-format -i).
# In a git checkout the files are git's; in a source archive, every .cpp and .h of the tree
# outside the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
list_sources() {
  if [ -e .git ] && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h'
  else
    find . \( -path './build*' -o -path './.git' \) -prune -o \
      -type f \( -name '*.cpp' -o -name '*.h' \) -print0
  fi
}
list_sources | xargs -0 -r clang-format --dry-run -Werror
echo "format: every C++ file follows .clang-format"
