#!/usr/bin/env bash
# zibconv from outside.
#   zibconv_test.sh errors ZIBCONV           command-line and input errors, detection, line ends
#   zibconv_test.sh corpus ZIBCONV DATADIR   every direction against iconv on real text
set -uo pipefail
suite=$1 zibconv=$2 data=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect_error STATUS STDERR_PATTERN [ARGS...] < input: exact status, one
# stderr line matching the pattern, nothing on standard output.
expect_error() {
  local status=$1 pattern=$2; shift 2
  "$zibconv" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "zibconv $* exited $got, not $status"
  [ ! -s "$work/out" ] || fail "zibconv $* wrote to standard output"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "zibconv $* wrote $(wc -l <"$work/err") lines to stderr"
  grep -q -- "$pattern" "$work/err" || fail "zibconv $*: stderr '$(cat "$work/err")' lacks '$pattern'"
}

errors() {
  expect_error 2 'usage' </dev/null
  expect_error 2 'usage' -f sjis </dev/null
  expect_error 2 "unknown option '-x'" -x -f sjis -t utf8 </dev/null
  expect_error 2 'option -t needs an encoding' -f sjis -t </dev/null
  expect_error 2 'option -f given twice' -f sjis -f jis -t utf8 </dev/null
  expect_error 2 "unknown encoding 'latin1' for -f" -f latin1 -t utf8 </dev/null
  expect_error 2 "unknown encoding 'euc' for -t" -f sjis -t euc </dev/null
  expect_error 2 "cannot read '$work/missing'" -f sjis -t utf8 "$work/missing"
  expect_error 2 "cannot read '$work'" -f sjis -t utf8 "$work"
  : >"$work/a"
  expect_error 2 'more than one input file' -f sjis -t utf8 "$work/a" "$work/a"
  printf 'abc\xC3' | expect_error 1 'not valid UTF-8' -f utf8 -t sjis
  # An overlong NUL and an encoded surrogate are no UTF-8 either.
  printf 'a\xC0\x80b' | expect_error 1 'not valid UTF-8' -f utf8 -t sjis
  printf '\xED\xA0\x80' | expect_error 1 'not valid UTF-8' -f utf8 -t ucs2

  # Losses are reported on stderr, and the text still converted.
  printf 'a\xF0\x9F\x98\x80b' | "$zibconv" -f utf8 -t sjis >"$work/out" 2>"$work/err" || fail "emoji: exit $?"
  [ "$(cat "$work/out")" = 'a?b' ] || fail "emoji: output $(xxd -p "$work/out")"
  grep -q '^zibconv: 1 character without a Shift-JIS form' "$work/err" || fail "emoji: stderr $(cat "$work/err")"
  printf '\x88\x9F\x88' | "$zibconv" -f sjis -t utf8 >"$work/out" 2>"$work/err" || fail "lone lead: exit $?"
  [ "$(xxd -p "$work/out")" = 'e4ba9cefbfbd' ] || fail "lone lead: output $(xxd -p "$work/out")"
  grep -q '1 invalid Shift-JIS sequence' "$work/err" || fail "lone lead: stderr $(cat "$work/err")"
  # A user-defined character has no JIS form; what follows it stays as it was.
  printf '\xF0\x40\x88\x9F' | "$zibconv" -f sjis -t jis >"$work/out" 2>"$work/err" || fail "gaiji: exit $?"
  [ "$(xxd -p "$work/out")" = '3f1b244230211b2842' ] || fail "gaiji: output $(xxd -p "$work/out")"
  grep -q '^zibconv: 1 character without a JIS form' "$work/err" || fail "gaiji: stderr $(cat "$work/err")"
}

# Input that stops at a NUL says so; a leading byte-order mark is skipped.
marks_and_nul() {
  local from input
  for from in jis euc; do
    printf 'ab\0cd' | "$zibconv" -f "$from" -t sjis >"$work/out" 2>"$work/err" || fail "$from NUL: exit $?"
    [ "$(cat "$work/out")" = 'ab' ] || fail "$from NUL: output $(xxd -p "$work/out")"
    grep -q '^zibconv: the input stops at a NUL' "$work/err" || fail "$from NUL: stderr $(cat "$work/err")"
  done
  printf 'a\0\0\0b\0' | "$zibconv" -f ucs2 -t sjis >"$work/out" 2>"$work/err" || fail "ucs2 NUL: exit $?"
  [ "$(cat "$work/out")" = 'a' ] || fail "ucs2 NUL: output $(xxd -p "$work/out")"
  grep -q 'stops at a NUL' "$work/err" || fail "ucs2 NUL: stderr $(cat "$work/err")"
  # Shift-JIS and UTF-8 carry a NUL through, without a word.
  printf 'a\0b' | "$zibconv" -f utf8 -t ucs2 >"$work/out" 2>"$work/err" || fail "utf8 NUL: exit $?"
  [ "$(xxd -p "$work/out")" = '610000006200' ] || fail "utf8 NUL: output $(xxd -p "$work/out")"
  [ ! -s "$work/err" ] || fail "utf8 NUL: stderr $(cat "$work/err")"

  for input in 'utf8 \xEF\xBB\xBFa\xE3\x81\x82' 'ucs2 \xFF\xFEa\0\x42\x30'; do
    from=${input%% *}
    printf "${input#* }" | "$zibconv" -f "$from" -t utf8 >"$work/out" 2>"$work/err" || fail "$from mark: exit $?"
    [ "$(xxd -p "$work/out")" = '61e38182' ] || fail "$from mark: output $(xxd -p "$work/out")"
    [ ! -s "$work/err" ] || fail "$from mark: stderr $(cat "$work/err")"
  done
}

# The word --detect prints for standard input: expect_detected WORD < input
expect_detected() {
  local got status
  got=$("$zibconv" --detect 2>"$work/err")
  status=$?
  [ "$status" -eq 0 ] && [ "$got" = "$1" ] || fail "--detect said '$got' (exit $status), not '$1'"
  [ ! -s "$work/err" ] || fail "--detect $1: stderr $(cat "$work/err")"
}

# Short inputs, and line ends of every style through the conversions untouched.
detect_and_line_ends() {
  expect_error 2 'takes no -f or -t' --detect -f sjis </dev/null
  expect_error 2 'option --detect given twice' --detect --detect </dev/null
  expect_error 2 "cannot read '$work/missing'" --detect "$work/missing"
  expect_detected ascii </dev/null
  printf 'plain\ttext\r\n' | expect_detected ascii
  printf '\x82\xa0\x82\xa2' | expect_detected sjis
  printf '\xa4\xa2\xa4\xa4' | expect_detected euc
  printf '\x1b$B$"\x1b(B' | expect_detected jis
  printf '\xef\xbb\xbf' | expect_detected utf8
  printf 'a\0\x42\x30\n\0' | expect_detected ucs2
  printf '\x7fELF\x02\x01\x01\0\0\0' | expect_detected binary

  printf 'a\nb\rc\r\nd' | "$zibconv" -f sjis -t utf8 >"$work/out" || fail "line ends: exit $?"
  [ "$(xxd -p "$work/out")" = '610a620d630d0a64' ] || fail "line ends: output $(xxd -p "$work/out")"
  printf '\x82\xa0\n\x82\xa0\r' | "$zibconv" -f sjis -t jis >"$work/out" || fail "JIS line ends: exit $?"
  [ "$(xxd -p "$work/out")" = '1b244224221b28420a1b244224221b28420d' ] ||
    fail "JIS line ends: output $(xxd -p "$work/out")"
  printf 'a\nb\r' | "$zibconv" -f sjis -t ucs2 >"$work/out" || fail "UCS-2 line ends: exit $?"
  [ "$(xxd -p "$work/out")" = '61000a0062000d00' ] || fail "UCS-2 line ends: output $(xxd -p "$work/out")"
}

# Each sample in every encoding, as iconv writes it. EUC-JP-MS keeps the
# Microsoft mappings of code page 932 (0x8160 is U+FF5E), so its bytes are the
# JIS X 0208 codes; read back as plain EUC-JP they have ISO-2022-JP forms.
render() {
  local sample=$1 name=$2
  case $name in
    sjis) cat "$sample" ;;
    jis) iconv -f CP932 -t EUC-JP-MS "$sample" | iconv -f EUC-JP -t ISO-2022-JP ;;
    euc) iconv -f CP932 -t EUC-JP-MS "$sample" ;;
    utf8) iconv -f CP932 -t UTF-8 "$sample" ;;
    ucs2) iconv -f CP932 -t UTF-16LE "$sample" ;;
  esac
}

corpus() {
  local sample from to
  for sample in "$data"/*.sjis.*; do
    for from in sjis jis euc utf8 ucs2; do
      render "$sample" "$from" >"$work/$from" || fail "iconv cannot render $sample as $from"
      [ "$("$zibconv" --detect "$work/$from")" = "$from" ] || fail "$sample in $from: detected otherwise"
    done
    for from in sjis jis euc utf8 ucs2; do
      for to in sjis jis utf8 ucs2; do
        "$zibconv" -f "$from" -t "$to" "$work/$from" >"$work/out" || fail "$sample $from -> $to: exit $?"
        cmp -s "$work/out" "$work/$to" || fail "$sample $from -> $to differs from iconv"
      done
    done
  done
}

case $suite in
  errors) errors; marks_and_nul; detect_and_line_ends ;;
  corpus) corpus ;;
  *) echo "unknown suite $suite"; exit 2 ;;
esac
[ "$failures" -eq 0 ] && echo "zibconv $suite: all passed"
[ "$failures" -eq 0 ]
