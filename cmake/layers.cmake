# The layers and the arrows between them: each folder with the folders it may
# include from directly. An include may also reach whatever those reach, so
# every arrow points down. The layer test (check_layers.cmake) and the
# picture in docs/architecture.md are both held to this one table.
#
#   tools     scenario-tool's command line: options, the command table, a file per command
#   lsp       the language server: protocol, documents, a scenario's two texts as one unit
#   inspect   the readers behind verify, dump, diff and plot
#   check     the author's check: findings, warnings, encodings, source lines,
#             their text/JSON/SARIF forms, the reference
#   driver    the program: its run sequence, file names, exit report, version
#   output    the three binary files, written and read back
#   compiler  description texts in, model out; never writes an output
#   texts     the five texts the program writes
#   platform  what the program asks of its system, one layer per system
#   encoding  Windows-1252; quoting for messages
#   testing   the tests' fakes and fixtures
#   bench, fuzz  the benchmark and the fuzz targets, over everything
set(layers encoding platform testing compiler texts output driver check inspect lsp tools
           bench fuzz)
set(layer_encoding "")
set(layer_platform encoding)
set(layer_testing platform)
set(layer_compiler platform)
set(layer_texts platform)
set(layer_output compiler)
set(layer_driver output texts)
set(layer_check output texts)
set(layer_inspect check driver)
set(layer_lsp inspect)
set(layer_tools lsp inspect driver)
set(layer_bench tools testing)
set(layer_fuzz tools testing)
