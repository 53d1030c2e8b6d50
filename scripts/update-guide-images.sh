#!/usr/bin/env bash
# Copies the pictures the user guide shows from the test suite's screenshots
# into doc/VornelRambaKEYQ7X-guide/. Run the screenshot and layout tests first:
#   cd build && xvfb-run -a -s "-screen 0 1920x1080x24" ctest -R "tst_screenshots|tst_layout"
#   scripts/update-guide-images.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
shots=${1:-$here/build}/tests/qml/screenshots
out=$here/doc/VornelRambaKEYQ7X-guide
mkdir -p "$out"
# guide picture <- screenshot
pairs=(
  "main_en_1.0.png:main_en_1.0.png"
  "main_zh_1.0.png:main_zh_1.0.png"
  "populate_en_1.0.png:layout_en_1.0_dialog_populate.png"
  "about_en_1.0.png:layout_en_1.0_dialog_about.png"
  "firmware_offer_en_1.0.png:layout_en_1.0_dialog_firmware_offer.png"
  "firmware_progress_en_1.0.png:layout_en_1.0_dialog_firmware_progress.png"
)
for pair in "${pairs[@]}"; do
  target=${pair%%:*}
  source=$shots/${pair#*:}
  [ -f "$source" ] || { echo "missing $source: run the screenshot and layout tests first" >&2; exit 1; }
  cp "$source" "$out/$target"
done
echo "guide pictures updated in $out"
