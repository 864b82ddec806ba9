#!/usr/bin/env bash
# Fails when a C++ file of the project drifts from .clang-format (fix with clang-format -i).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: every C++ file follows .clang-format"
