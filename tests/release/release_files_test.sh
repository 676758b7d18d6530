#!/usr/bin/env bash
# The pieces of the release: the guide takes its pictures inside and
# refuses a page that would reach outside itself or a picture the window
# pictures do not draw; the zip made twice from one program, from files of
# other times in another folder, is the same bytes, with its names in code
# page 936 (for Windows' own zip folders) and in UTF-8 (for other tools).
#   release_files_test.sh PROGRAM.exe
set -euo pipefail
# Names are UTF-8 here whatever the machine's locale (a fresh one has none).
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# The guide.
mkdir -p "$work/pictures"
printf 'PNG' >"$work/pictures/a.png"
echo '<a href="#part">part</a><img src="pictures/a.png">' >"$work/page.html"
"$root/scripts/make-guide" "$work/page.html" "$work/pictures" "$work/guide.html"
grep -q '<img src="data:image/png;base64,UE5H">' "$work/guide.html" || fail "the picture is not inside the guide"
for page in '<img src="pictures/missing.png">' '<img src="http://example.com/a.png">' \
            '<link href="style.css">' '<img src="a.png">'; do
  echo "$page" >"$work/bad.html"
  if "$root/scripts/make-guide" "$work/bad.html" "$work/pictures" "$work/out.html" 2>/dev/null; then
    fail "the guide was made from $page"
  fi
done
for picture in $(grep -o 'src="pictures/[^"]*\.png"' "$root/docs/guide.html" | sed 's/.*pictures\/\(.*\)\.png"/\1/'); do
  grep -q "L\"$picture.bmp\"" "$root/tests/pictures/window_pictures.cpp" ||
    fail "the guide shows $picture.png, which the window pictures do not draw"
done

# The zip, twice.
mkdir -p "$work/one" "$work/two"
cp "$program" "$work/one/program.exe"
cp "$work/guide.html" "$work/one/guide.html"
touch -d '2001-02-03 04:05:06' "$work/one/program.exe"
(cd "$work/one" && "$root/scripts/make-zip" ../one.zip 1700000000 "澄川改名宝.exe=program.exe" \
  "使用说明.html=guide.html")
cp "$program" "$work/two/a.exe"
cp "$work/guide.html" "$work/two/b.html"
"$root/scripts/make-zip" "$work/two.zip" 1700000000 "澄川改名宝.exe=$work/two/a.exe" \
  "使用说明.html=$work/two/b.html"
cmp "$work/one.zip" "$work/two.zip" || fail "the same files made two different zips"

[ "$(unzip -Z1 "$work/one.zip" | tr '\n' '|')" = "澄川改名宝.exe|使用说明.html|" ] ||
  fail "the zip's names, read in UTF-8, are $(unzip -Z1 "$work/one.zip" | tr '\n' ' ')"
unzip -p "$work/one.zip" 澄川改名宝.exe | cmp - "$program" || fail "the program came out of the zip changed"
unzip -p "$work/one.zip" 使用说明.html | cmp - "$work/guide.html" || fail "the guide came out of the zip changed"
python3 - "$work/one.zip" <<'PY' || fail "the zip's stored names or times"
import sys, zipfile
entries = zipfile.ZipFile(sys.argv[1]).infolist()
assert [e.filename.encode("cp437").decode("gbk") for e in entries] == ["澄川改名宝.exe", "使用说明.html"]
assert all(e.flag_bits & 0x800 == 0 for e in entries)       # names in code page 936, not flagged UTF-8
assert all(e.date_time == (2023, 11, 14, 22, 13, 20) for e in entries)  # 1700000000, UTC
PY
echo "release files: the guide holds its pictures; one program makes one zip"
