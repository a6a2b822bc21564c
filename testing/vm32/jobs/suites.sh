#!/usr/bin/env bash
# Every test of the shipped i686 build under 32-bit Wine: the store against
# 32-bit kernel32, the service controller and Tarnward against the SCM, the
# dialog framework, and the end-to-end scenarios. The machine's two sessions take
# the programs that need one, two at a time, beside those that need none.
cd "$TARN_ROOT" || exit 1
source scripts/common.sh
cat >"$TARN_OUT/sessions.json" <<'JSON'
{
  "version": { "major": 1, "minor": 0 },
  "local": [{ "session": [{ "id": "s0", "slots": 1 }, { "id": "s1", "slots": 1 }] }]
}
JSON
rm -rf build/win32/test-results
ctest --test-dir build/win32 -j 3 --resource-spec-file "$TARN_OUT/sessions.json" \
    --output-on-failure --output-junit "$PWD/build/win32/ctest.xml" >"$TARN_OUT/ctest.log" 2>&1
case_results build/win32 >"$TARN_OUT/results"
cp -r build/win32/test-results build/win32/ctest.xml "$TARN_OUT/" 2>/dev/null
grep -v '^PASS ' "$TARN_OUT/results"
sed -n 's/^SKIP //p' "$TARN_OUT/results" >"$TARN_OUT/skipped"
echo "$(grep -c '^PASS ' "$TARN_OUT/results") passed, $(grep -c '^FAIL ' "$TARN_OUT/results") failed" >"$TARN_OUT/summary"
