# Shared settings of the build scripts; sourced, not run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-$(nproc)}
# Object files are shared between clones in other folders of this machine.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}

# configure <build dir> <cmake args...>: configures once, reconfigures when the args change.
configure() {
    local dir=$1; shift
    local wanted="$*"
    if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/.q71-args" 2>/dev/null)" != "$wanted" ]; then
        cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
        echo "$wanted" >"$dir/.q71-args"
    fi
}

# The optimised build: the game, the data set and the benchmarks.
build_release() {
    configure "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ71_TESTS=OFF
    cmake --build "$root/build" -j "$jobs"
}
