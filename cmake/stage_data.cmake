# Copies the hand-written content from SRC into DST.
# An existing DST/information.ini holds the player's settings and records and is kept.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f ${files})
  if(f STREQUAL "information.ini" AND EXISTS ${DST}/${f})
    continue()
  endif()
  configure_file(${SRC}/${f} ${DST}/${f} COPYONLY)
endforeach()
