#!/usr/bin/env bash
# Checks that a built DLL imports only Windows system libraries, so that no
# C++ runtime DLL has to travel with it. Usage: check_dll_imports.sh DLL [OBJDUMP]
set -euo pipefail
library=$1
objdump=${2:-x86_64-w64-mingw32-objdump}
imports=$("$objdump" -p "$library" | awk '/DLL Name:/ {print $3}' | sort -u)
foreign=$(echo "$imports" | grep -viE '^(kernel32|msvcrt|ucrtbase|ntdll|advapi32|user32)\.dll$|^api-ms-win-' || true)
if [ -n "$foreign" ]; then
  echo "$library imports non-system libraries:" >&2
  echo "$foreign" >&2
  exit 1
fi
echo "$library imports only system libraries:" $imports
