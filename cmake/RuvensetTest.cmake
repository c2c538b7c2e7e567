# Suites that run the built programs through a POSIX shell (popen, fork, signals): on Windows the CLI
# is tested end to end under Wine by scripts/build-windows instead.
set(RUVENSET_SHELL_SUITES cli_tests verification_cli_tests zero_correction_cli_tests
    storage_procedures_cli_tests report_printing_cli_tests program_tests)

# ruvenset_test_suite(NAME LABEL LIBS...): one GoogleTest executable built from every .cpp of the
# calling folder (posix_*.cpp or win32_*.cpp only on their own system), registered with CTest under LABEL.
function(ruvenset_test_suite name label)
  if(WIN32 AND name IN_LIST RUVENSET_SHELL_SUITES)
    message(STATUS "${name}: not built for Windows (it drives the programs through a POSIX shell)")
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  ruvenset_platform_filter(sources)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE
    RUVENSET_SOURCE_DIR="${PROJECT_SOURCE_DIR}" RUVENSET_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} PROPERTIES LABELS ${label} ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
