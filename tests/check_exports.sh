#!/usr/bin/env bash
# Checks that a built plug-in exports exactly the ten entry points.
# Usage: check_exports.sh elf|pe LIBRARY [OBJDUMP]
set -euo pipefail
kind=$1 library=$2
expected="zorGetPluginInfo
zorLoadPictureExit
zorLoadPictureGetColormap
zorLoadPictureGetInfo
zorLoadPictureGetLine
zorLoadPictureInit
zorSavePictureExit
zorSavePictureInit
zorSavePictureIsSupported
zorSavePicturePutLine"
case $kind in
  elf) actual=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort) ;;
  pe)
    objdump=${3:-x86_64-w64-mingw32-objdump}
    # The export name table lists "[ordinal] name" rows after its heading.
    actual=$("$objdump" -p "$library" |
      awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $NF; next} on {on=0}' |
      sort) ;;
  *) echo "unknown library kind $kind" >&2; exit 2 ;;
esac
if [ "$actual" != "$expected" ]; then
  echo "$library exports:" >&2
  echo "$actual" >&2
  echo "expected exactly:" >&2
  echo "$expected" >&2
  exit 1
fi
echo "$library exports exactly the ten entry points"
