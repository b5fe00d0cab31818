# cmake -DMANUAL=<built manual folder> -P CheckLinks.cmake
# Every page of both languages is there, and every local link and picture
# it refers to exists.
foreach(lang pt en)
  set(page ${MANUAL}/${lang}/index.html)
  if(NOT EXISTS ${page})
    message(FATAL_ERROR "missing ${page}")
  endif()
  file(READ ${page} html)
  string(REGEX MATCHALL "(src|href)=\"[^\"#:]+\"" refs "${html}")
  foreach(ref IN LISTS refs)
    string(REGEX REPLACE "^(src|href)=\"([^\"]+)\"$" "\\2" target "${ref}")
    if(NOT EXISTS ${MANUAL}/${lang}/${target})
      message(FATAL_ERROR "${page} refers to ${target}, which is not there")
    endif()
  endforeach()
endforeach()
