# cmake --install of the Python module alone (component python) into a
# staging directory; the installed module imports from there and needs no
# other library of this project.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD} --component python
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the install of the Python module failed")
endif()
file(GLOB_RECURSE modules ${STAGE}/*)
list(LENGTH modules count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "installed ${count} files, not the module alone: ${modules}")
endif()
string(REPLACE "${STAGE}" "" installed "${modules}")
if(NOT installed MATCHES "^${DIR}/kviapws97\\.[^/]*\\.so$")
  message(FATAL_ERROR "the module went to ${installed}, not into ${DIR}")
endif()
get_filename_component(dir ${modules} DIRECTORY)
if(PLATLIB)
  execute_process(COMMAND ${PYTHON} -c "import sysconfig; print(sysconfig.get_path('platlib'))"
    OUTPUT_VARIABLE platlib OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT DIR STREQUAL platlib)
    message(FATAL_ERROR "the module goes to ${DIR}, not where ${PYTHON} imports from (${platlib})")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${dir}
                        ${PYTHON} -c "import kviapws97; print(kviapws97.state(p=1e6, h=2.8e6).T)"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
# 461.7629 K: the temperature of h = 2.8 MJ/kg at 1 MPa, region 2.
if(NOT rc EQUAL 0 OR NOT out MATCHES "^461\\.7628")
  message(FATAL_ERROR "the installed module does not give the state: ${out}${err}")
endif()
execute_process(COMMAND ldd ${modules} OUTPUT_VARIABLE listing)
if(listing MATCHES "kviapws97")
  message(FATAL_ERROR "the installed module needs a library of this project:\n${listing}")
endif()
