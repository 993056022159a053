#!/usr/bin/env bash
# The runtime that the shipped programs link: the mingw-w64 C runtime, libgcc, libgcc_eh and
# libstdc++ compiled for the original Pentium (-march=i586). Debian's prebuilt ones target the
# Pentium Pro and hold its instructions (CMOV, FCMOV, FCOMI), one of them in the start-up code.
# They are rebuilt here from Debian's own sources with the installed cross compiler (no compiler
# is built): the CRT from the source package of the installed mingw-w64-i686-dev, libgcc and
# libstdc++ from the GCC release in gcc-12-source, configured as the installed compiler was
# (`-v` prints how). Debian's GCC patches stay out, as they did from Debian's own build of these
# libraries (its c++config.h carries the release's date, not the one they set); the archives
# built here hold the same members and symbols as Debian's, and their c++config.h differs only
# in RDRAND and RDSEED.
#
#   bash scripts/i586-runtime.sh               builds it unless it is there; prints its folder
#   bash scripts/i586-runtime.sh --print-dir   prints its folder; fails when it is not built
#
# The folder is $XDG_CACHE_HOME/zorv3d/i586-runtime/<key> (~/.cache when XDG_CACHE_HOME is
# unset; ZORV_CACHE_DIR replaces $XDG_CACHE_HOME/zorv3d), outside the build folders, so it
# outlives `rm -rf build`. The key is a hash of the versions of gcc-12-source, the cross
# compilers, mingw-w64-i686-dev and its headers, binutils, the flags and this script: a change
# to any of them builds a new folder; otherwise nothing is built. A cold build takes minutes and
# about 2 GB of disk while it runs; the result is about 15 MB. Needs the packages of
# scripts/setup.sh and network access to the machine's own package sources.
set -euo pipefail

script=$(realpath "${BASH_SOURCE[0]}")
# Tuned for the Pentium, as the program's own code is (cmake/i586-runtime.cmake, which says why).
flags="-O2 -march=i586 -mtune=pentium"
target=i686-w64-mingw32
cc=$target-gcc-win32
cxx=$target-g++-win32
cache=${ZORV_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zorv3d}/i586-runtime

die() {
  echo "i586-runtime: $*" >&2
  exit 1
}

# Prints "package version" for each installed package; fails on one that is not installed.
installed_versions() {
  local p line
  for p in "$@"; do
    line=$(dpkg-query -W -f='${db:Status-Status} ${Version}' "$p" 2>/dev/null) || line=""
    [ "${line%% *}" = installed ] || die "$p is not installed: run scripts/setup.sh"
    echo "$p ${line#* }"
  done
}

inputs() {
  installed_versions gcc-12-source gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 \
    mingw-w64-i686-dev mingw-w64-common binutils-mingw-w64-i686
  echo "flags $flags"
  echo "script $(sha256sum <"$script" | cut -d' ' -f1)"
}

key_inputs=$(inputs)
dir=$cache/$(sha256sum <<<"$key_inputs" | cut -c1-16)

if [ "${1:-}" = --print-dir ]; then
  [ -f "$dir/inputs.txt" ] || die "not built for the installed compiler: run scripts/setup.sh"
  echo "$dir"
  exit 0
fi
[ $# -eq 0 ] || die "usage: $0 [--print-dir]"
if [ -f "$dir/inputs.txt" ]; then
  echo "$dir"
  exit 0
fi

# The sources are best those the installed compiler was built from (scripts/setup.sh asks for
# them). Only the GCC release in gcc-12-source is built, without Debian's patches, so another
# Debian version of the same release builds the same libraries. A later GCC 12 release, where the
# archive has moved on, builds a libstdc++ and a libgcc newer than the compiler's headers, which
# GCC's ABI promise covers: code compiled by a GCC 12 links with any later GCC 12 library.
gcc_source=$(dpkg-query -W -f='${Version}' gcc-12-source)
built_using=$(dpkg-query -W -f='${Built-Using}' gcc-mingw-w64-i686-win32)
built_from=$(sed -n 's/.*gcc-12 (= \([^)]*\)).*/\1/p' <<<"$built_using")
crt_package=$(dpkg-query -W -f='${source:Package}' mingw-w64-i686-dev)
crt_version=$(dpkg-query -W -f='${source:Version}' mingw-w64-i686-dev)
tarballs=(/usr/src/gcc-12/gcc-*.tar.xz)
[ ${#tarballs[@]} -eq 1 ] && [ -f "${tarballs[0]}" ] || die "no single GCC tarball in /usr/src/gcc-12"
release=$(basename "${tarballs[0]}" | sed -n 's/^gcc-\([0-9.]*\)[-.].*/\1/p')
[ "${release%%.*}" = 12 ] || die "the GCC in gcc-12-source $gcc_source is not GCC 12 (${tarballs[0]})"
[ -n "$built_from" ] || die "the cross compiler names no gcc-12 it was built from ($built_using)"
compiler_release=${built_from%-*}
if [ "$release" != "$compiler_release" ]; then
  dpkg --compare-versions "$release" gt "$compiler_release" ||
    die "gcc-12-source $gcc_source holds GCC $release, older than the cross compiler's ${built_from:-?}: run scripts/setup.sh"
  echo "i586-runtime: gcc-12-source $gcc_source holds GCC $release, a later release than the cross compiler's" \
    "$built_from: the runtime is built from it (the same GCC 12 ABI)" >&2
elif [ "$gcc_source" != "$built_from" ]; then
  echo "i586-runtime: gcc-12-source $gcc_source is not $built_from, which the cross compiler was built from," \
    "but holds the same GCC release, $release: the runtime is built from it" >&2
fi

mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9 # another build of the same folder finishes first
if [ -f "$dir/inputs.txt" ]; then
  echo "$dir"
  exit 0
fi

work=$cache/.work
log=$cache/build.log
rm -rf "$work" "$dir.new"
mkdir -p "$work" "$dir.new/lib"
: >"$log"
trap 'status=$?; if [ $status -ne 0 ]; then tail -n 40 "$log" >&2; echo "i586-runtime: failed, the whole log is $log" >&2; fi; rm -rf "$work" "$dir.new"' EXIT
jobs=$(nproc)
target_flags="$flags -ffile-prefix-map=$work=."
step() { echo "i586-runtime: $* ($(date +%T))" >&2; }
run() { "$@" >>"$log" 2>&1; }

step "fetching the source of $crt_package $crt_version from the machine's package sources"
# Debian's source entries beside the machine's binary ones, in a private apt state: the machine's
# own configuration stays as it is.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
eval "$(apt-config shell source_list Dir::Etc::SourceList/f source_parts Dir::Etc::SourceParts/d)"
python3 - "$source_list" "$source_parts" "$apt_dir/sources" <<'PY'
import glob, os, sys

source_list, source_parts, out = sys.argv[1:]
one_line, deb822 = [], []
for path in [source_list] + sorted(glob.glob(os.path.join(source_parts, "*.list"))):
    if not os.path.isfile(path):
        continue
    for line in open(path):
        words = line.split("#", 1)[0].split()
        if words[:1] == ["deb"]:
            one_line.append(" ".join(["deb-src"] + words[1:]))
for path in sorted(glob.glob(os.path.join(source_parts, "*.sources"))):
    for stanza in open(path).read().split("\n\n"):
        lines = [l for l in stanza.splitlines() if l.strip() and not l.startswith("#")]
        fields = {l.split(":", 1)[0].strip().lower(): l.split(":", 1)[1].strip() for l in lines if not l[0].isspace() and ":" in l}
        if "deb" in fields.get("types", "").split() and fields.get("enabled", "yes").lower() != "no":
            deb822.append("\n".join(["Types: deb-src"] + [l for l in lines if not l.lower().startswith("types:")]))
if not one_line and not deb822:
    sys.exit("no package sources to derive Debian's source entries from")
with open(os.path.join(out, "deb-src.list"), "w") as f:
    f.write("".join(l + "\n" for l in one_line))
with open(os.path.join(out, "deb-src.sources"), "w") as f:
    f.write("\n\n".join(deb822) + "\n")
PY
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")
[ "$(id -u)" -eq 0 ] && apt_options+=(-o APT::Sandbox::User=root)
run apt-get "${apt_options[@]}" update || true # an entry without sources is no matter
(cd "$work" && run apt-get "${apt_options[@]}" source --only-source "$crt_package=$crt_version")
crt_src=$(find "$work" -maxdepth 3 -path "*/mingw-w64-crt/configure" -printf '%h\n')
[ -n "$crt_src" ] || die "the source of $crt_package $crt_version has no mingw-w64-crt"

step "building the mingw-w64 C runtime"
mkdir -p "$work/crt/lib32"
(cd "$work/crt" && run "$crt_src/configure" --host=$target --prefix=/usr/$target \
  --disable-lib64 --enable-lib32 CC=$cc CFLAGS="$target_flags")
crt_parts=(crt1.o crt2.o dllcrt2.o libmingw32.a libmingwex.a libmsvcrt.a libmoldname.a)
run make -C "$work/crt" -j"$jobs" "${crt_parts[@]/#/lib32/}"
for part in "${crt_parts[@]}"; do cp "$work/crt/lib32/$part" "$dir.new/lib/"; done

step "unpacking GCC from gcc-12-source $gcc_source"
mkdir -p "$work/gcc-src" "$work/gcc"
# Only libgcc and libstdc++ are built: the testsuites and the Ada, Go and D libraries stay packed.
tar xf "${tarballs[0]}" -C "$work/gcc-src" --strip-components=1 --exclude='gcc-*/gcc/testsuite' \
  --exclude='gcc-*/gcc/ada' --exclude='gcc-*/libgo' --exclude='gcc-*/libphobos'

step "configuring GCC as the installed cross compiler was"
# The options that `-v` prints (win32 threads, DWARF-2 exceptions, the libstdc++ features),
# with the target libraries' flags and only the languages whose libraries are built.
configured_with=$($cc -v 2>&1 | sed -n 's/^Configured with: [^ ]*configure //p')
[ -n "$configured_with" ] || die "$cc -v names no configure options"
mapfile -t gcc_options < <(python3 -c 'import shlex, sys; print("\n".join(shlex.split(sys.argv[1])))' "$configured_with")
(cd "$work/gcc" && run "$work/gcc-src/configure" "${gcc_options[@]}" --enable-languages=c,c++ \
  --disable-nls CFLAGS_FOR_TARGET="$target_flags" CXXFLAGS_FOR_TARGET="$target_flags")
# The compiler is not built: its configuration, the build libiberty and the headers that libgcc
# reads are enough. Configure takes the target's headers for missing (it looks in sys-include),
# which would leave out of libgcc what needs them.
run make -C "$work/gcc" -j"$jobs" configure-gcc all-build-libiberty
mkdir -p "$work/gcc/gcc/include"
run make -C "$work/gcc/gcc" -j"$jobs" -o xgcc -o specs inhibit_libc=false \
  libgcc.mvars tconfig.h tm.h options.h insn-constants.h insn-modes.h insn-flags.h
grep -q '^INHIBIT_LIBC_CFLAGS = *$' "$work/gcc/gcc/libgcc.mvars" || die "libgcc would be built without the C library"

step "building libgcc and libstdc++ with the installed compiler"
# random_device stays off RDRAND and RDSEED, which no Pentium has; it uses rand_s.
export ac_cv_x86_rdrand=no ac_cv_x86_rdseed=no
target_tools=(-o all-gcc -o maybe-all-gcc CC_FOR_TARGET=$cc GCC_FOR_TARGET=$cc
  "CXX_FOR_TARGET=$cxx -nostdinc++" "RAW_CXX_FOR_TARGET=$cxx -nostdinc++")
run make -C "$work/gcc" -j"$jobs" "${target_tools[@]}" all-target-libgcc
run make -C "$work/gcc" -j"$jobs" "${target_tools[@]}" all-target-libstdc++-v3
libgcc=$work/gcc/$target/libgcc
libstdcxx=$work/gcc/$target/libstdc++-v3
cp "$libgcc"/{crtbegin.o,crtend.o,libgcc.a,libgcc_eh.a} "$libstdcxx"/src/.libs/libstdc++.a \
  "$libstdcxx"/libsupc++/.libs/libsupc++.a "$libstdcxx"/src/filesystem/.libs/libstdc++fs.a "$dir.new/lib/"
cp "$libstdcxx/include/$target/bits/c++config.h" "$dir.new/"

echo "$key_inputs" >"$dir.new/inputs.txt"
mv "$dir.new" "$dir"
step "done: $(du -sh "$dir" | cut -f1) in $dir"
echo "$dir"
