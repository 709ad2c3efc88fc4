# Renders the manual page with every groff warning on; any warning fails.
execute_process(COMMAND ${GROFF} -man -ww -z ${PAGE} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out STREQUAL "")
  message(FATAL_ERROR "groff -man -ww -z ${PAGE} (status ${rc}):\n${err}${out}")
endif()
