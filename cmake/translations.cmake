# What lupdate reads and writes, shared by the build (window/CMakeLists.txt)
# and the check that the .ts files are up to date (tests/translations_check.cmake).
set(BRISEL_TS_FILES ${PROJECT_SOURCE_DIR}/translations/brisel_en.ts)
# brisel-cli keeps its Italian messages: its folder is not read.
set(BRISEL_TRANSLATED_DIRS core import table output app window)
# The headers first, so that lupdate knows the classes when it reads their
# functions.
set(BRISEL_TRANSLATED_SOURCES)
foreach(extension h cpp)
  foreach(dir IN LISTS BRISEL_TRANSLATED_DIRS)
    if(CMAKE_SCRIPT_MODE_FILE)
      file(GLOB found ${PROJECT_SOURCE_DIR}/${dir}/*.${extension})
    else()
      file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.${extension})
    endif()
    list(SORT found)
    list(APPEND BRISEL_TRANSLATED_SOURCES ${found})
  endforeach()
endforeach()
# No line numbers, so that moving code leaves the .ts as it is; texts gone
# from the sources leave it too. The core marks its texts with a macro of its
# own that lupdate reads as QT_TRANSLATE_NOOP.
set(BRISEL_LUPDATE_OPTIONS -locations none -no-obsolete -no-ui-lines
    -tr-function-alias QT_TRANSLATE_NOOP+=BRISEL_TRANSLATE_NOOP)
