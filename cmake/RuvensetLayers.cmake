# The program is built in layers, one library each, and a layer links only the layers below it:
#
#   common -> link -> session -> device -> verification, storage -> calibration -> shell -> windows -> apps
#
# Every layer compiles against an include root of its own that holds links to its own folders of src/
# and to those of the layers below, and to nothing else. An include that points upwards therefore
# finds no file and the build fails.

# Each operating-system dependency has one file per system side by side, posix_*.cpp and win32_*.cpp;
# the build takes the files of the system it builds for.
function(ruvenset_platform_filter var)
  if(WIN32)
    list(FILTER ${var} EXCLUDE REGEX "/posix_[^/]*$")
  else()
    list(FILTER ${var} EXCLUDE REGEX "/win32_[^/]*$")
  endif()
  set(${var} ${${var}} PARENT_SCOPE)
endfunction()

# Sources of the given folders of src/ outside their windows/ folders (the core: standard C++ behind
# small interfaces to the operating system).
function(ruvenset_core_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(FILTER found EXCLUDE REGEX "/windows/")
    ruvenset_platform_filter(found)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# ruvenset_include_root(TARGET SCOPE DIR...): TARGET includes from the named folders of src/ only.
function(ruvenset_include_root target scope)
  set(root ${PROJECT_BINARY_DIR}/include_roots/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(dir IN LISTS ARGN)
    if(NOT IS_SYMLINK ${root}/${dir})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dir} ${root}/${dir} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# The folders a layer and everything below it may include.
function(ruvenset_layer_folders out)
  set(dirs)
  foreach(layer IN LISTS ARGN)
    get_property(found GLOBAL PROPERTY RUVENSET_LAYER_FOLDERS_${layer})
    list(APPEND dirs ${found})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(${out} ${dirs} PARENT_SCOPE)
endfunction()

# ruvenset_layer(NAME FOLDERS dir... [BELOW layer...] [LIBS lib...]): the library ruvenset_NAME built
# from the core sources of its folders, over the layers BELOW. A layer whose folders hold no sources yet
# is an interface library, so that the layers above it link it all the same.
function(ruvenset_layer name)
  cmake_parse_arguments(arg "" "" "FOLDERS;BELOW;LIBS" ${ARGN})
  ruvenset_layer_folders(dirs ${arg_BELOW})
  list(APPEND dirs ${arg_FOLDERS})
  set_property(GLOBAL PROPERTY RUVENSET_LAYER_FOLDERS_${name} ${dirs})
  set(below)
  foreach(layer IN LISTS arg_BELOW)
    list(APPEND below ruvenset_${layer})
  endforeach()
  ruvenset_core_sources(sources ${arg_FOLDERS})
  if(sources)
    add_library(ruvenset_${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(ruvenset_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_link_libraries(ruvenset_${name} ${scope} ${below} ${arg_LIBS})
  ruvenset_include_root(ruvenset_${name} ${scope} ${dirs})
endfunction()
