# ruvenset_test_suite(NAME LABEL LIBS...): one GoogleTest executable built from every .cpp of the
# calling folder, registered with CTest under LABEL.
function(ruvenset_test_suite name label)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
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
