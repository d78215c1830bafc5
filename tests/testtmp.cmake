# The temporary folder of a test run: -DMODE=setup makes DIR new and empty before the
# first test; -DMODE=check after the last fails, naming what the tests left in it, and
# removes it.
if(MODE STREQUAL "setup")
  file(REMOVE_RECURSE "${DIR}")
  file(MAKE_DIRECTORY "${DIR}")
  return()
endif()
file(GLOB left LIST_DIRECTORIES true RELATIVE "${DIR}" "${DIR}/*")
file(REMOVE_RECURSE "${DIR}")
if(left)
  list(JOIN left ", " names)
  message(FATAL_ERROR "The tests left these in their temporary folder ${DIR}: ${names}")
endif()
