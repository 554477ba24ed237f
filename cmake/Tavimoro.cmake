# Shared build settings: warnings and sanitizers travel with each target
# instead of being set globally.
add_library(tavimoro_options INTERFACE)
target_compile_options(tavimoro_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(TAVIMORO_WERROR)
  target_compile_options(tavimoro_options INTERFACE -Werror)
endif()
if(TAVIMORO_SANITIZE)
  target_compile_options(tavimoro_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tavimoro_options INTERFACE -fsanitize=address,undefined)
  # GCC's flow analysis under the sanitizers reports uninitialised reads
  # inside the standard library's regex and function code that do not occur.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(tavimoro_options INTERFACE -Wno-maybe-uninitialized)
  endif()
endif()
if(TAVIMORO_FUZZ)
  target_compile_options(tavimoro_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(tavimoro_options INTERFACE -fsanitize=address,undefined)
endif()

# tavimoro_include_root(TARGET DIR): TARGET's headers are reached as
# "<name of DIR>/file.h" through an include folder of its own in the build
# tree that holds only a link to DIR. A target sees its own folder and those
# of the targets it links, so a layer that includes a header of a layer
# above it, or of one it does not link, fails to compile.
function(tavimoro_include_root target dir)
  get_filename_component(folder ${dir} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${dir} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# tavimoro_layer(NAME DIR [DEPS ...]): a static library of every .cpp below DIR
# (new files are picked up at the next build). Sources in a "widget" or "qt"
# subfolder are left to the Qt side of the layer.
function(tavimoro_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "/(widget|qt)/")
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC tavimoro_options ${ARGN})
  endif()
  tavimoro_include_root(${name} ${dir})
endfunction()
