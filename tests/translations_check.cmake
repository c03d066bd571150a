# Fails when lupdate would change a translation file: a text added, changed or
# removed in the sources since the .ts was last updated, or a text left
# without its translation. Run as:
#   cmake -DROOT=<source folder> -DLUPDATE=<lupdate> -DWORK=<scratch folder> -P translations_check.cmake
cmake_minimum_required(VERSION 3.25)
set(PROJECT_SOURCE_DIR ${ROOT})
include(${ROOT}/cmake/translations.cmake)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(faults "")
foreach(ts IN LISTS BRISEL_TS_FILES)
  get_filename_component(name ${ts} NAME)
  file(COPY_FILE ${ts} ${WORK}/${name})
  set(list_file ${WORK}/${name}.sources)
  list(JOIN BRISEL_TRANSLATED_SOURCES "\n" sources)
  file(WRITE ${list_file} "${sources}\n")
  execute_process(COMMAND ${LUPDATE} ${BRISEL_LUPDATE_OPTIONS} @${list_file} -ts ${WORK}/${name}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    list(APPEND faults "${name}: lupdate failed (${status}):\n${output}")
    continue()
  endif()
  file(READ ${ts} before)
  file(READ ${WORK}/${name} after)
  if(NOT before STREQUAL after)
    execute_process(COMMAND diff -u ${ts} ${WORK}/${name} OUTPUT_VARIABLE difference)
    list(APPEND faults "${name}: not up to date with the sources; run `cmake --build build "
                       "--target update_translations` and translate what it adds:\n${difference}")
  endif()
  string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" open
               "${after}")
  if(open)
    list(APPEND faults "${name}: texts without a finished translation:\n${open}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "${text}")
endif()
