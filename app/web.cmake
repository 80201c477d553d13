# The program as a page: fractal-tree.js and fractal-tree.wasm, for browsers,
# as small as they go: the smaller allocator, and no file system.
target_link_options(fractal-tree PRIVATE -sENVIRONMENT=web -Os -sMALLOC=emmalloc -sFILESYSTEM=0)
