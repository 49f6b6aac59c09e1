#!/usr/bin/env bash
# Zips everything inside FOLDER into ZIP, each entry named by its path inside FOLDER, so that the
# same files give the same bytes whoever zips them, wherever and whenever:
# - the entries in the byte order of their names (zip -r would take the file system's order);
# - every entry dated EPOCH (seconds since 1970), and zip's DOS times written in UTC, since they
#   are local times without a zone;
# - folders 0755 and files 0644, whatever the umask was when they were made;
# - no extra fields (-X): no owners and no second, more precise time stamp.
# FOLDER's dates and permissions are changed: it should be a copy made for the zip.
#   make_zip.sh ZIP FOLDER EPOCH
set -euo pipefail
zip=$(realpath -m "$1") folder=$2 epoch=$3

rm -f "$zip"
cd "$folder"
find . -mindepth 1 -type d -exec chmod 0755 {} +
find . -mindepth 1 ! -type d -exec chmod 0644 {} +
find . -mindepth 1 -exec touch -d "@$epoch" {} +
find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | TZ=UTC0 zip -X -q "$zip" -@
