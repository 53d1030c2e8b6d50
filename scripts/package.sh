#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of the editor
# (build/rambakey-q7x-editor_<version>_<arch>.deb).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"
cd "$here/build"
cpack -G DEB
ls -1 "$here"/build/rambakey-q7x-editor_*.deb
