# Cross build for 64-bit Windows with Debian's MinGW-w64 (packages g++-mingw-w64-x86-64-posix and
# wine64). The programs are linked statically, so they run under Wine or on Windows without any
# MinGW DLL next to them; tests run through Wine.
#   cmake -S . -B build-mingw -G Ninja -DTAVIRO_CORE_ONLY=ON \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVIRO_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix flavour has std::thread and std::mutex (winpthreads); the win32 one lacks them.
set(CMAKE_C_COMPILER ${TAVIRO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVIRO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVIRO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVIRO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go into each .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(TAVIRO_WINE NAMES wine wine64 wine-stable)
if(TAVIRO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVIRO_WINE})
endif()
