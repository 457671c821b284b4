# Sourced: the one place that decides which Windows build this host runs.
# The 32-bit build is the primary product, but 32-bit Wine needs the kernel's
# IA-32 emulation, which some x86-64 hosts have turned off; wine64 runs the x64
# build everywhere. QV_WINDOWS_ARCH=x86|x64 forces a choice.

# Asked once, when first sourced; nested runs inherit the answer.
if [ -z "${QV_HOST_RUNS_X86:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then QV_HOST_RUNS_X86=yes; else QV_HOST_RUNS_X86=no; fi
  export QV_HOST_RUNS_X86
fi
qv_host_runs_x86() { [ "$QV_HOST_RUNS_X86" = yes ]; }

# The builds whose Windows tests run here, one per line: the forced one, else
# x64 always and x86 where the host can.
qv_windows_test_archs() {
  case "${QV_WINDOWS_ARCH:-}" in
    "") echo x64; if qv_host_runs_x86; then echo x86; fi ;;
    *) qv_windows_arch ;;
  esac
}

# The build that a single run (the demo, the benchmark) uses: the forced one,
# else the 32-bit build where the host can run it, else the 64-bit one.
qv_windows_arch() {
  case "${QV_WINDOWS_ARCH:-}" in
    x86)
      if ! qv_host_runs_x86; then
        echo "QV_WINDOWS_ARCH=x86, but this kernel cannot run 32-bit programs (/usr/lib/wine/wine does not start)" >&2
        return 1
      fi
      echo x86 ;;
    x64) echo x64 ;;
    "") if qv_host_runs_x86; then echo x86; else echo x64; fi ;;
    *) echo "QV_WINDOWS_ARCH must be x86 or x64, not '$QV_WINDOWS_ARCH'" >&2; return 1 ;;
  esac
}

# The folder that holds a build's Windows programs (dist/ or dist/x64/).
qv_dist_dir() { if [ "$1" = x64 ]; then echo dist/x64; else echo dist; fi; }
# The CMake build tree of a build.
qv_build_dir() { if [ "$1" = x64 ]; then echo build/windows-x64; else echo build/windows; fi; }
