# One settings target that every Kelvo target links.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

add_library(kelvo_settings INTERFACE)
target_compile_options(kelvo_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
target_compile_definitions(kelvo_settings INTERFACE _GLIBCXX_ASSERTIONS)

if(KELVO_SANITIZE)
  target_compile_options(kelvo_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(kelvo_settings INTERFACE -fsanitize=address,undefined)
endif()
