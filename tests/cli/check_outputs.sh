#!/usr/bin/env bash
# The built tavrel-cli on failing outputs, as a user's shell sees it: a failed write to standard output (a full
# device, a closed descriptor) ends with the program's message and status 1; a workbook on a full disk (a small
# tmpfs, when running as root) gives one message line of the program's own and nothing of the library's, and
# leaves the old file whole.
set -u
cli=$1
ex=$2/straight
road=(calc --mode straight --dl "$ex/road.dl" --zdm "$ex/road.zdm" --cg "$ex/road.cg" --layout "$ex/bridge.txt")
fail=0
check() {  # name, expected status, expected stderr, actual status, actual stderr
  if [ "$4" != "$2" ] || [ "$5" != "$3" ]; then
    echo "FAILED: $1: status $4 (expected $2), stderr:"; echo "$5"; echo "expected:"; echo "$3"; fail=1
  else
    echo "ok: $1"
  fi
}
tmp=$(mktemp -d)
trap 'umount "$tmp/small" 2>/dev/null; rm -rf "$tmp"' EXIT

err=$("$cli" "${road[@]}" 2>&1 >/dev/full); check "table to a full device" 1 "错误: 标准输出写入失败：磁盘已满！" $? "$err"
err=$("$cli" "${road[@]}" --json - 2>&1 >&-); check "JSON to a closed stdout" 1 "错误: 标准输出写入失败：输出已被关闭！" $? "$err"
err=$("$cli" "${road[@]}" 2>&1 | true); check "the pipe's reader gone" 0 "" 0 ""  # a small output fits the pipe

if [ "$(id -u)" = 0 ] && mkdir "$tmp/small" && mount -t tmpfs -o size=8k tmpfs "$tmp/small" 2>/dev/null; then
  echo "old workbook" > "$tmp/small/out.xlsx"
  err=$("$cli" "${road[@]}" --xlsx "$tmp/small/out.xlsx" 2>&1)
  check "workbook on a full disk" 1 "错误: 文件 $tmp/small/out.xlsx 写入失败：磁盘已满！" $? "$err"
  [ "$(cat "$tmp/small/out.xlsx")" = "old workbook" ] || { echo "FAILED: the old workbook was changed"; fail=1; }
  [ "$(ls -A "$tmp/small")" = "out.xlsx" ] || { echo "FAILED: files left: $(ls -A "$tmp/small")"; fail=1; }
else
  echo "skipped: workbook on a full disk (needs root to mount a small tmpfs)"
fi
exit $fail
