#!/usr/bin/env bash
# The Ansible collection as ansible-core meets it once installed: ansible-doc shows the module's
# arguments, attributes and examples under its full name and its short one, ansible-galaxy lists the
# collection at VERSION, and the module answers a task under both names.
# Usage: check_ansible.sh VERSION [SHARE_ANSIBLE]
# Without SHARE_ANSIBLE, ansible-core looks where it does without configuration (the installed
# package); with it (PREFIX/share/ansible of an install elsewhere), there alone.
set -uo pipefail
version="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
for tool in ansible ansible-doc ansible-galaxy python3; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-test-deps.sh)"; exit 1; }
done
export HOME="$work" ANSIBLE_LOCAL_TEMP="$work/tmp" ANSIBLE_NOCOLOR=1
: >"$work/ansible.cfg"
export ANSIBLE_CONFIG="$work/ansible.cfg"
if [[ $# -ge 2 ]]; then
  export ANSIBLE_COLLECTIONS_PATH="$2/collections" ANSIBLE_LIBRARY="$2/plugins/modules"
fi
fqcn=q6config.printers.printer

for name in "$fqcn" q6config_printer; do
  if ! ansible-doc -j -t module "$name" >"$work/doc.json" 2>"$work/doc.err"; then
    fail "ansible-doc $name: $(cat "$work/doc.err")"
    continue
  fi
  # The arguments a playbook needs most, the modes, and the examples under the full name.
  python3 - "$name" "$work/doc.json" <<'PY' || fail "ansible-doc $name: the documentation is not whole"
import json, sys
name, path = sys.argv[1], sys.argv[2]
entry = json.load(open(path))[name]
doc = entry["doc"]
options = doc.get("options", {})
problems = []
for option in ("target", "model", "preset", "settings", "reset", "force", "timeout_ms", "record"):
    if not options.get(option, {}).get("description"):
        problems.append("no option " + option)
if not options.get("target", {}).get("required"):
    problems.append("target is not required")
for mode in ("check_mode", "diff_mode"):
    if doc.get("attributes", {}).get(mode, {}).get("support") != "full":
        problems.append(mode + " not fully supported")
if "q6config.printers.printer:" not in (entry.get("examples") or ""):
    problems.append("no example task")
for problem in problems:
    print(name + ": " + problem)
sys.exit(1 if problems else 0)
PY
  # The module itself answers: a wrong argument fails the task with the module's own words.
  out="$(ansible localhost -i localhost, -c local -e ansible_python_interpreter=/usr/bin/python3 \
    -m "$name" -a '{"target": "file:/dev/null", "reset": true, "colour": "red"}' 2>&1)"
  grep -q 'unsupported parameter colour' <<<"$out" || fail "ansible -m $name did not run the module: $out"
done

listed="$(ansible-galaxy collection list q6config.printers 2>&1)"
grep -qE "^q6config\.printers +${version//./\\.} *$" <<<"$listed" ||
  fail "ansible-galaxy does not list q6config.printers $version: $listed"

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "Ansible: $fqcn and q6config_printer documented and run, collection q6config.printers $version listed"
