# The viewer's logic without Qt, as a library of its own so that its tests build without the windows.
if(NOT TARGET grafmira_logic)
  file(GLOB grafmira_logic_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
  list(FILTER grafmira_logic_sources EXCLUDE REGEX "_main\\.cpp$")
  add_library(grafmira_logic STATIC ${grafmira_logic_sources})
  target_link_libraries(grafmira_logic PUBLIC ruvenset_common)
  ruvenset_include_root(grafmira_logic PUBLIC common viewer)
endif()
