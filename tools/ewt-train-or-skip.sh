# Sourced by the data checks that need only the EWT train split: sets $ewt to
# its path, or reports the check as skipped (exit 77) when it is not here.
# Expects $root, the checkout's root.
ewt=$("$root/tools/ewt-train-path.sh")
if [ -z "$ewt" ] || [ ! -f "$ewt" ]; then
  echo "skipped: the EWT train split is missing"
  exit 77
fi
