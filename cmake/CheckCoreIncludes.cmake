# Fails when the layers reach the wrong way:
# - a core source file includes a Qt header, a ui/ or an app/ header (render
#   sub-folders, QtGui painting in separate targets, are exempt);
# - a core header takes a mutable Measurement (core commands return values);
# - a window file other than the start-up code includes the main window
#   (commands get the workspace, the window's pages and the dialog service).
set(core_dirs common fringe analysis optics imaging report phase workspace)
set(offenders "")

# Appends "file: lines" for each of `files` with lines matching `regex`.
function(find_offenders regex)
  foreach(f ${ARGN})
    file(STRINGS ${f} hits REGEX "${regex}")
    if(hits)
      list(APPEND offenders "${f}: ${hits}")
    endif()
  endforeach()
  set(offenders "${offenders}" PARENT_SCOPE)
endfunction()

foreach(dir ${core_dirs})
  file(GLOB_RECURSE files ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
  list(FILTER files EXCLUDE REGEX "/render/")
  find_offenders("^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|ui/|app/)" ${files})
  file(GLOB_RECURSE headers ${ROOT}/${dir}/*.h)
  find_offenders("(^|[^t][ \t(,]|[(,])Measurement[ \t]*&" ${headers})
endforeach()
file(GLOB app_files ${ROOT}/app/*.h ${ROOT}/app/*.cpp)
list(FILTER app_files EXCLUDE REGEX "/(mainwindow|containerwindow|startroutine|main)\\.(h|cpp)$")
find_offenders("^[ \t]*#[ \t]*include[ \t]*\"app/mainwindow\\.h\"" ${app_files})

if(offenders)
  string(REPLACE ";" "\n" msg "${offenders}")
  message(FATAL_ERROR "Core files include no Qt, ui/ or app/ headers nor take a mutable "
                      "Measurement&; only the start-up code includes app/mainwindow.h:\n${msg}")
endif()
message(STATUS "layering check passed")
