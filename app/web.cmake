# The program for pages: fractal-tree.js, an ES module whose default export
# makes an instance of the program on the canvas given, and
# fractal-tree.wasm; as small as they go: the smaller allocator, and no file
# system.
target_link_options(fractal-tree PRIVATE -sENVIRONMENT=web -Os -sMALLOC=emmalloc -sFILESYSTEM=0 -sMODULARIZE=1
                    -sEXPORT_ES6=1 -sEXPORT_NAME=createFractalTree)
