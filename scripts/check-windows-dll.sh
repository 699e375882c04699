#!/usr/bin/env bash
# Static checks of a Windows plug-in DLL, as a host will meet it:
#   - the PE format of its architecture (pei-i386 for i686, pei-x86-64 for x86_64);
#   - exactly two exports, `main` and `VSTPluginMain`, undecorated (no "_main", no "@4");
#   - imports from Windows' own DLLs only (no MinGW runtime, nothing a host lacks);
#   - no instruction beyond SSE2 in any function that runs without a CPU check;
#   - its DllMain is the framework's, which runs the library's load and unload
#     hooks (the C runtime has an empty DllMain that a link can quietly pick).
#
# Instructions beyond SSE2 (SSE3 and later, AVX, FMA, BMI, ...) may only appear in
# functions that run after the code checked the processor for them. By convention
# such a function carries the extension in its name: "Avx2", "Fma", "Sse41" and the
# like (processBlockAvx2, namespace Avx2, GCC's ".avx2" clones), or is the CPU check
# itself. Everything else must run on any SSE2 processor.
#
# Usage: check-windows-dll.sh i686|x86_64 FILE.dll
# VANTOR_CHECK_CODE=0 leaves out the instruction scan (a stripped DLL names no functions).
set -euo pipefail
arch=$1
dll=$2
objdump="$arch-w64-mingw32-objdump"
case $arch in
  i686) format=pei-i386 ;;
  x86_64) format=pei-x86-64 ;;
  *) echo "unknown architecture '$arch'" >&2; exit 2 ;;
esac
fail() { echo "$dll: $*" >&2; exit 1; }

headers=$("$objdump" -p "$dll")
grep -q "file format $format\$" <<<"$headers" || fail "not $format"

# The export name table lists "[ n] name" lines after its heading.
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
               on && /^[ \t]*\[ *[0-9]+\] / {print $NF; next}
               on && NF == 0 {on = 0}' <<<"$headers" | sort | tr '\n' ' ')
[ "$exports" = "VSTPluginMain main " ] || fail "exports '$exports' instead of exactly 'VSTPluginMain main'"

# Windows' own libraries; anything else (libstdc++-6, libgcc_s, libwinpthread-1, ...)
# would be missing on a user's machine.
allowed='^(kernel32|user32|gdi32|gdiplus|msimg32|msvcrt|shell32|shlwapi|comctl32|comdlg32|ole32|oleaut32|advapi32|winmm|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r name; do
  grep -qiE "$allowed" <<<"$name" || fail "imports $name, which is not a Windows system DLL"
done < <(grep 'DLL Name:' <<<"$headers" | awk '{print $3}')

# Beyond SSE2, by mnemonic (AT&T names as objdump prints them, with or without a
# size suffix). tzcnt is left out on purpose: it is GCC's "rep bsf", which older
# processors run as bsf. So is xgetbv: a CPU check (GCC's __builtin_cpu_init in a
# static constructor) asks it whether the system saves AVX state, and only after
# CPUID reported that it may.
beyond='^(addsubp[sd]|h(add|sub)p[sd]|lddqu|movddup|movs[hl]dup|fisttp[sl]*|monitor|mwait'
beyond+='|pabs[bwd]|ph(add|sub)(w|d|sw)|pmaddubsw|pmulhrsw|pshufb|psign[bwd]|palignr'
beyond+='|blendv?p[sd]|dpp[sd]|extractps|insertps|movntdqa|mpsadbw|packusdw|pblend(vb|w)|pcmpeqq'
beyond+='|pextr[bdq]|pinsr[bdq]|pm(ax|in)(sb|sd|uw|ud)|pmov[sz]x[bwd][wdq]|pmul(dq|ld)|ptest'
beyond+='|round[ps][sd]|phminposuw|pcmp[ei]str[im]|pcmpgtq|crc32[bwlq]?|popcnt[wlq]?|lzcnt[wlq]?'
beyond+='|andn[lq]?|bextr[lq]?|bls(i|msk|r)[lq]?|bzhi[lq]?|mulx[lq]?|pdep[lq]?|pext[lq]?|rorx[lq]?|s(ar|hl|hr)x[lq]?'
beyond+='|movbe[wlq]?|adcx[lq]?|adox[lq]?|aes[a-z]*|pclmul[a-z]*|sha(1|256)[a-z0-9]*|rdrand[wlq]?|rdseed[wlq]?'
beyond+='|v[a-z0-9]+|k[a-z]+[bwdq])$'
# Functions allowed to use them: the extension named in the function, or the CPU check
# (GCC's, and libstdc++'s std::random_device, which asks CPUID before using rdrand/rdseed).
dispatched='avx|fma|sse3|ssse3|sse4|bmi|f16c|popcnt|__cpu_indicator_init|get_available_features|__get_cpuid|__x86_rd(rand|seed)'

[ "${VANTOR_CHECK_CODE:-1}" != 0 ] || { echo "$dll: $format, exports exactly main and VSTPluginMain, system imports only"; exit 0; }
code=$("$objdump" -d -C --no-show-raw-insn "$dll")
offenders=$(awk -v beyond="$beyond" -v dispatched="$dispatched" '
  /^[0-9a-f]+ <.*>:$/ {
    function_name = substr($0, index($0, "<") + 1)
    sub(/>:$/, "", function_name)
    allowed = tolower(function_name) ~ dispatched
    # Tables that the linker puts among the code are data, not instructions.
    data = function_name ~ /^\.(gcc_except_table|rdata|eh_frame|data)/
    next
  }
  /^ *[0-9a-f]+:\t/ {
    split($0, fields, "\t")
    split(fields[2], words, " ")
    mnemonic = words[1]
    if (mnemonic ~ /^(rep|repz|repnz|lock|data16|addr32|notrack|bnd|cs|ds|es|ss)$/) mnemonic = words[2]
    if (mnemonic ~ beyond && mnemonic !~ /^(verr|verw)$/ && !allowed && !data && !(function_name in seen)) {
      seen[function_name] = 1
      print "  " function_name ": " mnemonic
    }
  }' <<<"$code")
if [ -n "$offenders" ]; then
  echo "$dll: instructions beyond SSE2 outside CPU-dispatched functions:" >&2
  echo "$offenders" >&2
  exit 1
fi

# DllMain (i686: DllMain@12) must call both hooks.
hooks=$(awk '/^[0-9a-f]+ <.*>:$/ { on = $0 ~ /<_?DllMain(@12)?>:$/; next }
             on && /call/ && /Vantor::Platform::onLibrary(Load|Unload)\(/ { sub(/\(.*/, ""); sub(/.*::/, ""); print }' \
         <<<"$code" | sort -u | tr '\n' ' ')
[ "$hooks" = "onLibraryLoad onLibraryUnload " ] || fail "its DllMain does not run the library's load and unload hooks"
echo "$dll: $format, exports exactly main and VSTPluginMain, system imports only, SSE2 baseline, DllMain runs the hooks"
