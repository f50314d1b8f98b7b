# Every external library, found once.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(pugixml REQUIRED)
find_package(CURL REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(OpenSSL 3 REQUIRED)
find_package(X11 REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets DBus Test)
pkg_check_modules(PULSE REQUIRED IMPORTED_TARGET libpulse-simple libpulse)
# The music player is driven over the session bus.
pkg_check_modules(DBUS REQUIRED IMPORTED_TARGET dbus-1)
pkg_check_modules(GST REQUIRED IMPORTED_TARGET gstreamer-1.0)
# Tags of the user's media files.
pkg_check_modules(TAGLIB REQUIRED IMPORTED_TARGET taglib)

# Debian's pocketsphinx.pc names an include folder that does not exist, so
# the imported target is built by hand from the folders that do.
pkg_check_modules(POCKETSPHINX REQUIRED pocketsphinx)
add_library(kelvo_pocketsphinx INTERFACE)
foreach(dir ${POCKETSPHINX_INCLUDE_DIRS})
  if(EXISTS ${dir})
    target_include_directories(kelvo_pocketsphinx SYSTEM INTERFACE ${dir})
  endif()
endforeach()
target_link_libraries(kelvo_pocketsphinx INTERFACE ${POCKETSPHINX_LINK_LIBRARIES})
pkg_get_variable(POCKETSPHINX_MODELDIR pocketsphinx modeldir)
