#!/usr/bin/env bash
# The installed tree passes appstreamcli's check of an installed application: the metainfo itself,
# and that its launchable names an installed menu entry. --strict fails on errors, warnings and
# infos alike; pedantic hints are printed but do not fail. The one expected hint is that the id
# has capitals, as reverse-DNS ids in CamelCase do.
#   validate_metainfo.sh STAGE
set -uo pipefail
appstreamcli validate-tree --no-net --strict --pedantic --explain "$1"
