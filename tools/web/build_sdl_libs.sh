#!/bin/sh
# Builds SDL2, SDL2_image and SDL2_mixer for WebAssembly from Debian's own
# source packages, once, into DEPS (a folder of the web build). The sources
# come through a private apt configuration inside DEPS, so the system's apt
# sources stay as they are. A finished build leaves DEPS/prefix/.done with
# this script's checksum and is repeated only when the script changes.
#
# Usage: build_sdl_libs.sh DEPS
set -eu
deps=$(realpath -m "$1")
prefix="$deps/prefix"
stamp=$(sha256sum "$0" | cut -d' ' -f1)
[ -f "$prefix/.done" ] && [ "$(cat "$prefix/.done")" = "$stamp" ] && exit 0
jobs=${JOBS:-2}
mkdir -p "$deps/apt/state/lists/partial" "$deps/apt/cache/archives/partial" "$deps/src" "$prefix"

# deb-src lines for the archives the system already uses (Debian 12).
{
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed -e 's/^Types:.*/Types: deb-src/' "$f" && echo
  done
} > "$deps/apt/debian.sources"
grep -q '^URIs:' "$deps/apt/debian.sources" || {
  # One-line sources.list systems.
  grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' > "$deps/apt/sources.list"
}
aptopts="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$deps/apt -o Dir::State=$deps/apt/state -o Dir::Cache=$deps/apt/cache -o Debug::NoLocking=1"
[ -s "$deps/apt/sources.list" ] && aptopts="-o Dir::Etc::SourceList=$deps/apt/sources.list -o Dir::Etc::SourceParts=/dev/null -o Dir::State=$deps/apt/state -o Dir::Cache=$deps/apt/cache -o Debug::NoLocking=1"
# shellcheck disable=SC2086
apt-get $aptopts -qq update
cd "$deps/src"
for pkg in libsdl2 libsdl2-image libsdl2-mixer; do
  if [ ! -f ".$pkg.fetched" ]; then
    # shellcheck disable=SC2086
    apt-get $aptopts -qq source "$pkg" >/dev/null
    touch ".$pkg.fetched"
  fi
done
sdl=$(ls -d "$deps"/src/libsdl2-2*/ | head -n 1)
image=$(ls -d "$deps"/src/libsdl2-image-*/ | head -n 1)
mixer=$(ls -d "$deps"/src/libsdl2-mixer-*/ | head -n 1)

common="-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$prefix -DBUILD_SHARED_LIBS=OFF -DCMAKE_PREFIX_PATH=$prefix"

emcmake cmake -S "$sdl" -B "$deps/build/sdl2" $common -DSDL_SHARED=OFF -DSDL_STATIC=ON \
  -DSDL_TEST=OFF -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF
nice cmake --build "$deps/build/sdl2" -j "$jobs"
cmake --install "$deps/build/sdl2"

# PNG through the stb decoder that SDL2_image carries: no libpng, no zlib.
emcmake cmake -S "$image" -B "$deps/build/image" $common -DSDL2IMAGE_SAMPLES=OFF \
  -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_BACKEND_STB=ON \
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF \
  -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF \
  -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF \
  -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF \
  -DSDL2IMAGE_XV=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"
nice cmake --build "$deps/build/image" -j "$jobs"
cmake --install "$deps/build/image"

# Wave effects only: the tune plays through the page's synthesiser.
emcmake cmake -S "$mixer" -B "$deps/build/mixer" $common -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_CMD=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2_DIR="$prefix/lib/cmake/SDL2"
nice cmake --build "$deps/build/mixer" -j "$jobs"
cmake --install "$deps/build/mixer"
echo "$stamp" > "$prefix/.done"
