#!/usr/bin/env bash
# Drives tapsodia-data as its users do:
#   tapsodia_data_test.sh TOOL VECTOR_FOLDER RECORD_FILE WORK_FOLDER REGEDIT_EXPORT
# Every vector input encodes to its block byte for byte, every block decodes to
# its input, a record lists and extracts, the registry store shows as text, and
# bad input fails with a message.
set -u
tool=$1 vectors=$2 record=$3 work=$4 regedit_export=$5
failures=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# expect_failure STATUS TEXT COMMAND...: the command exits with STATUS and says TEXT on stderr.
expect_failure() {
    local status=$1 text=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local actual=$?
    [[ $actual == "$status" ]] || fail "$* exited with $actual, not $status"
    grep -qF -- "$text" "$work/err" || fail "$* did not say \"$text\": $(cat "$work/err")"
    [[ ! -s $work/out ]] || fail "$* wrote to stdout: $(cat "$work/out")"
}

rm -rf "$work" && mkdir -p "$work" || exit 1

"$tool" --help >"$work/help" || fail "--help exited with $?"
grep -q "^usage: tapsodia-data" "$work/help" || fail "--help shows no usage"

for input in "$vectors"/*.in; do
    name=$(basename "$input" .in)
    # The old form of a block is read, never written.
    [[ $name == oldform_* ]] && continue
    "$tool" encode "$input" "$work/$name.lzh" 2>/dev/null || fail "encode $name exited with $?"
    cmp -s "$work/$name.lzh" "$vectors/$name.lzh" || fail "encode $name differs from $name.lzh"
done

for block in "$vectors"/*.lzh; do
    name=$(basename "$block" .lzh)
    "$tool" decode "$block" "$work/$name.out" || fail "decode $name exited with $?"
    if [[ -s $block ]]; then
        cmp -s "$work/$name.out" "$vectors/$name.in" || fail "decode $name differs from $name.in"
    else
        [[ ! -s $work/$name.out ]] || fail "decode of the empty block $name is not empty"
    fi
done

"$tool" encode "$vectors/len3.in" "$work/len3.lzh" 2>"$work/err" || fail "encode len3 exited with $?"
grep -q "fewer than 5 bytes" "$work/err" || fail "encode len3 gave no warning"

cat >"$work/expected-list" <<'LIST'
TRecordTestform: 3 components
name            extension  compressed      stored  uncompressed  ratio
textmemo        txt        yes                594          3203    19%
tinymemo        txt        no                   3             3   100%
emptyexe                   yes                  0             0   100%
LIST
"$tool" list "$record" >"$work/list" || fail "list exited with $?"
diff -u "$work/expected-list" "$work/list" || fail "list shows other text"

"$tool" extract "$record" textmemo "$work/textmemo.txt" || fail "extract textmemo exited with $?"
cmp -s "$work/textmemo.txt" "$vectors/german_cp1252.in" || fail "extract textmemo differs from its file"
"$tool" extract "$record" tinymemo "$work/tinymemo.txt" || fail "extract tinymemo exited with $?"
cmp -s "$work/tinymemo.txt" "$vectors/len3.in" || fail "extract tinymemo differs from its file"

export XDG_CONFIG_HOME=$work/config
expect_failure 1 "cannot open \"$XDG_CONFIG_HOME/tapsody/registry.reg\"" "$tool" registry show
mkdir -p "$XDG_CONFIG_HOME/tapsody"
cp "$regedit_export" "$XDG_CONFIG_HOME/tapsody/registry.reg"
cat >"$work/expected-registry" <<'REGISTRY'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Tapsody\Einstellungen]
@="Grüße"
"Benutzer"="Jürgen"
"Pfad"="C:\\Programme\\Tap \"sody\""
"Sprache"=dword:00000001

REGISTRY
"$tool" registry show >"$work/registry" || fail "registry show exited with $?"
diff -u "$work/expected-registry" "$work/registry" || fail "registry show shows other text"
key='hkey_current_user\Software\Tapsody\Einstellungen'
for value in '@=Grüße' 'benutzer=Jürgen' 'Pfad=C:\Programme\Tap "sody"' 'Sprache=1'; do
    shown=$("$tool" registry get "$key" "${value%%=*}") || fail "registry get ${value%%=*} exited with $?"
    [[ $shown == "${value#*=}" ]] || fail "registry get ${value%%=*} shows \"$shown\""
done
expect_failure 1 "has no value \"Farbe\" in [$key]" "$tool" registry get "$key" Farbe
expect_failure 2 "registry takes \"show\" or \"get KEY VALUE\"" "$tool" registry get "$key"
printf 'kein Registrierungstext\r\n' >"$XDG_CONFIG_HOME/tapsody/registry.reg"
expect_failure 1 "is damaged: line 1: die erste Zeile ist kein Registrierungskopf" "$tool" registry show

head -c 100 "$vectors/ini_crlf.lzh" >"$work/damaged.lzh"
printf '\376\001\000' >"$work/short.lzh"
head -c 60 "$record" >"$work/truncated.rec"

expect_failure 2 "no command given" "$tool"
expect_failure 2 "unknown command \"pack\"" "$tool" pack a b
expect_failure 2 "encode takes 2 arguments" "$tool" encode "$vectors/len3.in"
expect_failure 1 "cannot open \"$work/missing.in\"" "$tool" encode "$work/missing.in" "$work/x"
expect_failure 1 "cannot create" "$tool" encode "$vectors/len3.in" "$work/no/folder/x"
expect_failure 1 "damaged.lzh is a damaged stored-data block" "$tool" decode "$work/damaged.lzh" "$work/x"
expect_failure 1 "is not a stored-data block" "$tool" decode "$work/short.lzh" "$work/x"
expect_failure 1 "not a window record" "$tool" list "$vectors/ini_crlf.lzh"
expect_failure 1 "damaged window record" "$tool" list "$work/truncated.rec"
expect_failure 1 "has no component \"nosuchmemo\" (it has: textmemo, tinymemo, emptyexe)" \
    "$tool" extract "$record" nosuchmemo "$work/x"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
