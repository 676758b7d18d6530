# Helpers shared by scripts/run, scripts/test and scripts/bench (sourced, not run).

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINDOWS_TREE=$ROOT/build/windows
PROGRAM_EXE=$WINDOWS_TREE/src/app/rntool.exe

# configure_and_build NAME [CMAKE ARGS...]: build tree build/NAME (only the
# targets in BUILD_TARGETS when it is set); the compiler output is shown
# only when the build fails.
configure_and_build() {
  local name=$1
  shift
  local tree=$ROOT/build/$name log=$ROOT/build/$name.log
  mkdir -p "$ROOT/build"
  echo "== build $name"
  if ! { cmake -S "$ROOT" -B "$tree" -G Ninja "$@" && cmake --build "$tree" ${BUILD_TARGETS:+--target $BUILD_TARGETS}; } \
      >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "build $name failed (full log: $log)"
    return 1
  fi
}

build_windows() {
  configure_and_build windows -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
}

# Starts a private Xvfb and exports DISPLAY when there is no display; it
# stops when the calling script exits.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
  local tries
  for tries in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

# take_pictures TREE OUTPUT DPI: the pictures of every window (tests/pictures)
# at DPI dots per inch, as PNG files in OUTPUT. The windows show the sample
# folder C:\示例 of the tree's Wine prefix, made afresh, and the PNG files
# carry no dates: one commit gives the same pictures on any machine.
take_pictures() {
  local tree=$1 output=$2 dpi=$3 prefix=$1/wineprefix picture
  [ "$dpi" = 96 ] || prefix=$prefix-${dpi}dpi
  rm -rf "$prefix/drive_c/示例" "$prefix/drive_c/示例-历史"
  mkdir -p "$output"
  WINE_DPI=$dpi WINE_OWN_DISPLAY=1 "$ROOT/cmake/wine-run" "$tree/tests/pictures/window_pictures.exe" \
    "Z:${output//\//\\}" 'C:\示例' 2>/dev/null || return 1
  for picture in "$output"/*.bmp; do
    convert "$picture" -strip -define png:exclude-chunks=date,time "${picture%.bmp}.png"
    rm "$picture"
  done
}
