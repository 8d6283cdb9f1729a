#!/bin/sh
# Neovim, headless, as the language server's client: see lsp_test.lua.
# Usage: lsp_test.sh SCENARIO_TOOL. Status 77 (skipped) without Neovim.
set -eu
tool=$1
command -v nvim >/dev/null || { echo "nvim is missing: skipped"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$tool" init "$folder" --scenario Prova --train 1 >/dev/null
here=$(cd "$(dirname "$0")" && pwd)
timeout 60 nvim --headless --clean -n \
  --cmd "lua _G.scenario_tool = [[$tool]]; _G.scenario_folder = [[$folder]]; _G.scenario_setup = [[$here/scenario-tool.lua]]" \
  -c "luafile $here/lsp_test.lua" </dev/null
