# trendola_add_library(<target> PREFIX <name> SOURCES <files...>
#                      [PUBLIC <targets...>] [PRIVATE <targets...>])
# A static library whose headers are included as "<name>/Header.h", and only
# by the targets that link it: its include root is a folder of its own in the
# build tree that holds nothing but a link called <name> to the library's
# source folder. A header of a library one does not link is not found, so
# the layering cannot be broken by an include.
function(trendola_add_library target)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  trendola_include_root(${target} ${ARG_PREFIX} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

# trendola_include_root(<target> <name> <folder>)
# Lets <target> and its users include the headers of <folder> as "<name>/Header.h".
function(trendola_include_root target name folder)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
