#!/usr/bin/env bash
# Installs what the fuzz build needs beside the usual build packages, when missing: clang and
# its runtime libraries, libFuzzer among them. Sourced by fuzz/run.sh; run by CMake when
# ZANTOR_FUZZ is on.
source "$(dirname "${BASH_SOURCE[0]}")/ensure_packages.sh"
zantor_ensure_packages clang libclang-rt-dev
