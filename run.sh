#!/usr/bin/env bash
# Builds the tools and runs them on generated samples.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
scripts/build.sh
