# Installs the build into a staging prefix, then configures, builds and runs
# a consumer project against it with find_package(kviapws97).
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${STAGE} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed")
endif()
foreach(file lib/libkviapws97.so lib/libkviapws97_static.a lib/libkviapws97_water.so bin/kviapws97
             include/kviapws97/adapter/kviapws97.h include/kviapws97/water.h include/kviapws97/water/state.hpp
             include/kviapws97/water/derivatives.hpp
             lib/pkgconfig/kviapws97.pc lib/cmake/kviapws97/kviapws97Config.cmake)
  if(NOT EXISTS ${STAGE}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${STAGE}/consumer-build -DCMAKE_PREFIX_PATH=${STAGE}
                        -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer does not configure")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${STAGE}/consumer-build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer does not build")
endif()
execute_process(COMMAND ${STAGE}/consumer-build/consumer RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the consumer gets wrong values")
endif()

# The installed program finds the installed plug-in beside it.
execute_process(COMMAND ${STAGE}/bin/kviapws97 region 300 1e5 --phase liquid
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "IF97 region +1")
  message(FATAL_ERROR "the installed program does not run on the installed plug-in: ${out}${err}")
endif()

# The C++ consumer and a C consumer through pkg-config, where it is installed:
# the library's flags and, by name, the stand-in host's.
find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(PKG_CONFIG)
  set(ENV{PKG_CONFIG_PATH} ${STAGE}/lib/pkgconfig)
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs kviapws97 kviapws97-standin-host RESULT_VARIABLE rc
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not find kviapws97")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  separate_arguments(extra UNIX_COMMAND "${CXX_FLAGS} ${LINK_FLAGS}")
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs kviapws97-water RESULT_VARIABLE rc OUTPUT_VARIABLE water_flags
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not find kviapws97-water")
  endif()
  separate_arguments(water_flags UNIX_COMMAND "${water_flags}")
  foreach(consumer "${CXX};-std=c++20;consumer.cpp;flags" "${CC};-std=c11;consumer.c;flags"
                   "${CC};-std=c11;water_consumer.c;water_flags")
    list(POP_FRONT consumer compiler standard source which)
    set(flags_of_consumer ${${which}})
    execute_process(COMMAND ${compiler} ${standard} ${SOURCE}/${source} ${flags_of_consumer} ${extra} -lm -o ${STAGE}/${source}.out
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${source} does not build with the pkg-config flags ${flags_of_consumer}: ${err}")
    endif()
    execute_process(COMMAND ${STAGE}/${source}.out RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${source} built with pkg-config gets wrong values")
    endif()
  endforeach()
endif()
