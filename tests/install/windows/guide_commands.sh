#!/usr/bin/env bash
# The administrators' guide's Windows commands, run as they stand: every block of the guide marked
# `cmd`, in order, in a new Wine prefix, in the folder holding the downloads under their published
# names (as CMake's install gathers it for the Windows runner). Each line of a block is a command
# of its own and must end with status 0; a block that is a script (it starts with "@echo off")
# runs whole, as the .cmd file the guide has it saved as, and must end with status 0. Then the
# Windows Installer package is installed once more and the guide's removal script run again; at
# the end nothing of the program may be left, in the registry or on the disk.
#   guide_commands.sh WINE_RUN GUIDE FOLDER WORK_DIR
set -euo pipefail
wine_run=$1 guide=$2 folder=$3 work=$4
rm -rf "$work" && mkdir -p "$work/steps"
windows() { local path=${1//\//\\}; echo "Z:$path"; }

# The blocks, one file each: block-N.
awk '/^```cmd *$/ { n++; inside = 1; next } /^```/ { inside = 0 } inside { print > (dir "/block-" n) }' \
  dir="$work" "$guide"
blocks=("$work"/block-*)
[ -f "${blocks[0]}" ] || { echo "FAIL: no cmd block in $guide"; exit 1; }

# The steps, each a .cmd file that passes its status on; the driver calls them in order.
steps=() script=''
step() {
  local file=$work/steps/step-$((${#steps[@]} + 1)).cmd
  { cat; printf '\nexit /b %%ERRORLEVEL%%\n'; } | sed 's/$/\r/' >"$file"
  steps+=("$file")
}
for block in $(printf '%s\n' "${blocks[@]}" | sort -t- -k2 -n); do
  if [ "$(head -1 "$block")" = '@echo off' ]; then
    step <"$block"
    script=$block
  else
    while IFS= read -r line; do step <<<"$line"; done <"$block"
  fi
done
[ -n "$script" ] || { echo "FAIL: no removal script (a block starting with @echo off) in $guide"; exit 1; }
msi=$(cd "$folder" && ls torvelin-hexagon-*.msi)
step <<<"start /wait msiexec /i $msi /qn"
step <"$script"

{
  echo '@echo off'
  echo "cd /d \"$(windows "$folder")\""
  for i in "${!steps[@]}"; do
    echo "echo guide_commands: step $((i + 1))"
    echo "call \"$(windows "${steps[$i]}")\""
    echo "if errorlevel 1 exit /b $((i + 1))"
  done
  # Nothing left: neither installer's key, nor a program in either folder the guide installs to.
  echo 'reg query "HKLM\Software\io.github.torvelin.TorvelinHexagon" /reg:64 >nul 2>&1'
  echo 'if not errorlevel 1 exit /b 201'
  echo 'reg query "HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.torvelin.TorvelinHexagon" /reg:64 >nul 2>&1'
  echo 'if not errorlevel 1 exit /b 202'
  echo 'if exist "C:\Program Files\Torvelin Hexagon\torvelin-hexagon.exe" exit /b 203'
  echo 'if exist "C:\School\Torvelin Hexagon\torvelin-hexagon.exe" exit /b 204'
  echo 'exit /b 0'
} | sed 's/$/\r/' >"$work/driver.cmd"

for i in "${!steps[@]}"; do printf 'step %d: %s\n' $((i + 1)) "$(head -1 "${steps[$i]}" | tr -d '\r')"; done
status=0
"$wine_run" --fresh "$work/wine" cmd /c "$(windows "$work/driver.cmd")" || status=$?
case $status in
  0) echo "ok: the guide's ${#blocks[@]} cmd blocks ran, and nothing of the program is left" ;;
  201 | 202 | 203 | 204) echo "FAIL: something of the program is left (check $status)" ;;
  *) echo "FAIL: step $status ended with a status other than 0" ;;
esac
exit $((status != 0))
