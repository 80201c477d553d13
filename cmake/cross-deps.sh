#!/bin/sh
# Builds what a cross-built program links that Debian ships no build of for
# its platform: SDL2 and GoogleTest, static, for 64-bit Windows or for the
# web, from Debian's own source packages of the versions the Linux build uses. The sources come
# through an apt configuration of the folder's own, made from the Debian
# mirror this machine uses; the system's apt configuration is not touched.
# Everything lives under the folder given, and once built is not built again.
#
#   cross-deps.sh FOLDER TOOLCHAIN-FILE [COMPILER-FLAG...]
#
# The compiler flags given are added to both builds' own.
set -eu

top=$(realpath -m "$1")
toolchain=$(realpath "$2")
shift 2
prefix=$top/prefix
# The build machine's own packages: other architectures' may be installed too.
arch=$(dpkg --print-architecture)
sdl_version=$(dpkg-query -W -f='${source:Version}' "libsdl2-dev:$arch")
gtest_version=$(dpkg-query -W -f='${source:Version}' "libgtest-dev:$arch")
flags="-ffile-prefix-map=$top/src=. $*"
stamp=$prefix/built-sdl2-$sdl_version-googletest-$gtest_version-reproducible${1:+-$(echo "$*" | md5sum | cut -c1-8)}
[ -f "$stamp" ] && exit 0

apt=$top/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$top/src"

# The Debian repositories this machine installs from, as source repositories.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' | sort -u |
  while read -r uri release; do
    case $release in
      "$codename" | "$codename"-*) echo "deb-src [signed-by=$keyring] $uri $release main" ;;
    esac
  done >"$apt/sources.list"
[ -s "$apt/sources.list" ] || { echo "no Debian $codename repository is configured" >&2; exit 1; }

apt_local() {
  apt-get -q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null \
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" \
    -o APT::Sandbox::User="$(id -un)" "$@"
}
apt_local update
cd "$top/src"
rm -rf sdl2 googletest
apt_local source --download-only "libsdl2=$sdl_version" "googletest=$gtest_version"
dpkg-source --no-check -x libsdl2_*.dsc sdl2
dpkg-source --no-check -x googletest_*.dsc googletest

# SDL with only what the program uses: video, events, timers and the
# software renderer (the tests compare lines with it).
cross() {
  source=$1
  shift
  # The sources' folder is not written into what is built, so that the
  # program built from them is the same wherever it is built.
  cmake -S "$source" -B "$source/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" "$@"
  cmake --build "$source/build" --parallel "$(nproc)"
  cmake --install "$source/build"
}
cross sdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON -DSDL_CCACHE=OFF \
  -DSDL_AUDIO=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_POWER=OFF -DSDL_SENSOR=OFF \
  -DSDL_LOCALE=OFF -DSDL_FILESYSTEM=OFF -DSDL_MISC=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF \
  -DSDL_DIRECTX=OFF -DSDL_RENDER_D3D=OFF -DSDL_XINPUT=OFF -DSDL_WASAPI=OFF -DSDL_DUMMYVIDEO=OFF -DSDL_OFFSCREEN=OFF
cross googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=OFF
touch "$stamp"
