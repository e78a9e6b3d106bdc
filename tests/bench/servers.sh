# Sourced by the benchmark scripts: starts a private instance of the stand-in
# servers in a temporary folder ($work), points the 64-bit install folder's
# oem.ini at it, and sets $root, $build, $install and $control (the servers'
# control address). Everything is put back when the script exits.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build
work=$(mktemp -d)
install=$build/win64/install
cp "$install/oem.ini" "$work/oem.ini.saved"
cleanup() {
  "$root/tests/e2e/servers-fixture" stop "$work/servers" || true
  cp "$work/oem.ini.saved" "$install/oem.ini"
  rm -rf "$work"
}
trap cleanup EXIT

"$root/tests/e2e/servers-fixture" start "$work/servers" "$build/native/platform/servers/pimlo-servers"
"$root/scripts/point-at-servers" "$work/servers/state.json" "$install/oem.ini" >/dev/null
control=http://$(jq -r .control "$work/servers/state.json")
