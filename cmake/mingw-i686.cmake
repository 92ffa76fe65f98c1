# Cross-compiling the 32-bit Windows build with Debian's mingw-w64 (posix threads flavour).
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# Everything is linked statically (libgcc, libstdc++, winpthread), so the DLL and the
# programs need no mingw runtime DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(R58046_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${R58046_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${R58046_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${R58046_MINGW_PREFIX}-windres)
set(R58046_WIDL ${R58046_MINGW_PREFIX}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${R58046_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Unicode Win32 API by default; the window-manager seam calls the ANSI functions by name.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
