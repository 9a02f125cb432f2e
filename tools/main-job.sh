#!/usr/bin/env bash
# The main job: the real protein 1A8O (shipped by Debian's python-biopython-doc) through the whole
# pipeline with mirelda-batch and the front-end's defaults of its typical run: CA points, an environment
# shell (radius 6.5, thickness 3.5), no relaxation (an optional step the user asks for), the tessellation
# without weights (as its dialog proposes), the cell and face readers, the assignment, and the composed scene. The
# application folder build/app/ is the working folder; the results go to build/app/1a8o/. Prints the
# per-residue table, where the results are and the classes.
# Usage: tools/main-job.sh      (after tools/setup.sh and tools/build.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
samples="$("$root/tools/fetch-samples.sh")"
exec "$root/build/app/mirelda-batch" "$samples/1A8O.pdb" 1a8o
