# Helpers that declare one static library per layer, its test target, and the layering check.

set(MARROWICK_PLAIN_LAYERS model analysis disclosure delivery assistant interchange CACHE INTERNAL "")

# marrowick_layer(NAME SOURCES files... [PUBLIC_LINKS targets...] [PRIVATE_LINKS targets...])
function(marrowick_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
  add_library(marrowick_${name} STATIC ${ARG_SOURCES})
  target_include_directories(marrowick_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(marrowick_${name} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
  set_property(GLOBAL APPEND PROPERTY MARROWICK_LAYER_TARGETS marrowick_${name})
endfunction()

# marrowick_tests(LAYER SOURCES files... [LINKS targets...])
# Builds marrowick_<layer>_tests and registers each GoogleTest case as "<layer>.<Suite>.<Case>".
function(marrowick_tests layer)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  set(target marrowick_${layer}_tests)
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE marrowick_${layer} ${ARG_LINKS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    MARROWICK_RESOURCE_DIR="${MARROWICK_RESOURCE_DIR}"
    MARROWICK_TEST_FILMS_DIR="${MARROWICK_TEST_FILMS_DIR}"
    MARROWICK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  marrowick_discover_tests(${target} PREFIX ${layer} LABEL ${layer})
endfunction()

# marrowick_discover_tests(TARGET PREFIX prefix LABEL label [TIMEOUT seconds] [FIXTURE name])
# Registers each GoogleTest case of TARGET as "<prefix>.<Suite>.<Case>", after the fixture that
# makes its films (the generated test films unless FIXTURE names another).
function(marrowick_discover_tests target)
  cmake_parse_arguments(ARG "" "PREFIX;LABEL;TIMEOUT;FIXTURE" "" ${ARGN})
  if(NOT ARG_FIXTURE)
    set(ARG_FIXTURE test-films)
  endif()
  # Single values only: GoogleTest writes these into a script where a list would split apart.
  set(properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABEL}" FIXTURES_REQUIRED ${ARG_FIXTURE})
  if(ARG_TIMEOUT)
    list(APPEND properties TIMEOUT ${ARG_TIMEOUT})
  endif()
  include(GoogleTest)
  gtest_discover_tests(${target} TEST_PREFIX "${ARG_PREFIX}." DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# The generated test films as a CTest fixture: "test-films" makes them in the build tree before
# the first test that needs them, so a plain ctest in a fresh build tree is self-contained.
function(marrowick_test_films_fixture)
  add_test(NAME test-films COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-test-films-if-needed ${CMAKE_BINARY_DIR})
  set_tests_properties(test-films PROPERTIES FIXTURES_SETUP test-films TIMEOUT 600)
endfunction()

# marrowick_script_test(NAME name COMMAND command... [ENVIRONMENT var=value])
# A test that runs a script or program rather than GoogleTest cases; it too runs after the films.
function(marrowick_script_test)
  cmake_parse_arguments(ARG "" "NAME;ENVIRONMENT" "COMMAND" ${ARGN})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED test-films)
  if(ARG_ENVIRONMENT)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()

# The plain C++ layers must not see Qt: no Qt6 link and no <Q...> include in their sources.
function(marrowick_check_layering)
  get_property(targets GLOBAL PROPERTY MARROWICK_LAYER_TARGETS)
  foreach(target IN LISTS targets)
    string(REPLACE "marrowick_" "" layer ${target})
    if(NOT layer IN_LIST MARROWICK_PLAIN_LAYERS)
      continue()
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link MATCHES "^Qt6::" OR link MATCHES "marrowick_(workspace|ui|app)")
        message(FATAL_ERROR "Layering: ${target} links ${link}")
      endif()
    endforeach()
    file(GLOB_RECURSE files ${CMAKE_SOURCE_DIR}/src/${layer}/*.h ${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|workspace/|ui/|app/)")
      if(hits)
        message(FATAL_ERROR "Layering: ${file} includes ${hits}")
      endif()
    endforeach()
  endforeach()
endfunction()
