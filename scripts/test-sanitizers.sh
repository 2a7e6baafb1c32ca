#!/usr/bin/env bash
# Builds Kestrion and its tests with the address and undefined-behaviour sanitizers
# (the `asan` preset, folder build-asan) and runs the whole suite: a memory error, a
# leak, an overflowing float-to-integer conversion or other undefined behaviour stops
# the test that caused it, with the stack. Slower than the CI run: see CONTRIBUTING.md.
exec "$(dirname "$0")/test.sh" asan "$@"
