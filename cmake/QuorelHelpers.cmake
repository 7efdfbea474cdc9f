# Small helpers so that every subsystem's CMakeLists stays a few lines long.

set(QUOREL_WARNINGS -Wall -Wextra)

function(quorel_apply_common target)
  target_compile_options(${target} PRIVATE ${QUOREL_WARNINGS})
  if(QUOREL_SANITIZE)
    # Undefined behaviour stops the test that ran into it, instead of only printing a warning.
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                           -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all)
  endif()
endfunction()

# A Qt-free library: quorel_engine_library(<name> SOURCES ... DEPS ...)
function(quorel_engine_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  quorel_apply_common(${name})
endfunction()

# A library of windows or Qt glue: quorel_ui_library(<name> SOURCES ... DEPS ...)
function(quorel_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Core Qt6::Gui Qt6::Widgets)
  quorel_apply_common(${name})
endfunction()

# A GoogleTest program run by CTest: quorel_test(<name> LABEL unit SOURCES ... DEPS ...)
function(quorel_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE QUOREL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  quorel_apply_common(${name})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
