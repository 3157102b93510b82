# cmake -DLIBRARY=<path> -DEXPORTS="CloseForm;OutputCode;ShowForm" -P CheckExports.cmake
# Fails unless the library's defined dynamic symbols are exactly EXPORTS
# (sorted), and it has no STB_GNU_UNIQUE symbols, which would keep it loaded
# after dlclose.
find_program(NM nm REQUIRED)
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^ \n]+\n" names "${symbols}")
set(found "")
foreach(line IN LISTS names)
  string(STRIP "${line}" name)
  list(APPEND found "${name}")
endforeach()
list(SORT found)
if(NOT found STREQUAL "${EXPORTS}")
  message(FATAL_ERROR "exports of ${LIBRARY}: ${found}")
endif()
execute_process(COMMAND ${READELF} -Ws ${LIBRARY} OUTPUT_VARIABLE table)
if(table MATCHES "UNIQUE")
  message(FATAL_ERROR "${LIBRARY} has STB_GNU_UNIQUE symbols")
endif()
message(STATUS "exports: ${found}")
