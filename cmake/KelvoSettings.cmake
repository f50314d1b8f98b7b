# One settings target that every Kelvo target links.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

add_library(kelvo_settings INTERFACE)
target_compile_options(kelvo_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual)
# GCC 12's optimiser reports overlapping copies inside std::string that
# cannot happen (GCC bug 105329), so the check is off for that compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kelvo_settings INTERFACE -Wno-restrict)
endif()
# Our own builds and CI turn warnings into errors; a user's or packager's
# plain configure builds whatever a newer compiler warns about.
if(KELVO_WERROR)
  target_compile_options(kelvo_settings INTERFACE -Werror)
endif()
target_compile_definitions(kelvo_settings INTERFACE _GLIBCXX_ASSERTIONS)

if(KELVO_SANITIZE)
  target_compile_options(kelvo_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(kelvo_settings INTERFACE -fsanitize=address,undefined)
endif()
