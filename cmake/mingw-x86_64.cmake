# Cross-compiles the 64-bit twin of the product with mingw-w64: never shipped,
# built so that the Wine scenarios can run where 32-bit programs cannot.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
