#!/usr/bin/env bash
# Fails when a C++ file of the tree is not in the house style (.clang-format).
#   tools/check-format.sh        list the files clang-format would change
# Mend them with: clang-format -i <files>
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

mapfile -t files < <(git ls-files '*.cpp' '*.h')
bad=()
for f in "${files[@]}"; do
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
    bad+=("$f")
  fi
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: not in the house style (clang-format -i to mend):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files in the house style"
