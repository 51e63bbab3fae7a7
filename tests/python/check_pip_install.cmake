# pip install --no-build-isolation of the source tree into a fresh virtual
# environment that sees the system's packages (NumPy), offline; then the
# module imports from the environment and gives a state. The build directory
# BUILD is the one built already, so pip's build only installs from it.
file(REMOVE_RECURSE ${VENV})
execute_process(COMMAND ${PYTHON} -m venv --system-site-packages ${VENV} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "python3 -m venv failed (Debian: python3-venv)")
endif()
execute_process(COMMAND ${VENV}/bin/python -m pip install --no-build-isolation --no-index --no-deps
                        --config-settings build-dir=${BUILD} ${SOURCE}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pip install failed:\n${out}${err}")
endif()
execute_process(COMMAND ${VENV}/bin/python -c
  "import sys, kviapws97 as k; assert k.__file__.startswith(sys.prefix), k.__file__; print(k.__version__, k.ufunc.ph(1e6, 2.8e6)[1])"
  WORKING_DIRECTORY ${VENV}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
# 461.7629 K: the temperature of h = 2.8 MJ/kg at 1 MPa, region 2.
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${VERSION} 461.7628910525903")
  message(FATAL_ERROR "the module installed by pip does not give the state: ${out}${err}")
endif()
