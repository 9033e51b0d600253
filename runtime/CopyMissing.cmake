# Copies every file of SOURCE into TARGET that TARGET does not have yet: configuration defaults
# for a fresh run folder, never over what the program or the user wrote since.
file(GLOB defaults RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS defaults)
  if(NOT EXISTS "${TARGET}/${name}")
    file(COPY "${SOURCE}/${name}" DESTINATION "${TARGET}")
  endif()
endforeach()
