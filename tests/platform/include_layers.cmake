# The layers of platform/'s folders, and the check that every #include
# between them runs down these layers (call_layers.py checks the calls):
# a file may include its own folder's headers and those of lower layers, never
# a higher or an equal one, so no include runs back up and no circle of
# includes spans two folders. A folder missing from the table fails the check
# until it is given a layer.
#   cmake -DPLATFORM_DIR=<source>/platform -P include_layers.cmake
set(layer_.                  0)  # win32.h, the header the program includes
set(layer_seam               1)  # what the libraries and the screens share
set(layer_drivers/jack       2)  # what the drivers' JACK clients share
set(layer_drivers/fluidsynth 3)
set(layer_drivers/rtmidi     3)
set(layer_drivers/rtaudio    3)
set(layer_comdlg32           4)  # dialogs over user32's windows
set(layer_gdi32              2)
set(layer_kernel32           2)
set(layer_shell32            4)  # dropped files on user32's windows
set(layer_user32             3)  # over gdi32 and kernel32
set(layer_winmm              4)  # over the drivers; posts to user32's windows
set(layer_headless           5)  # the screens, over the whole core
set(layer_gtk                5)
set(layer_crt                5)

function(folder_layer folder out)
  if(NOT DEFINED layer_${folder})
    message(SEND_ERROR "platform/${folder} has no layer in include_layers.cmake")
    set(${out} -1 PARENT_SCOPE)
  else()
    set(${out} ${layer_${folder}} PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE ${PLATFORM_DIR} ${PLATFORM_DIR}/*.h ${PLATFORM_DIR}/*.cpp)
set(checked 0)
foreach(source ${sources})
  get_filename_component(from ${source} DIRECTORY)
  if(from STREQUAL "")
    set(from .)
  endif()
  folder_layer(${from} from_layer)
  if(from_layer EQUAL -1)
    continue()
  endif()
  file(STRINGS ${PLATFORM_DIR}/${source} includes REGEX "^#include \"platform/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"platform/([^\"]*)\".*" "\\1" header "${line}")
    get_filename_component(to ${header} DIRECTORY)
    if(to STREQUAL "")
      set(to .)
    endif()
    math(EXPR checked "${checked} + 1")
    if(to STREQUAL from)
      continue()
    endif()
    folder_layer(${to} to_layer)
    if(NOT to_layer LESS from_layer)
      message(SEND_ERROR "platform/${source} includes platform/${header}: "
                         "${to} (layer ${to_layer}) is not below ${from} (layer ${from_layer})")
    endif()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no platform includes found under ${PLATFORM_DIR}")
endif()
message(STATUS "${checked} includes checked in ${PLATFORM_DIR}")
